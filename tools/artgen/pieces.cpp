#include "pieces.h"

#include <algorithm>
#include <cmath>

#include "piece_parts.h"
#include "shapes.h"

namespace qw::artgen {
namespace {

constexpr Vec2 kCentre{10, 10};

constexpr Rgb kPipeInner{54, 58, 84};
constexpr double kPipeHalfWidth = 5.0;

// The nearest point on any arm from the centre toward the given directions.
// Arms run a little past the cell edge or corner, so that the cell's edge, not
// a rounded cap, closes them.
Vec2 NearestAxis(Vec2 p, const std::vector<int>& arms, double length) {
  Vec2 best = kCentre;
  double bestDist = 1e9;
  for (int d : arms) {
    const Vec2 end = kCentre + DirectionStep(d) * length;
    const Vec2 q = NearestOnSegment(p, kCentre, end);
    const double dist = Length(p - q);
    if (dist < bestDist) {
      bestDist = dist;
      best = q;
    }
  }
  return best;
}

Paint PipeShader(Vec2 p, const std::vector<int>& arms, bool hub) {
  const Vec2 q = NearestAxis(p, arms, 13.0);
  Paint paint = TubeShade(p, q, kPipeHalfWidth);
  if (paint.a > 0 && Length(p - q) < 1.0) paint = Solid(kPipeInner);
  // Collars where a straight arm meets the cell edge.
  for (int d : arms) {
    if (d % 2 != 0) continue;
    const Vec2 step = DirectionStep(d);
    const Vec2 a = kCentre + step * 8.0;
    const Vec2 b = kCentre + step * 9.6;
    const Vec2 qa = NearestOnSegment(p, a, b);
    const double along = (p - kCentre).x * step.x + (p - kCentre).y * step.y;
    if (along >= 8.0 && along <= 11.0) {
      const Paint collar = TubeShade(p, qa, kPipeHalfWidth + 1.0);
      if (collar.a > 0) paint = Length(p - qa) < 1.0 ? Solid(kPipeInner) : collar;
    }
  }
  if (hub) {
    const Paint dome = TubeShade(p, kCentre, kPipeHalfWidth + 1.4);
    if (dome.a > 0) paint = Length(p - kCentre) < 1.2 ? Solid(kPipeInner) : dome;
  }
  return paint;
}

void PunchWater(Image& img, const std::vector<int>& directions, double keepRadius = 0) {
  const auto water = WaterPixels(directions);
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      if (!water[y * kCell + x]) continue;
      if (keepRadius > 0 && Length(Vec2{x + 0.5, y + 0.5} - kCentre) < keepRadius) continue;
      img.Set(x, y, kMagenta);
    }
  }
}

Image DrawPipe(const std::vector<int>& arms, bool hub) {
  Image img(kCell, kCell, kMagenta);
  ShadeHard(img, 0, 0, kCell, kCell, [&](double x, double y) { return PipeShader({x, y}, arms, hub); });
  PunchWater(img, arms);
  return img;
}

}  // namespace

std::vector<int> PieceOpenings(int n) {
  const int r = n % 8;
  auto dirs = [](std::initializer_list<int> list) {
    std::vector<int> out;
    for (int d : list) out.push_back(d % 8);
    return out;
  };
  if (n < 8) return dirs({r + 4, r + 2});
  if (n < 16) return dirs({r + 4, r + 1});
  if (n < 24) return dirs({r + 4, r + 2, r + 6});
  if (n < 32) return dirs({r});
  return {};
}

std::array<bool, kCell * kCell> WaterPixels(const std::vector<int>& directions) {
  std::array<bool, kCell * kCell> mask{};
  auto paint = [&](int px, int py) {
    // A 2-pixel pen paints p - 1 .. p on both axes.
    for (int y = py - 1; y <= py; ++y) {
      for (int x = px - 1; x <= px; ++x) {
        if (x >= 0 && y >= 0 && x < kCell && y < kCell) mask[y * kCell + x] = true;
      }
    }
  };
  for (int d : directions) {
    const Vec2 s = DirectionStep(d);
    const int dx = static_cast<int>(s.x);
    const int dy = static_cast<int>(s.y);
    // Leaving: from the centre toward the neighbour's centre, end excluded.
    for (int i = 0; i < 21; ++i) paint(10 + dx * i, 10 + dy * i);
    // Arriving: from the neighbour's centre back to this centre, end excluded.
    for (int i = 0; i < 21; ++i) paint(10 + dx * (21 - i), 10 + dy * (21 - i));
  }
  return mask;
}

Image DrawPiece(int n) {
  if (n < 8) return DrawPipe(PieceOpenings(n), false);
  if (n < 16) return DrawPipe(PieceOpenings(n), false);
  if (n < 24) return DrawPipe(PieceOpenings(n), false);
  if (n < 32) {
    Image img = DrawNozzle(n - 24);
    PunchWater(img, PieceOpenings(n), kNozzleBodyRadius + 0.5);
    return img;
  }
  if (n == 32) return DrawFire(false);
  if (n == 33) return DrawFire(true);
  if (n == 34) return DrawHazard();
  return DrawWall();
}

Image DrawPieceStrip() {
  Image strip(kCell * kPieceCount, kCell, kMagenta);
  for (int n = 0; n < kPieceCount; ++n) strip.Paste(DrawPiece(n), n * kCell, 0);
  return strip;
}

}  // namespace qw::artgen
