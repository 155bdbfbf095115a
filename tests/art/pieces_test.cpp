#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/line.h"
#include "shipped_art.h"

namespace qw::testing {
namespace {

constexpr std::int32_t kCell = 20;
constexpr std::int32_t kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr std::int32_t kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

Color PiecePixel(std::int32_t n, std::int32_t x, std::int32_t y) {
  return PieceStrip().ColorAt(n * kCell + x, y);
}

// The directions image n lets water through, as the kinds table gives them.
std::vector<std::int32_t> Openings(std::int32_t n) {
  const std::int32_t r = n % 8;
  if (n < 8) return {(r + 4) % 8, (r + 2) % 8};
  if (n < 16) return {(r + 4) % 8, (r + 1) % 8};
  if (n < 24) return {(r + 4) % 8, (r + 2) % 8, (r + 6) % 8};
  if (n < 32) return {r};
  return {};
}

// Cell pixels painted by the game's 2-pixel water lines entering and leaving
// the cell's centre through direction d.
std::vector<Point> WaterPixels(std::int32_t d) {
  const Point centre{10, 10};
  const Point neighbour{10 + 21 * kDx[d], 10 + 21 * kDy[d]};
  std::vector<Point> pixels;
  for (const auto& [from, to] : {std::pair{centre, neighbour}, std::pair{neighbour, centre}}) {
    for (const Rect& row : LineRows(from, to, 2, Rect{0, 0, kCell, kCell})) {
      for (std::int32_t x = row.left; x < row.right; ++x) pixels.push_back(Point{x, row.top});
    }
  }
  return pixels;
}

TEST(PieceStrip, HoldsThirtySixDistinctImages) {
  ASSERT_EQ(PieceStrip().width(), 36 * kCell);
  ASSERT_EQ(PieceStrip().height(), kCell);
  auto same = [](std::int32_t a, std::int32_t b) {
    for (std::int32_t y = 0; y < kCell; ++y) {
      for (std::int32_t x = 0; x < kCell; ++x) {
        if (PiecePixel(a, x, y) != PiecePixel(b, x, y)) return false;
      }
    }
    return true;
  };
  for (std::int32_t a = 0; a < 36; ++a) {
    for (std::int32_t b = a + 1; b < 36; ++b) {
      EXPECT_FALSE(same(a, b)) << "images " << a << " and " << b;
    }
  }
}

TEST(PieceStrip, TransparentPixelsAreExactlyMagentaAndOnlyTheWallFillsItsCell) {
  ASSERT_EQ(PieceStrip().width(), 36 * kCell);
  for (std::int32_t n = 0; n < 36; ++n) {
    std::int32_t magenta = 0;
    for (std::int32_t y = 0; y < kCell; ++y) {
      for (std::int32_t x = 0; x < kCell; ++x) {
        const Color c = PiecePixel(n, x, y);
        if (c == kMagenta) {
          ++magenta;
        } else {
          // A pinkish fringe would show as a halo around the piece.
          EXPECT_FALSE(c.r >= 200 && c.b >= 200 && c.g <= 80)
              << "image " << n << " at " << x << "," << y;
        }
      }
    }
    if (n == 35) {
      EXPECT_EQ(magenta, 0) << "the wall fills its cell";
    } else {
      EXPECT_GT(magenta, 0) << "image " << n;
    }
  }
}

TEST(PieceStrip, WaterShowsThroughEveryPipeOpeningAndTheNozzle) {
  ASSERT_EQ(PieceStrip().width(), 36 * kCell);
  for (std::int32_t n = 0; n < 32; ++n) {
    for (std::int32_t d : Openings(n)) {
      for (const Point p : WaterPixels(d)) {
        // The nozzle's body may cover the water at its centre.
        const std::int32_t fromCentre = std::max(std::abs(p.x - 10), std::abs(p.y - 10));
        if (n >= 24 && fromCentre < 8) continue;
        EXPECT_EQ(PiecePixel(n, p.x, p.y), kMagenta)
            << "image " << n << " direction " << d << " at " << p.x << "," << p.y;
      }
    }
  }
}

TEST(PieceStrip, EveryOpeningAndNoClosedSideShowsABrassCollarAtTheCellEdge) {
  // So that a dry piece's rotation reads at a glance and two pieces touching
  // edge to edge show a joint: the pipe's walls beside an opening toward an
  // edge are brass right at that edge, a corner opening fills its corner with
  // brass, and the middle of a closed edge and a closed corner hold none.
  ASSERT_EQ(PieceStrip().width(), 36 * kCell);
  auto brass = [](Color c) { return c != kMagenta && c.r >= c.b + 40; };
  for (std::int32_t n = 0; n < 24; ++n) {
    const std::vector<std::int32_t> open = Openings(n);
    for (std::int32_t d = 0; d < 8; ++d) {
      SCOPED_TRACE("image " + std::to_string(n) + " direction " + std::to_string(d));
      const bool isOpen = std::find(open.begin(), open.end(), d) != open.end();
      const std::int32_t ex = kDx[d] < 0 ? 0 : (kDx[d] > 0 ? kCell - 1 : -1);
      const std::int32_t ey = kDy[d] < 0 ? 0 : (kDy[d] > 0 ? kCell - 1 : -1);
      // Toward an edge: the walls beside the channel right at the edge, and
      // the edge's middle. Toward a corner: its 6 x 6 and its 4 x 4 square.
      std::vector<Point> wall, middle;
      for (std::int32_t a = 0; a < 36; ++a) {
        const Point p = d % 2 == 0 ? (ex >= 0 ? Point{ex, a / 2} : Point{a / 2, ey})
                                   : Point{ex - kDx[d] * (a % 6), ey - kDy[d] * (a / 6)};
        const std::int32_t along = d % 2 == 0 ? a / 2 : std::max(a % 6, a / 6);
        if (d % 2 == 0 ? (along >= 4 && along < 16 && (along < 8 || along > 11)) : true)
          wall.push_back(p);
        if (d % 2 == 0 ? (along >= 7 && along <= 12) : along < 4) middle.push_back(p);
      }
      auto count = [&](const std::vector<Point>& points) {
        std::int32_t k = 0;
        for (const Point p : points) k += brass(PiecePixel(n, p.x, p.y)) ? 1 : 0;
        return k;
      };
      if (!isOpen) {
        EXPECT_EQ(count(middle), 0) << "a closed side shows a collar";
      } else if (d % 2 == 0) {
        EXPECT_EQ(count(wall), static_cast<std::int32_t>(wall.size()))
            << "the walls at the edge are not all brass";
      } else {
        EXPECT_GE(count(wall), 6) << "the corner shows no collar";
      }
    }
  }
}

TEST(PieceStrip, ADarkBoreLinesTheWaterOnBothSidesOfEveryPipeArm) {
  // So that the 2-pixel water line never hides the pipe it runs in, the
  // diagonal arms included: every pixel beside the water is the pipe's dark
  // bore, never the cell or a lit wall.
  ASSERT_EQ(PieceStrip().width(), 36 * kCell);
  for (std::int32_t n = 0; n < 24; ++n) {
    std::vector<bool> water(kCell * kCell, false);
    for (std::int32_t d : Openings(n)) {
      for (const Point p : WaterPixels(d))
        water[static_cast<std::size_t>(p.y * kCell + p.x)] = true;
    }
    for (std::int32_t d : Openings(n)) {
      for (const Point p : WaterPixels(d)) {
        const std::int32_t fromCentre = std::max(std::abs(p.x - 10), std::abs(p.y - 10));
        if (fromCentre < 3 || fromCentre > 7) continue;
        for (const Point q :
             {Point{p.x + 1, p.y}, Point{p.x - 1, p.y}, Point{p.x, p.y + 1}, Point{p.x, p.y - 1}}) {
          if (water[static_cast<std::size_t>(q.y * kCell + q.x)]) continue;
          const Color c = PiecePixel(n, q.x, q.y);
          EXPECT_TRUE(c != kMagenta && c.r + c.g + c.b < 3 * 60)
              << "image " << n << " direction " << d << " at " << q.x << "," << q.y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qw::testing
