#include "ui/controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/layout_items.h"
#include "world.h"

namespace qw {
namespace {

using testing::World;
using Log = std::vector<std::string>;

TEST(Menu, NewGameWithoutLevelsStaysOnTheMenu) {
  World w;
  w.levels.clear();
  w.Tap(w.ItemCentre(3));
  EXPECT_EQ(w.Ui().screenMode, MODE_MENU);
  EXPECT_EQ(w.Ui().hoveredButton, -1);
}

void Drop(World& w, Position from, Position to) {
  w.Drag(w.Centre(from.x, from.y), w.Centre(to.x, to.y));
}

struct Placement {
  Position slot;
  Position at;
  int turns = 0;
};

// A tray piece, the board cell and the clockwise turns that give it, placed
// alone, the outcome wanted.
Placement PlacementFor(const World& w, Outcome wanted) {
  for (std::int32_t slot = 0; slot < 4; ++slot) {
    for (std::int32_t i = 0; i < kBoardCells; ++i) {
      for (int turns = 0; turns < 8; ++turns) {
        Puzzle p(w.levels);
        p.StartLevel(0);
        const Position at{i % kBoardSize, i / kBoardSize};
        if (!p.Apply(Step::Move({slot, -1}, at, turns))) break;
        if (p.GetOutcome() == wanted) return {{slot, -1}, at, turns};
      }
    }
  }
  ADD_FAILURE() << "no placement";
  return {};
}

TEST(Undo, TheFailedScreenStepsBackToPlayAndTheSolvedOneStaysFinal) {
  World w;
  w.levels[0].hazardCells = L"35";  // below row 0's water: one elbow loses
  w.StartPlaying();
  const Placement lost = PlacementFor(w, Outcome::kFailed);
  Drop(w, lost.slot, lost.at);
  for (int t = 0; t < lost.turns && w.Ui().screenMode == MODE_PLAY; ++t)
    w.controller.OnRotateClockwise();
  ASSERT_EQ(w.Ui().screenMode, MODE_FAILED);
  w.controller.OnPenDown(w.ItemCentre(kItemRetry));  // retry is a step too
  EXPECT_EQ(w.Ui().screenMode, MODE_PLAY);
  EXPECT_EQ(w.puzzle.At(lost.at)->kind, KIND_EMPTY);  // set up again
  w.controller.OnUndo();
  EXPECT_EQ(w.Ui().screenMode, MODE_FAILED);  // the lost board again
  w.controller.OnRedo();                      // nothing to redo there
  EXPECT_EQ(w.Ui().screenMode, MODE_FAILED);
  w.window.Take();
  EXPECT_TRUE(w.controller.CanHint());
  w.controller.OnHint();  // a hint takes back the step that lost, as undo does
  EXPECT_EQ(w.Ui().screenMode, MODE_PLAY);
  EXPECT_EQ(w.window.Take().back(), "note Took back the step that lost");
  EXPECT_EQ(w.puzzle.GetOutcome(), Outcome::kPlaying);

  w.levels[0].hazardCells = L"90";
  w.StartPlaying();
  const Placement won = PlacementFor(w, Outcome::kSolved);
  Drop(w, won.slot, won.at);
  for (int t = 0; t < won.turns && w.Ui().screenMode == MODE_PLAY; ++t)
    w.controller.OnRotateClockwise();
  ASSERT_EQ(w.Ui().screenMode, MODE_SOLVED);
  w.controller.OnUndo();
  EXPECT_EQ(w.Ui().screenMode, MODE_SOLVED);
  EXPECT_EQ(w.puzzle.GetOutcome(), Outcome::kSolved);
}

// Hands out the answers it is given, in order.
class ScriptedHints : public HintSource {
 public:
  Hint Next(const Puzzle&) override {
    asked++;
    return answers.empty() ? Hint{}
                           : std::exchange(answers, {answers.begin() + 1, answers.end()}).front();
  }
  void LevelStarted(const Puzzle& puzzle) override { started.push_back(puzzle.currentLevel()); }
  std::vector<Hint> answers;
  int asked = 0;
  std::vector<std::int32_t> started;  // the levels it was told of
};

TEST(Hint, AHintIsAnUndoableStepCountedOnceAndNotedWhenItTakesBack) {
  World w;
  ScriptedHints hints;
  w.controller.SetHintSource(&hints);
  w.controller.OnHint();  // on the menu: not asked
  EXPECT_EQ(hints.asked, 0);
  w.StartPlaying();
  Drop(w, {0, -1}, {3, 3});
  hints.answers = {Hint{Hint::Kind::kStep, Step::Move({3, 3}, {0, -1})},
                   Hint{Hint::Kind::kStep, Step::Move({0, -1}, {4, 0}, 3)},
                   Hint{Hint::Kind::kNotFound, {}}};
  w.window.Take();
  w.controller.OnCommand(ID_HINT);
  EXPECT_EQ(w.puzzle.tray()[0].kind, KIND_ELBOW);
  EXPECT_EQ(w.window.Take(), (Log{"note Took a piece back", "all"}));
  w.controller.OnHint();
  EXPECT_EQ(*w.puzzle.BoardCell(4, 0), (Cell{KIND_ELBOW, 3}));
  EXPECT_EQ(w.window.Take().front(), "note Placed an elbow");  // every hint says what it did
  EXPECT_EQ(w.controller.history().hintsUsed(), 2);
  EXPECT_EQ(StepText(w.controller.history().Steps().back()), "hint move 0 -1 4 0 r3");
  w.controller.OnUndo();
  w.controller.OnUndo();
  EXPECT_EQ(*w.puzzle.BoardCell(3, 3), (Cell{KIND_ELBOW, 0}));
  EXPECT_EQ(w.controller.history().hintsUsed(), 2);  // undoing gives no hint back
  w.window.Take();
  w.controller.OnHint();
  EXPECT_EQ(w.window.Take(), (Log{"note No hint found"}));
  EXPECT_EQ(w.controller.history().RedoCount(), 2u);
  w.StartPlaying(1);
  EXPECT_EQ(w.controller.history().hintsUsed(), 0);
  // Told of each level as it starts, so that it can prepare before a hint.
  EXPECT_EQ(hints.started, (std::vector<std::int32_t>{0, 1}));
}

// Generated levels from a fixed pair: the daily puzzle is solved as it
// starts, the random level is not. (Recording a solved day is the progress
// recorder's; see the progress play tests.)
class FixedLevels : public GeneratedLevelSource {
 public:
  std::optional<LevelRecord> DailyLevel(std::int64_t day) override {
    asked.push_back("daily " + std::to_string(day));
    return testing::TestLevel(L"DAY", L"5");
  }
  std::optional<LevelRecord> RandomLevel(std::uint64_t seed, std::int32_t grade) override {
    asked.push_back("random " + std::to_string(seed) + " " + std::to_string(grade));
    if (!makes) return std::nullopt;
    return testing::TestLevel(L"RND", L"55");
  }
  std::int64_t Today() override { return 20000; }
  std::uint64_t NewSeed() override { return 77; }
  std::vector<std::string> asked;
  bool makes = true;
};

TEST(Generated, ARandomLevelPlaysAndRestartsLikeATableLevelAndIsNeverRecorded) {
  World w;
  FixedLevels made;
  w.controller.SetGeneratedLevelSource(&made);
  w.controller.OnRandomKey(3);  // on the menu
  EXPECT_EQ(made.asked, Log{"random 77 3"});
  ASSERT_EQ(w.Ui().screenMode, MODE_PLAY);
  EXPECT_EQ(w.controller.generatedLevel(), GeneratedLevelChoice::Random(3, 77));
  EXPECT_EQ(w.window.log.back(), "all");
  Drop(w, Position{0, -1}, Position{4, 4});
  w.controller.OnCommand(ID_RESTART);  // sets up the generated level again
  EXPECT_EQ(w.puzzle.currentLevel(), kGeneratedLevel);
  EXPECT_EQ(w.puzzle.tray()[0].kind, KIND_ELBOW);
  EXPECT_EQ(w.puzzle.At(Position{4, 4})->kind, KIND_EMPTY);
  w.controller.OnUndo();
  EXPECT_EQ(w.puzzle.At(Position{4, 4})->kind, KIND_ELBOW);

  w.controller.OnRandomKey(0);  // not on the menu: nothing
  w.controller.OnOkCommand();
  w.controller.OnRandomKey(0);  // the grade chosen last
  EXPECT_EQ(made.asked, (Log{"random 77 3", "random 77 3"}));

  // A grade outside 1..5, or a level that cannot be made: nothing changes.
  w.StartPlaying(2);
  EXPECT_FALSE(w.controller.generatedLevel());
  EXPECT_FALSE(w.controller.StartGeneratedLevel(GeneratedLevelChoice::Random(6, 1)));
  made.makes = false;
  EXPECT_FALSE(w.controller.StartGeneratedLevel(GeneratedLevelChoice::Random(2, 1)));
  EXPECT_EQ(w.puzzle.currentLevel(), 2);
  EXPECT_EQ(w.window.Take(), Log{});
}

}  // namespace
}  // namespace qw
