#include "ui/board_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace qw {
namespace {

constexpr std::int32_t kFar = kCoordinateLimit;
constexpr Rect kTray{15, 250, 226, 272};
constexpr Rect kBoard{15, 40, 226, 251};

TEST(BoardGeometry, CellsAndHitTestAtGapsAndEdges) {
  const BoardGeometry g(kTray, kBoard);
  EXPECT_EQ(g.CellRect(0, 0), (Rect{16, 41, 36, 61}));
  EXPECT_EQ(g.CellRect(9, 9), (Rect{205, 230, 225, 250}));
  EXPECT_EQ(g.CellRect(3, -1), (Rect{79, 251, 99, 271}));
  EXPECT_EQ(g.HitTest({36, 50}), kNoPosition);  // gap between columns
  EXPECT_EQ(g.HitTest({37, 50}), (Position{1, 0}));
  EXPECT_EQ(g.HitTest({16, 41}), (Position{0, 0}));
  EXPECT_EQ(g.HitTest({35, 60}), (Position{0, 0}));
  EXPECT_EQ(g.HitTest({20, 61}), kNoPosition);  // gap between rows
  EXPECT_EQ(g.HitTest({15, 40}), kNoPosition);  // frame
  EXPECT_EQ(g.HitTest({225, 250}), kNoPosition);
  EXPECT_EQ(g.HitTest({224, 270}), (Position{9, -1}));
  EXPECT_EQ(g.CellCentre({0, 0}), (Point{26, 51}));
  EXPECT_EQ(RectCenter(Rect{-3, -3, 0, 0}), (Point{-1, -1}));  // truncated toward zero

  // Tray and board on top of each other: the tray slot of a column wins.
  EXPECT_EQ(BoardGeometry(kBoard, kBoard).HitTest({37, 50}), (Position{1, -1}));
  // Items at the ends of the coordinate range: cells past them are plain
  // sums, still far inside int32.
  const BoardGeometry far(Rect{-kFar, -kFar, 0, 0}, Rect{kFar, kFar, kFar, kFar});
  EXPECT_EQ(far.CellRect(9, 9), (Rect{kFar + 190, kFar + 190, kFar + 210, kFar + 210}));
  EXPECT_EQ(far.CellRect(0, -1), (Rect{1 - kFar, 1 - kFar, 21 - kFar, 21 - kFar}));
  EXPECT_EQ(far.CellCentre({9, 9}), (Point{kFar + 200, kFar + 200}));
}

TEST(BoardGeometry, WaterLinesRunCentreToCentreAndPastTheEdge) {
  const BoardGeometry g(kTray, kBoard);
  EXPECT_EQ(g.WaterLine({{0, 0}, 2}), std::make_pair(Point{26, 51}, Point{47, 51}));
  EXPECT_EQ(g.WaterLine({{0, 0}, 7}), std::make_pair(Point{26, 51}, Point{5, 30}));  // off the board
  EXPECT_EQ(g.WaterLine({{9, 9}, 3}), std::make_pair(Point{215, 240}, Point{236, 261}));
  EXPECT_EQ(g.WaterLine({{4, 4}, 8}), std::make_pair(Point{110, 135}, Point{110, 135}));  // no direction
  Point p{kFar, -kFar};
  StepPoint(p, 1, 21);
  EXPECT_EQ(p, (Point{kFar + 21, -kFar - 21}));
}

}  // namespace
}  // namespace qw
