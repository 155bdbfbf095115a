#include "model/history.h"

#include <gtest/gtest.h>

#include <random>

#include "data/levels.h"

namespace qw {
namespace {

struct Shot {
  std::array<Cell, kTraySlots> tray;
  Board board;
  std::size_t waterSteps = 0;
  friend bool operator==(const Shot&, const Shot&) = default;
};

Shot Take(const Puzzle& p) { return Shot{p.tray(), p.board(), p.Water().steps.size()}; }

TEST(StepText, RoundTripsEveryKindAndRejectsWhatNoStepWrites) {
  const std::vector<Step> steps{Step::Move({3, -1}, {4, 5}),
                                Step::Move({9, 9}, {0, -1}),
                                Step::Turn({4, 5}, true),
                                Step::Turn({0, -1}, false),
                                Step::Restart(),
                                Step::Move({3, -1}, {4, 5}, 6),
                                Step::Move({3, -1}, {4, 5}, 0),
                                Step::Turn({4, 5}, false, 3),
                                Step::Turn({4, 5}, true, 7)};
  for (Step s : steps) {
    EXPECT_EQ(ParseStep(StepText(s)), s) << StepText(s);
    s.hint = true;
    EXPECT_EQ(ParseStep(StepText(s)), s) << StepText(s);
  }
  EXPECT_EQ(StepText(Step::Move({3, -1}, {4, 5})), "move 3 -1 4 5");
  EXPECT_EQ(StepText(Step::Turn({4, 5}, false, 3)), "turn 4 5 ccw 3");
  for (const char* bad : {"",
                          "hint",
                          "move 3 -1 4",
                          "move 3 -1 4 5 6",
                          "move 1 1 1 1",
                          "move 10 -1 4 5",
                          "move 3 -2 4 5",
                          "turn 4 5",
                          "turn 4 5 left",
                          "turn 4 10 cw",
                          "restart now",
                          "turn x 5 cw",
                          "jump 1 1",
                          "hint hint restart",
                          "move 3 -1 4 5 r8",
                          "move 3 -1 4 5 6",
                          "move 3 -1 4 5 r-1",
                          "turn 4 5 cw 1",
                          "turn 4 5 cw 8",
                          "turn 4 5 cw 2 2"}) {
    EXPECT_FALSE(ParseStep(bad).has_value()) << bad;
  }
}

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto loaded = LoadLevels(QW_SHIPPED_LEVELS);
    ASSERT_TRUE(loaded.has_value());
    levels = *loaded;
  }
  std::vector<LevelRecord> levels;
};

TEST_F(HistoryTest, UndoSelectsTheMovedPieceAndRedoDropsOnANewStep) {
  Puzzle puzzle(levels);
  History history;
  ASSERT_TRUE(puzzle.StartLevel(0));
  const Shot start = Take(puzzle);
  EXPECT_FALSE(history.Undo(puzzle));
  // Only pipe pieces turn: a saved step can never turn the nozzle.
  for (std::int32_t i = 0; i < kBoardCells; ++i) {
    const Position at{i / kBoardSize, i % kBoardSize};
    if (puzzle.BoardCell(at.x, at.y)->kind != KIND_EMPTY) {
      EXPECT_FALSE(history.Apply(puzzle, Step::Turn(at, true)));
    }
  }
  EXPECT_EQ(Take(puzzle), start);
  ASSERT_TRUE(history.Apply(puzzle, Step::Move({0, -1}, {9, 9})));
  EXPECT_FALSE(history.Apply(puzzle, Step::Move({9, 9}, {9, 9})));  // a drag back where it began
  ASSERT_TRUE(history.Apply(puzzle, Step::Turn({9, 9}, true)));
  EXPECT_EQ(history.UndoCount(), 2u);
  ASSERT_TRUE(history.Undo(puzzle));
  EXPECT_EQ(puzzle.BoardCell(9, 9)->variant, 0);
  ASSERT_TRUE(history.Undo(puzzle));
  EXPECT_EQ(Take(puzzle), start);
  EXPECT_EQ(puzzle.selection(), (Position{0, -1}));
  EXPECT_EQ(history.RedoCount(), 2u);
  ASSERT_TRUE(history.Apply(puzzle, Step::Turn({0, -1}, false)));
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_FALSE(history.Redo(puzzle));
  // A restart is a step: undone, the board comes back.
  ASSERT_TRUE(history.Apply(puzzle, Step::Move({0, -1}, {5, 5})));
  const Shot placed = Take(puzzle);
  ASSERT_TRUE(history.Apply(puzzle, Step::Restart()));
  EXPECT_EQ(Take(puzzle), start);
  ASSERT_TRUE(history.Undo(puzzle));
  EXPECT_EQ(Take(puzzle), placed);
  EXPECT_EQ(puzzle.Water().steps.size(), [&] {
    Puzzle again(levels);
    again.StartLevel(0);
    again.Apply(Step::Turn({0, -1}, false));
    again.Apply(Step::Move({0, -1}, {5, 5}));
    return again.Water().steps.size();
  }());
}

// Random steps on every shipped level; then undo back to the start meets
// every state on the way in reverse, and redo to the end meets them again.
TEST_F(HistoryTest, UndoAndRedoRetraceRandomPlayOnEveryShippedLevel) {
  std::mt19937 random(12);
  auto pick = [&](std::int32_t lo, std::int32_t hi) {
    return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
  };
  auto place = [&]() {
    return pick(0, 3) == 0 ? Position{pick(0, kTraySlots - 1), -1}
                           : Position{pick(0, 9), pick(0, 9)};
  };
  for (std::int32_t level = 0; level < static_cast<std::int32_t>(levels.size()); ++level) {
    Puzzle puzzle(levels);
    History history;
    ASSERT_TRUE(puzzle.StartLevel(level));
    std::vector<Shot> states{Take(puzzle)};
    std::vector<Position> selected{kNoPosition};
    for (int tries = 0; tries < 400 && states.size() < 60; ++tries) {
      const std::int32_t kind = pick(0, 19);
      const Step step = kind == 0   ? Step::Restart()
                        : kind < 8  ? Step::Turn(place(), pick(0, 1) == 1, pick(1, 7))
                        : kind < 12 ? Step::Move(place(), place(), pick(-1, 7))
                                    : Step::Move(place(), place());
      if (!history.Apply(puzzle, step)) continue;
      states.push_back(Take(puzzle));
      selected.push_back(step.from);
      if (pick(0, 9) == 0) {  // an undo and redo on the way changes nothing
        ASSERT_TRUE(history.Undo(puzzle));
        ASSERT_TRUE(history.Redo(puzzle));
        ASSERT_EQ(Take(puzzle), states.back());
      }
    }
    ASSERT_EQ(history.UndoCount(), states.size() - 1);
    for (std::size_t i = states.size() - 1; i-- > 0;) {
      ASSERT_TRUE(history.Undo(puzzle));
      ASSERT_EQ(Take(puzzle), states[i]) << "level " << level << " undo to " << i;
      if (selected[i + 1] != kNoPosition) {  // a restart's undo keeps the old selection
        EXPECT_EQ(puzzle.selection(), selected[i + 1]);
      }
    }
    EXPECT_FALSE(history.Undo(puzzle));
    for (std::size_t i = 1; i < states.size(); ++i) {
      ASSERT_TRUE(history.Redo(puzzle));
      ASSERT_EQ(Take(puzzle), states[i]) << "level " << level << " redo to " << i;
    }
    EXPECT_FALSE(history.Redo(puzzle));
    // The text form replays the same game from the level's start.
    Puzzle replay(levels);
    replay.StartLevel(level);
    for (const Step& s : history.Steps()) ASSERT_TRUE(replay.Apply(*ParseStep(StepText(s))));
    EXPECT_EQ(Take(replay), states.back());
  }
}

}  // namespace
}  // namespace qw
