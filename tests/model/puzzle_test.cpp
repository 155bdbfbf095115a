#include "model/puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "common/make_level.h"

namespace qw {
namespace {

using testing::MakeLevel;

constexpr std::int32_t kBig = std::numeric_limits<std::int32_t>::max();

class PuzzleTest : public ::testing::Test {
 protected:
  std::vector<LevelRecord> levels{MakeLevel(3, 2, 1, 12, 5, L"7,70", L"99"),
                                  MakeLevel(4, 3, 3, 0, 0, L"5,6,8", L"6,8,5", L"8,5"),
                                  MakeLevel(0, 0, 0, 55, 2, L""),
                                  // Water runs east along row 0; an elbow at
                                  // (5, 0) turned twice sends it south to the
                                  // fire at (5, 5) and on to the hazard.
                                  MakeLevel(2, 1, 0, 0, 2, L"55", L"95", L"9")};
  Puzzle puzzle{levels};

  PieceKind KindAt(std::int32_t x, std::int32_t y) { return puzzle.BoardCell(x, y)->kind; }
  std::int32_t Placed() {
    return static_cast<std::int32_t>(
        std::count_if(puzzle.board().begin(), puzzle.board().end(),
                      [](const Cell& c) { return c.kind != KIND_EMPTY; }));
  }
};

TEST_F(PuzzleTest, LaterPlacementsWinAndTraysMayBeFullOrEmpty) {
  ASSERT_TRUE(puzzle.StartLevel(1));
  EXPECT_EQ(puzzle.tray()[9], (Cell{KIND_SPLITTER, 0}));
  EXPECT_EQ(KindAt(0, 0), KIND_SOURCE);
  EXPECT_EQ(KindAt(5, 0), KIND_WALL);  // named as fire, hazard and wall
  EXPECT_EQ(KindAt(6, 0), KIND_SPARK);
  EXPECT_EQ(KindAt(8, 0), KIND_WALL);

  ASSERT_TRUE(puzzle.StartLevel(2));
  for (const Cell& c : puzzle.tray()) EXPECT_EQ(c, (Cell{KIND_EMPTY, 0}));
  EXPECT_EQ(Placed(), 1);  // the old level is gone
  EXPECT_EQ(*puzzle.BoardCell(5, 5), (Cell{KIND_SOURCE, 2}));

  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kSolved);  // no fire to put out

  // No such level: nothing changes.
  EXPECT_FALSE(puzzle.StartLevel(4));
  EXPECT_FALSE(puzzle.StartLevel(-1));
  EXPECT_EQ(Placed(), 1);
  EXPECT_EQ(puzzle.currentLevel(), 2);
}

TEST_F(PuzzleTest, RecordsOutsideTheFormatStayInsideTrayBoardAndPieceStrip) {
  levels = {MakeLevel(-3, kBig, 5, 100, -1, L"-1,100,abc,9999999999", L",", L"-5"),
            MakeLevel(8, 5, 3, 99, 9, L""), MakeLevel(0, 0, 0, 0, -1, L"")};
  ASSERT_TRUE(puzzle.StartLevel(0));
  for (const Cell& c : puzzle.tray()) EXPECT_EQ(c, (Cell{KIND_BEND, 0}));
  EXPECT_EQ(KindAt(0, 0), KIND_SPARK);  // fields without digits read as cell 0
  EXPECT_EQ(Placed(), 1);               // and no source at cell 100

  ASSERT_TRUE(puzzle.StartLevel(1));
  EXPECT_EQ(puzzle.tray()[7].kind, KIND_ELBOW);
  EXPECT_EQ(puzzle.tray()[9].kind, KIND_BEND);
  EXPECT_EQ(puzzle.board()[99].variant, 1);  // rotations modulo 8
  ASSERT_TRUE(puzzle.StartLevel(2));
  EXPECT_EQ(puzzle.board()[0].variant, 7);
}

TEST_F(PuzzleTest, TurnPieceTracesTheBoardAgain) {
  ASSERT_TRUE(puzzle.StartLevel(3));
  ASSERT_TRUE(puzzle.Apply(Step::Move({0, -1}, {5, 0})));
  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kPlaying);  // rotation 0 stops the water
  EXPECT_TRUE(puzzle.Apply(Step::Turn({5, 0}, true)));
  EXPECT_TRUE(puzzle.Apply(Step::Turn({5, 0}, true)));
  EXPECT_EQ(puzzle.BoardCell(5, 5)->variant, 1);     // doused on the way
  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kFailed);  // and the hazard below it wins
  EXPECT_TRUE(puzzle.Apply(Step::Turn({5, 0}, false)));
  EXPECT_EQ(puzzle.BoardCell(5, 5)->variant, 0);  // the water cut off: it burns again
  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kPlaying);

  const auto board = puzzle.board();
  const auto tray = puzzle.tray();
  for (Position p : {kNoPosition, Position{10, -1}, Position{-1, 3}, Position{3, 10}}) {
    EXPECT_FALSE(puzzle.Apply(Step::Turn(p, true)));
  }
  EXPECT_EQ(puzzle.board(), board);
  EXPECT_EQ(puzzle.tray(), tray);
}

TEST_F(PuzzleTest, MovePieceTakesPipePiecesToEmptyPlacesOnly) {
  levels[3].hazardCells = L"";  // the elbow turned twice now solves the level
  ASSERT_TRUE(puzzle.StartLevel(3));
  puzzle.Apply(Step::Turn({1, -1}, true));
  puzzle.Apply(Step::Turn({1, -1}, true));

  // Tray to cell: the whole piece moves with its rotation and is selected;
  // the slot it left is empty.
  ASSERT_TRUE(puzzle.Apply(Step::Move({1, -1}, {5, 0})));
  EXPECT_EQ(*puzzle.BoardCell(5, 0), (Cell{KIND_ELBOW, 2}));
  EXPECT_EQ(puzzle.tray()[1].kind, KIND_EMPTY);
  EXPECT_EQ(puzzle.selection(), (Position{5, 0}));
  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kSolved);  // traced at once

  // Not onto a piece, a fire, the source, a wall, or off the tray and board;
  // not from an empty place or a piece of the level's own.
  const auto board = puzzle.board();
  const auto tray = puzzle.tray();
  for (const auto& [from, to] : std::vector<std::pair<Position, Position>>{{{0, -1}, {5, 0}},
                                                                           {{0, -1}, {5, 5}},
                                                                           {{0, -1}, {0, 0}},
                                                                           {{0, -1}, {9, 0}},
                                                                           {{0, -1}, {10, -1}},
                                                                           {{0, -1}, {3, 10}},
                                                                           {{0, -1}, kNoPosition},
                                                                           {{1, -1}, {3, 3}},
                                                                           {{4, 4}, {3, 3}},
                                                                           {{5, 5}, {3, 3}},
                                                                           {{0, 0}, {3, 3}},
                                                                           {kNoPosition, {3, 3}},
                                                                           {{5, 0}, {5, 0}}}) {
    EXPECT_FALSE(puzzle.Apply(Step::Move(from, to)))
        << from.x << "," << from.y << " to " << to.x << "," << to.y;
  }
  EXPECT_EQ(puzzle.board(), board);
  EXPECT_EQ(puzzle.tray(), tray);
  EXPECT_EQ(puzzle.selection(), (Position{5, 0}));

  // Cell to cell, cell back to any empty slot.
  ASSERT_TRUE(puzzle.Apply(Step::Move({5, 0}, {3, 3})));
  EXPECT_EQ(puzzle.GetOutcome(), Outcome::kPlaying);  // the fire burns again
  EXPECT_EQ(puzzle.BoardCell(5, 5)->variant, 0);
  ASSERT_TRUE(puzzle.Apply(Step::Move({3, 3}, {7, -1})));
  EXPECT_EQ(puzzle.tray()[7], (Cell{KIND_ELBOW, 2}));
  EXPECT_EQ(puzzle.BoardCell(3, 3)->kind, KIND_EMPTY);
  EXPECT_EQ(puzzle.selection(), (Position{7, -1}));
}

}  // namespace
}  // namespace qw
