#include "platform/region.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>

namespace qw {
namespace {

// A pixel-set model on the grid from kLow to kHigh - 1 on both axes.
constexpr int kLow = -4;
constexpr int kHigh = 28;
constexpr int kSize = kHigh - kLow;
using Pixels = std::array<std::array<bool, kSize>, kSize>;

Pixels PixelsOf(const Rect& r) {
  Pixels px{};
  for (int y = std::max(r.top, kLow); y < std::min(r.bottom, kHigh); ++y) {
    for (int x = std::max(r.left, kLow); x < std::min(r.right, kHigh); ++x) {
      px[y - kLow][x - kLow] = true;
    }
  }
  return px;
}

// The region holds exactly the model's pixels, in non-overlapping,
// non-empty rectangles.
void ExpectMatches(const Region& region, const Pixels& px) {
  const auto& rects = region.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    ASSERT_FALSE(rects[i].IsEmpty());
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      ASSERT_TRUE(IntersectRect(rects[i], rects[j]).IsEmpty());
    }
  }
  for (int y = kLow - 1; y <= kHigh; ++y) {
    for (int x = kLow - 1; x <= kHigh; ++x) {
      const bool in = x >= kLow && y >= kLow && x < kHigh && y < kHigh && px[y - kLow][x - kLow];
      ASSERT_EQ(region.Contains(Point{x, y}), in) << x << "," << y;
    }
  }
}

TEST(Region, AlgebraMatchesPixelSets) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(kLow, kHigh - 1);
  for (int round = 0; round < 200; ++round) {
    Region region;
    Pixels px{};
    for (int step = 0; step < 12; ++step) {
      const Rect r{coord(rng), coord(rng), coord(rng), coord(rng)};  // often inverted
      const Pixels other = PixelsOf(r);
      const unsigned op = rng() % 4;
      if (op < 2) {
        region.Union(r);
      } else if (op == 2) {
        region.Subtract(r);
      } else {
        region.Intersect(r);
      }
      for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
          px[y][x] = op < 2    ? px[y][x] || other[y][x]
                     : op == 2 ? px[y][x] && !other[y][x]
                               : px[y][x] && other[y][x];
        }
      }
      ASSERT_NO_FATAL_FAILURE(ExpectMatches(region, px)) << "round " << round << " step " << step;
    }
    // The same pixels built one at a time: the same area, cut the same way.
    Region byPixels;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (px[y][x]) {
          byPixels.Union(RectFromSize(x + kLow, y + kLow, 1, 1));
        }
      }
    }
    EXPECT_TRUE(region.SameArea(byPixels));
    EXPECT_EQ(region.IsEmpty(), byPixels.IsEmpty());
  }
}

TEST(Region, RegionOperandsBoundsAndSameArea) {
  EXPECT_TRUE(Region(Rect{5, 5, 3, 9}).IsEmpty());
  EXPECT_EQ(Region().Bounds(), Rect{});
  const Region a(Rect{0, 0, 10, 10});
  Region both = a;
  both.Union(Region(Rect{5, 5, 15, 15}));
  EXPECT_EQ(both.Bounds(), (Rect{0, 0, 15, 15}));
  EXPECT_FALSE(both.Contains(Point{12, 2}));
  EXPECT_FALSE(both.Contains(Point{15, 14}));  // right edge exclusive

  Region common = a;
  common.Intersect(Region(Rect{5, 5, 15, 15}));
  EXPECT_TRUE(common.SameArea(Region(Rect{5, 5, 10, 10})));
  common.Intersect(Region());
  EXPECT_TRUE(common.IsEmpty());

  Region halves(Rect{0, 0, 4, 8});
  halves.Union(Rect{4, 0, 8, 8});
  EXPECT_TRUE(halves.SameArea(Region(Rect{0, 0, 8, 8})));
  EXPECT_FALSE(halves.SameArea(Region(Rect{0, 0, 8, 7})));

  Region huge(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  huge.Subtract(Rect{0, 0, 10, 10});
  EXPECT_FALSE(huge.Contains(Point{5, 5}));
  EXPECT_TRUE(huge.Contains(Point{INT_MIN, INT_MAX - 1}));
  EXPECT_EQ(huge.Bounds(), (Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
}

TEST(Region, DragTrailStaysCompact) {
  // The dirty area of a long drag: a 20x20 square at every pen position.
  Region dirty;
  for (int i = 0; i < 600; ++i) {
    const int x = 10 + (i * 3) % 200;
    const int y = 30 + i / 3;
    dirty.Union(Rect{x - 10, y - 10, x + 10, y + 10});
  }
  EXPECT_TRUE(dirty.Contains(Point{0, 20}));
  EXPECT_TRUE(dirty.Contains(Point{209, 229}));
  EXPECT_LT(dirty.Rects().size(), 400u);  // grows with the outline, not the squares
}

}  // namespace
}  // namespace qw
