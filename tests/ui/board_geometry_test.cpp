#include "ui/board_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace qw {
namespace {

constexpr std::int32_t kFar = kCoordinateLimit;
constexpr Rect kBoard{15, 40, 226, 251};

// Where cells and water lines fall is seen in every golden shot; taps there
// land on cells only, so the gaps and edges are checked here, with layouts
// the game never ships.
TEST(BoardGeometry, HitTestGapsEdgesOverlapsAndTheInt32Limits) {
  const BoardGeometry g(Rect{15, 250, 226, 272}, kBoard);
  EXPECT_EQ(g.HitTest({36, 50}), kNoPosition);  // gap between columns
  EXPECT_EQ(g.HitTest({37, 50}), (Position{1, 0}));
  EXPECT_EQ(g.HitTest({16, 41}), (Position{0, 0}));
  EXPECT_EQ(g.HitTest({35, 60}), (Position{0, 0}));
  EXPECT_EQ(g.HitTest({20, 61}), kNoPosition);  // gap between rows
  EXPECT_EQ(g.HitTest({15, 40}), kNoPosition);  // frame
  EXPECT_EQ(g.HitTest({225, 250}), kNoPosition);
  EXPECT_EQ(g.HitTest({224, 270}), (Position{9, -1}));
  EXPECT_EQ(RectCenter(Rect{-3, -3, 0, 0}), (Point{-1, -1}));  // truncated toward zero
  // Tray and board on top of each other: the tray slot of a column wins.
  EXPECT_EQ(BoardGeometry(kBoard, kBoard).HitTest({37, 50}), (Position{1, -1}));
  // Items at the ends of the coordinate range: cells past them are plain
  // sums, still far inside int32.
  const BoardGeometry far(Rect{-kFar, -kFar, 0, 0}, Rect{kFar, kFar, kFar, kFar});
  EXPECT_EQ(far.CellRect(9, 9), (Rect{kFar + 190, kFar + 190, kFar + 210, kFar + 210}));
  EXPECT_EQ(far.CellRect(0, -1), (Rect{1 - kFar, 1 - kFar, 21 - kFar, 21 - kFar}));
  EXPECT_EQ(far.CellCentre({9, 9}), (Point{kFar + 200, kFar + 200}));
  Point p{kFar, -kFar};
  StepPoint(p, 1, 21);
  EXPECT_EQ(p, (Point{kFar + 21, -kFar - 21}));
}

}  // namespace
}  // namespace qw
