#include "model/puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "fakes.h"

namespace qw {
namespace {

using testing::AllEffect;
using testing::RectEffect;
using testing::ToolbarEffect;

constexpr std::int32_t kBig = std::numeric_limits<std::int32_t>::max();

LevelRecord Level(std::int32_t elbows, std::int32_t bends, std::int32_t splitters,
                  std::int32_t sourceCell, std::int32_t sourceRotation, std::wstring fires,
                  std::wstring hazards = L"", std::wstring walls = L"") {
  LevelRecord r;
  r.elbowCount = elbows;
  r.bendCount = bends;
  r.splitterCount = splitters;
  r.sourceCell = sourceCell;
  r.sourceRotation = sourceRotation;
  r.fireCells = std::move(fires);
  r.hazardCells = std::move(hazards);
  r.wallCells = std::move(walls);
  return r;
}

constexpr Rect kTray{15, 250, 226, 272};
constexpr Rect kBoard{15, 40, 226, 251};

class PuzzleTest : public ::testing::Test {
 protected:
  std::vector<LevelRecord> levels{Level(3, 2, 1, 12, 5, L"7,70", L"99"),
                                  Level(4, 3, 3, 0, 0, L"5,6,8", L"6,8,5", L"8,5"),
                                  Level(0, 0, 0, 55, 2, L"")};
  testing::RecordingEffects effects;
  Puzzle puzzle{levels, kTray, kBoard, effects};

  std::int32_t KindAt(std::int32_t x, std::int32_t y) { return puzzle.BoardCell(x, y)->kind; }
  std::int32_t Placed() {
    return static_cast<std::int32_t>(
        std::count_if(puzzle.board.begin(), puzzle.board.end(),
                      [](const Cell& c) { return c.kind != KIND_EMPTY; }));
  }
};

TEST_F(PuzzleTest, StartLevelFillsTrayAndBoardAndResetsThePlay) {
  EXPECT_EQ(puzzle.tray[0], Cell{});  // nothing before the first level
  puzzle.press = {1, 1, {5, 5}, {2, 3}};
  puzzle.selection = {4, 4};
  ASSERT_TRUE(puzzle.StartLevel(0));
  const std::int32_t kinds[] = {0, 0, 0, 8, 8, 16, -1, -1, -1, -1};
  for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(puzzle.tray[k], (Cell{kinds[k], 0})) << k;
  // Cell number n is column n % 10, row n / 10; storage is column by column.
  EXPECT_EQ(puzzle.board[21], (Cell{KIND_SOURCE, 5}));  // cell number 12
  EXPECT_EQ(KindAt(7, 0), KIND_FIRE);
  EXPECT_EQ(KindAt(0, 7), KIND_FIRE);
  EXPECT_EQ(puzzle.board[99], (Cell{KIND_SPARK, 0}));
  EXPECT_EQ(Placed(), 4);

  EXPECT_EQ(puzzle.currentLevel, 0);
  EXPECT_EQ(puzzle.screenMode, MODE_PLAY);
  EXPECT_EQ(puzzle.selection, kNoPosition);
  EXPECT_EQ(puzzle.press.buttonDown + puzzle.press.dragging, 0);
  EXPECT_EQ(puzzle.press.lastPoint, (Point{-1, -1}));
  EXPECT_EQ(puzzle.press.dragSource, kNoPosition);
  EXPECT_EQ(effects.calls, (std::vector{ToolbarEffect(true), AllEffect()}));
}

TEST_F(PuzzleTest, LaterPlacementsWinAndTraysMayBeFullOrEmpty) {
  ASSERT_TRUE(puzzle.StartLevel(1));
  EXPECT_EQ(puzzle.tray[9], (Cell{KIND_SPLITTER, 0}));
  EXPECT_EQ(KindAt(0, 0), KIND_SOURCE);
  EXPECT_EQ(KindAt(5, 0), KIND_WALL);  // named as fire, hazard and wall
  EXPECT_EQ(KindAt(6, 0), KIND_SPARK);
  EXPECT_EQ(KindAt(8, 0), KIND_WALL);

  ASSERT_TRUE(puzzle.StartLevel(2));
  for (const Cell& c : puzzle.tray) EXPECT_EQ(c, (Cell{KIND_EMPTY, 0}));
  EXPECT_EQ(Placed(), 1);  // the old level is gone
  EXPECT_EQ(*puzzle.BoardCell(5, 5), (Cell{KIND_SOURCE, 2}));

  // No such level: nothing changes, not even the mode.
  puzzle.screenMode = MODE_FAILED;
  effects.calls.clear();
  EXPECT_FALSE(puzzle.StartLevel(3));
  EXPECT_FALSE(puzzle.StartLevel(-1));
  EXPECT_EQ(Placed(), 1);
  EXPECT_EQ(puzzle.currentLevel, 2);
  EXPECT_EQ(puzzle.screenMode, MODE_FAILED);
  EXPECT_TRUE(effects.calls.empty());
}

TEST_F(PuzzleTest, RecordsOutsideTheFormatStayInsideTrayBoardAndPieceStrip) {
  levels = {Level(-3, kBig, 5, 100, -1, L"-1,100,abc,9999999999", L",", L"-5"),
            Level(8, 5, 3, 99, 9, L""), Level(0, 0, 0, 0, -1, L"")};
  ASSERT_TRUE(puzzle.StartLevel(0));
  for (const Cell& c : puzzle.tray) EXPECT_EQ(c, (Cell{KIND_BEND, 0}));
  EXPECT_EQ(KindAt(0, 0), KIND_SPARK);  // fields without digits read as cell 0
  EXPECT_EQ(Placed(), 1);               // and no source at cell 100

  ASSERT_TRUE(puzzle.StartLevel(1));
  EXPECT_EQ(puzzle.tray[7].kind, KIND_ELBOW);
  EXPECT_EQ(puzzle.tray[9].kind, KIND_BEND);
  EXPECT_EQ(puzzle.board[99].variant, 1);  // rotations modulo 8
  ASSERT_TRUE(puzzle.StartLevel(2));
  EXPECT_EQ(puzzle.board[0].variant, 7);
}

TEST_F(PuzzleTest, RestartAndNextLevel) {
  EXPECT_EQ(puzzle.NextLevelIndex(), -1);
  puzzle.screenMode = MODE_FAILED;
  puzzle.RestartLevel();  // no level yet: nothing to start
  EXPECT_EQ(puzzle.screenMode, MODE_FAILED);

  ASSERT_TRUE(puzzle.StartLevel(1));
  EXPECT_EQ(puzzle.NextLevelIndex(), 2);
  puzzle.board[55] = Cell{KIND_ELBOW, 3};
  puzzle.tray[0].kind = KIND_EMPTY;
  puzzle.screenMode = MODE_MENU;
  puzzle.RestartLevel();
  EXPECT_EQ(puzzle.tray[0].kind, KIND_EMPTY);
  puzzle.screenMode = MODE_FAILED;
  puzzle.RestartLevel();
  EXPECT_EQ(puzzle.screenMode, MODE_PLAY);
  EXPECT_EQ(puzzle.tray[0], (Cell{KIND_ELBOW, 0}));
  EXPECT_EQ(puzzle.board[55].kind, KIND_EMPTY);

  ASSERT_TRUE(puzzle.StartLevel(2));
  EXPECT_EQ(puzzle.NextLevelIndex(), -1);
}

TEST_F(PuzzleTest, TurnPieceWrapsAndRepaintsSlotOrBoard) {
  ASSERT_TRUE(puzzle.StartLevel(0));
  effects.calls.clear();
  puzzle.TurnPiece(2, -1, false);
  EXPECT_EQ(puzzle.tray[2].variant, 7);
  puzzle.TurnPiece(2, -1, true);
  EXPECT_EQ(puzzle.tray[2].variant, 0);
  puzzle.board[33] = Cell{KIND_BEND, 7};
  puzzle.TurnPiece(3, 3, true);
  EXPECT_EQ(puzzle.board[33].variant, 0);
  const Rect slot2{58, 251, 78, 271};
  EXPECT_EQ(effects.calls, (std::vector{RectEffect(slot2), RectEffect(slot2), RectEffect(kBoard)}));

  effects.calls.clear();
  const auto board = puzzle.board;
  for (Position p : {kNoPosition, Position{10, -1}, Position{-1, 3}, Position{3, 10}}) {
    puzzle.TurnPiece(p.x, p.y, true);
  }
  EXPECT_EQ(puzzle.board, board);
  EXPECT_TRUE(effects.calls.empty());
}

TEST_F(PuzzleTest, SelectCellRepaintsOldAndNewCell) {
  puzzle.SelectCell(2, 3);
  puzzle.SelectCell(2, 3);
  puzzle.SelectCell(4, -1);
  puzzle.SelectCell(-1, -1);
  const Rect cell{58, 104, 78, 124};
  const Rect slot{100, 251, 120, 271};
  EXPECT_EQ(effects.calls, (std::vector{RectEffect(cell), RectEffect(cell), RectEffect(cell),
                                        RectEffect(cell), RectEffect(slot), RectEffect(slot)}));
  EXPECT_EQ(puzzle.selection, kNoPosition);
}

TEST_F(PuzzleTest, CellGeometryAndHitTestAtGapsAndEdges) {
  EXPECT_EQ(puzzle.CellRect(0, 0), (Rect{16, 41, 36, 61}));
  EXPECT_EQ(puzzle.CellRect(9, 9), (Rect{205, 230, 225, 250}));
  EXPECT_EQ(puzzle.CellRect(3, -1), (Rect{79, 251, 99, 271}));
  EXPECT_EQ(puzzle.HitTest({36, 50}), kNoPosition);  // gap between columns
  EXPECT_EQ(puzzle.HitTest({37, 50}), (Position{1, 0}));
  EXPECT_EQ(puzzle.HitTest({16, 41}), (Position{0, 0}));
  EXPECT_EQ(puzzle.HitTest({35, 60}), (Position{0, 0}));
  EXPECT_EQ(puzzle.HitTest({20, 61}), kNoPosition);  // gap between rows
  EXPECT_EQ(puzzle.HitTest({15, 40}), kNoPosition);  // frame
  EXPECT_EQ(puzzle.HitTest({225, 250}), kNoPosition);
  EXPECT_EQ(puzzle.HitTest({224, 270}), (Position{9, -1}));
  EXPECT_EQ(RectCenter(puzzle.CellRect(0, 0)), (Point{26, 51}));
  EXPECT_EQ(RectCenter(Rect{-3, -3, 0, 0}), (Point{-1, -1}));  // truncated toward zero

  // Tray and board on top of each other: the tray slot of a column wins.
  Puzzle stacked{levels, kBoard, kBoard, effects};
  EXPECT_EQ(stacked.HitTest({37, 50}), (Position{1, -1}));
  // Layout values at the int32 limits saturate instead of overflowing.
  Puzzle far{levels, Rect{-kBig, -kBig, 0, 0}, Rect{kBig - 5, kBig - 5, kBig, kBig}, effects};
  EXPECT_EQ(far.CellRect(9, 9), (Rect{kBig, kBig, kBig, kBig}));
  EXPECT_EQ(far.CellRect(-kBig, -1).left, -kBig - 1);
  EXPECT_EQ(RectCenter(far.CellRect(9, 9)), (Point{kBig, kBig}));
  EXPECT_EQ(puzzle.At({10, -1}), nullptr);
  EXPECT_EQ(puzzle.At({0, 10}), nullptr);
}

}  // namespace
}  // namespace qw
