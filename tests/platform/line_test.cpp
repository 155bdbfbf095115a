#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

#include "picture.h"
#include "platform/canvas.h"
#include "platform/line.h"

namespace qw {
namespace {

using test::kRed;
using test::kWhite;
using test::Picture;

Surface Drawn(int size, Point from, Point to, int width) {
  Surface s(size, size);
  Canvas canvas(s);
  canvas.DrawLine(from, to, width, kWhite);
  return s;
}

// The line rule the slow way: pixel i of n lies i steps along the longer
// axis and round(i * shorter / n) along the other, a half rounded toward the
// start; each paints the w x w square from p - w/2.
Surface Reference(int size, Point from, Point to, int w) {
  Surface s(size, size);
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int n = std::max(std::abs(dx), std::abs(dy));
  const auto along = [&](int i, int d) {
    const int steps = (2 * i * std::abs(d) + n - 1) / (2 * n);  // ceil(i|d|/n - 1/2)
    return d < 0 ? -steps : steps;
  };
  for (int i = 0; i < n; ++i) {
    const Rect square =
        RectFromSize(from.x + along(i, dx) - w / 2, from.y + along(i, dy) - w / 2, w, w);
    for (int y = square.top; y < square.bottom; ++y) {
      for (int x = square.left; x < square.right; ++x) {
        s.SetPixel(x, y, 0xFFFFFF);
      }
    }
  }
  return s;
}

TEST(Line, HandDrawnPicturesOfTheRule) {
  // From the centre of a 7x7 surface, three steps: width 2 adds p - 1 on both
  // axes; going up or left, the square of the last pixel reaches the end.
  const Point c{3, 3};
  EXPECT_EQ(Picture(Drawn(7, c, Point{0, 0}, 1)),
            ".......|.#.....|..#....|...#...|.......|.......|.......");
  EXPECT_EQ(Picture(Drawn(7, c, Point{0, 3}, 2)),
            ".......|.......|####...|####...|.......|.......|.......");
  EXPECT_EQ(Picture(Drawn(7, c, Point{6, 6}, 2)),
            ".......|.......|..##...|..###..|...###.|....##.|.......");
  EXPECT_EQ(Picture(Drawn(7, c, Point{6, 0}, 2)),
            "....##.|...###.|..###..|..##...|.......|.......|.......");
  // A point draws nothing; a width below 1 counts as 1.
  EXPECT_EQ(Picture(Drawn(3, Point{1, 1}, Point{1, 1}, 2)), "...|...|...");
  EXPECT_EQ(Picture(Drawn(3, Point{0, 1}, Point{3, 1}, -7)), "...|###|...");
}

// Any slope, from and past every edge of a small surface, against the rule
// the slow way. Straight and diagonal lines, which the canvas fills as whole
// rectangles, come up in half the rounds; a straight one is a single rectangle.
TEST(Line, EverySlopeFollowsTheRule) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-4, 20);
  std::uniform_int_distribution<int> width(0, 5);
  std::vector<Rect> rects;
  for (int round = 0; round < 2000; ++round) {
    const Point from{coord(rng), coord(rng)};
    Point to{coord(rng), coord(rng)};
    const int len = to.x - from.x;
    switch (round % 4) {
      case 0: to.y = from.y; break;                           // across
      case 1: to.x = from.x; break;                           // down or up
      case 2: to.y = from.y + (len % 2 ? len : -len); break;  // diagonal
      default: break;
    }
    const int w = width(rng);
    ASSERT_EQ(Picture(Drawn(16, from, to, w)), Picture(Reference(16, from, to, std::max(w, 1))))
        << from.x << "," << from.y << " -> " << to.x << "," << to.y << " width " << w;
    LineRects(from, to, w, Rect{0, 0, 16, 16}, rects);
    if (from.x == to.x || from.y == to.y) {
      EXPECT_LE(rects.size(), 1u);
    }
  }
  // The rows of a joined rectangle come back one by one.
  const std::vector<Rect> rows = LineRows(Point{2, 1}, Point{2, 6}, 2, Rect{0, 0, 8, 8});
  ASSERT_EQ(rows.size(), 6u);  // pixels on rows 1..5, squares reaching row 0
  EXPECT_EQ(rows.front(), (Rect{1, 0, 3, 1}));
  EXPECT_EQ(rows.back(), (Rect{1, 5, 3, 6}));
}

TEST(Line, ClippedWithHugeCoordinates) {
  Surface s(8, 8);
  Canvas canvas(s);
  canvas.IntersectClipRect(Rect{0, 3, 8, 8});
  canvas.DrawLine(Point{INT_MIN, INT_MIN}, Point{INT_MAX, INT_MAX}, 2, kRed);
  canvas.DrawLine(Point{2, INT_MAX}, Point{2, INT_MIN}, 1, kWhite);
  canvas.DrawLine(Point{INT_MAX, 7}, Point{INT_MIN, 7}, 1, kWhite);
  EXPECT_EQ(Picture(s), "........|........|........|..#rr...|..#rrr..|..#.rrr.|..#..rrr|########");
  canvas.DrawLine(Point{0, 0}, Point{1, 0}, INT_MAX, kWhite);  // one square over everything
  EXPECT_EQ(Picture(s), "........|........|........|########|########|########|########|########");
}

}  // namespace
}  // namespace qw
