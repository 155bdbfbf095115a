// Progress kept while playing, Continue and the level chooser, at the
// controller: a level brought back by Continue in a new game, the boards kept
// of each level, the generated levels' rows and the layout without them.
// (The steps handed to the saver, a solved level's best, the chooser's locked
// rows, pages and passwords are replayed by golden sessions with progress.)
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "data/layout_items.h"
#include "ui/controller.h"
#include "progress/progress_recorder.h"
#include "world.h"

namespace qw {
namespace {

using testing::TestLayout;

class LastSave : public ProgressSink {
 public:
  void Save(const Progress& progress) override { last = progress; }
  std::optional<Progress> last;
};

// The water runs east along the top row from cell 0; an elbow at (3, 0)
// turned twice leads it south to the fire at (3, row).
LevelRecord FireBelow(std::int32_t row, std::wstring password) {
  LevelRecord r = testing::TestLevel(std::move(password), std::to_wstring(row * 10 + 3));
  r.title = L"Below " + std::to_wstring(row);
  return r;
}

// The test layout with the chooser's items after it, apart from the others.
Layout ChooserLayout() {
  Layout layout = TestLayout();
  const Rect places[] = {
      {0, 180, 240, 200},   {10, 182, 110, 198},  {10, 182, 110, 198}, {130, 182, 230, 198},
      {130, 182, 230, 198}, {0, 0, 240, 268},     {10, 20, 230, 220},  {10, 230, 60, 250},
      {150, 230, 180, 250}, {190, 230, 220, 250}, {12, 23, 26, 37},    {12, 23, 26, 37},
      {10, 252, 230, 266},  {70, 230, 140, 250},
  };
  for (const Rect& r : places)
    layout.push_back(LayoutItem{r.left, r.top, r.Width(), r.Height(), 0, 0});
  return layout;
}

// A hint that turns the piece at (6, 4), and notes the levels it was told of.
class TurnHint : public HintSource {
 public:
  Hint Next(const Puzzle&) override {
    return Hint{Hint::Kind::kStep, Step::Turn(Position{6, 4}, true)};
  }
  void LevelStarted(const Puzzle& puzzle) override { started.push_back(puzzle.currentLevel()); }
  std::vector<std::int32_t> started;
};

// One game on its own levels and layout, with a recorder on a clock the test
// moves.
struct Game : testing::World {
  explicit Game(Progress start = {}, Layout lay = ChooserLayout())
      : World(std::move(lay), {FireBelow(5, L"AAA"), FireBelow(6, L"SEAL"), FireBelow(7, L"TEA"),
                               FireBelow(8, L"RAT")}),
        recorder(levels, std::move(start), &sink, [this] { return now; }) {
    controller.SetRecorder(&recorder);
  }
  void TapItem(std::int32_t item) { Tap(ItemCentre(item)); }
  // The chooser's row r on its page.
  Point Row(std::int32_t r) const {
    const Rect list = ItemRect(layout, kItemChooserList);
    return Point{list.left + 40, list.top + LevelChooser::kRowHeight * r + 5};
  }

  LastSave sink;
  std::int64_t now = 0;
  ProgressRecorder recorder;
};

TEST(ProgressPlay, ContinueInANewGameBringsBackTheLevelWithItsHistoryAndHints) {
  Game first;
  TurnHint hint;
  first.controller.SetHintSource(&hint);
  first.controller.StartLevel(2);
  first.Drag(first.Centre(0, -1), first.Centre(3, 0));
  first.Drag(first.Centre(1, -1), first.Centre(6, 4));
  first.controller.OnHint();             // turns the elbow at (6, 4)
  first.controller.OnRotateClockwise();  // and once more
  first.controller.OnUndo();             // one step to redo; the game closes here

  Game second(*first.sink.last);
  TurnHint secondHint;
  second.controller.SetHintSource(&secondHint);
  ASSERT_TRUE(second.controller.state().continueShown);
  second.TapItem(kItemMenuContinue);
  ASSERT_EQ(second.controller.state().screenMode, MODE_PLAY);
  EXPECT_EQ(secondHint.started, std::vector<std::int32_t>{2})
      << "the hints must know the level continued";
  EXPECT_EQ(second.puzzle.currentLevel(), 2);
  EXPECT_EQ(second.puzzle.tray(), first.puzzle.tray());
  EXPECT_EQ(second.puzzle.board(), first.puzzle.board());
  EXPECT_EQ(second.controller.history().UndoCount(), 3u);
  EXPECT_EQ(second.controller.history().RedoCount(), 1u);
  EXPECT_EQ(second.controller.history().hintsUsed(), 1);
  EXPECT_EQ(second.recorder.steps(), first.recorder.steps());

  // Undo takes back the last step made before the game closed; redo the one
  // undone then.
  second.controller.OnUndo();
  first.controller.OnUndo();
  EXPECT_EQ(second.puzzle.board(), first.puzzle.board());
  EXPECT_EQ(second.puzzle.tray(), first.puzzle.tray());
  second.controller.OnRedo();
  second.controller.OnRedo();
  first.controller.OnRedo();
  first.controller.OnRedo();
  EXPECT_EQ(second.puzzle.board(), first.puzzle.board());
  EXPECT_EQ(second.controller.history().RedoCount(), 0u);
}

TEST(ProgressPlay, ASavedLevelWhoseStepsDoNotFitStartsAfresh) {
  // Steps the rules cannot make, or that do not end in the saved board, come
  // from an edited or damaged file: the level starts as new, not half made.
  for (const std::vector<std::string>& undo :
       {std::vector<std::string>{"turn 9 9 cw"}, std::vector<std::string>{"move 0 -1 3 0"}}) {
    Progress start;
    start.play = SavedPlay{};
    start.play->level = KeyOfLevel(FireBelow(6, L"SEAL"));
    start.play->steps = 7;
    start.play->undo = undo;  // the tray and board say nothing was moved
    Game g(start);
    g.TapItem(kItemMenuContinue);
    ASSERT_EQ(g.controller.state().screenMode, MODE_PLAY);
    EXPECT_EQ(g.puzzle.currentLevel(), 1);
    EXPECT_EQ(g.controller.history().UndoCount(), 0u);
    EXPECT_EQ(g.recorder.steps(), 0);
    EXPECT_TRUE(g.sink.last->play->undo.empty());
  }
}

TEST(ProgressPlay, TheOriginalLayoutHasNeitherContinueNorLevels) {
  Game g(Progress{}, TestLayout());
  g.controller.StartLevel(1);
  g.controller.OnOkCommand();
  g.controller.OpenChooser();
  EXPECT_EQ(g.controller.state().screenMode, MODE_MENU);
  // The menu's keys keep to its four buttons.
  g.controller.OnCursorKey(0, 1);
  g.controller.OnCursorKey(0, -1);
  g.controller.OnCursorKey(0, -1);
  EXPECT_EQ(g.controller.state().hoveredButton, 0);
  g.controller.OnCursorKey(1, 0);
  EXPECT_EQ(g.controller.state().hoveredButton, 0);
  // Nothing at the places the new buttons take in the full layout.
  g.controller.OnPenMove(Point{1, 1});  // no highlight left for the taps to press
  const Layout full = ChooserLayout();
  g.Tap(RectCenter(ItemRect(full, kItemMenuContinue)));
  g.Tap(RectCenter(ItemRect(full, kItemMenuLevels)));
  EXPECT_EQ(g.controller.state().screenMode, MODE_MENU);
}

// A daily puzzle whose fire the bare water reaches, and an unsolved random level.
class MadeLevels : public GeneratedLevelSource {
 public:
  std::optional<LevelRecord> DailyLevel(std::int64_t) override {
    return testing::TestLevel(L"DAY", L"5");
  }
  std::optional<LevelRecord> RandomLevel(std::uint64_t, std::int32_t grade) override {
    grades.push_back(grade);
    return testing::TestLevel(L"RND", randomFires);
  }
  std::int64_t Today() override { return 20000; }
  std::uint64_t NewSeed() override { return 7; }
  std::vector<std::int32_t> grades;
  std::wstring randomFires = L"55";
};

TEST(ProgressPlay, TheChooserOffersGeneratedLevelsFirstAndASolvedDailyReturnsToIt) {
  Game g;
  MadeLevels made;
  g.controller.SetGeneratedLevelSource(&made);
  g.TapItem(kItemMenuLevels);
  const LevelChooser& c = g.controller.chooser();
  EXPECT_EQ(g.controller.state().chooserEntry, 6)
      << "at the first level, after the six generated entries";
  EXPECT_EQ(c.RowText(0), L"Daily puzzle");
  EXPECT_EQ(c.RowText(3), L"Random level, grade 3");
  EXPECT_EQ(c.LevelOf(6), 0);
  EXPECT_EQ(c.StateOf(7), EntryState::kLocked);  // the second level, the first unsolved

  // A random level plays without touching the level in play.
  g.controller.StartLevel(1);
  g.controller.OnOkCommand();
  g.TapItem(kItemMenuLevels);
  g.Tap(g.Row(3));
  EXPECT_EQ(made.grades, std::vector<std::int32_t>{3});
  ASSERT_EQ(g.puzzle.currentLevel(), kGeneratedLevel);
  g.Drag(g.Centre(0, -1), g.Centre(4, 4));
  ASSERT_EQ(g.puzzle.At(Position{4, 4})->kind, KIND_ELBOW);
  EXPECT_EQ(g.recorder.LevelInPlay(), 1);
  EXPECT_EQ(g.recorder.steps(), 0);

  // The daily, solved as it starts; the press on Continue leaves for the
  // chooser at the daily's row, and its release there starts nothing.
  g.controller.OnOkCommand();
  g.TapItem(kItemMenuLevels);
  g.Tap(g.Row(0));
  ASSERT_EQ(g.controller.state().screenMode, MODE_SOLVED);
  EXPECT_EQ(g.recorder.progress().dailySolved, std::set<std::int64_t>{20000});
  const Point cont = RectCenter(ItemRect(g.layout, kItemContinue));
  ASSERT_TRUE(PtInRect(ItemRect(g.layout, kItemChooserList), cont));
  g.Tap(cont);
  EXPECT_EQ(g.controller.state().screenMode, MODE_LEVELS);
  EXPECT_EQ(g.controller.state().chooserEntry, 0);
  EXPECT_EQ(c.StateOf(0), EntryState::kSolved);
  EXPECT_EQ(c.DetailText(0), L"Solved today; streak 1 day");

  // A random level solved as it starts: Levels goes back to its grade's row.
  made.randomFires = L"5";
  for (std::int32_t grade = 1; grade <= 5; ++grade) {
    g.Tap(g.Row(grade));
    ASSERT_EQ(g.controller.state().screenMode, MODE_SOLVED);
    g.Tap(cont);
    EXPECT_EQ(g.controller.state().chooserEntry, grade);
  }
}

// (The boards kept of each level, in the chooser and under New game, are
// replayed by a golden session.)
TEST(ProgressPlay, ANewGameOffersContinueFirstOnTheMenu) {
  Game first;
  first.controller.StartLevel(2);
  first.Drag(first.Centre(0, -1), first.Centre(3, 0));

  // The menu's highlight is on Continue, Down reaches New game, a press
  // beside the buttons starts nothing, and Enter on Continue goes on with the
  // level played last.
  Game g(*first.sink.last);
  EXPECT_EQ(g.controller.state().hoveredButton, kMenuContinue);
  g.controller.OnCursorKey(0, 1);
  EXPECT_EQ(g.controller.state().hoveredButton, 0);
  g.controller.OnCursorKey(0, -1);
  g.Tap(Point{1, 1});
  EXPECT_EQ(g.controller.state().screenMode, MODE_MENU);
  g.controller.OnCursorKey(0, 1);
  g.controller.OnCursorKey(0, -1);
  ASSERT_EQ(g.controller.state().hoveredButton, kMenuContinue);
  g.controller.OnActivateKey();
  EXPECT_EQ(g.puzzle.currentLevel(), 2);
  EXPECT_EQ(g.controller.history().UndoCount(), 1u);
}

TEST(ProgressPlay, ASolvedRandomLevelOffersAnotherOfItsGrade) {
  // A random level solved as it starts; the layout with the solved screen's
  // items, Another last.
  class SolvedAtOnce : public MadeLevels {
    std::optional<LevelRecord> RandomLevel(std::uint64_t, std::int32_t grade) override {
      grades.push_back(grade);
      return testing::TestLevel(L"RND", L"5");
    }
  };
  Layout layout = ChooserLayout();
  for (const Rect& r : {Rect{18, 236, 222, 258}, Rect{152, 6, 236, 44}, Rect{152, 46, 236, 76}}) {
    layout.push_back(LayoutItem{r.left, r.top, r.Width(), r.Height(), 0, 0});
  }
  Game g(Progress{}, layout);
  SolvedAtOnce made;
  g.controller.SetGeneratedLevelSource(&made);
  g.controller.OpenChooser(4);
  g.controller.OnActivateKey();
  ASSERT_EQ(g.controller.state().screenMode, MODE_SOLVED);
  g.TapItem(kItemAnotherButton);
  EXPECT_EQ(made.grades, (std::vector<std::int32_t>{4, 4}));
  EXPECT_EQ(g.controller.state().screenMode, MODE_SOLVED);
  EXPECT_TRUE(g.controller.state().anotherShown);
  g.TapItem(kItemContinue);  // Levels
  EXPECT_EQ(g.controller.state().screenMode, MODE_LEVELS);
  EXPECT_FALSE(g.controller.state().anotherShown);
}

}  // namespace
}  // namespace qw
