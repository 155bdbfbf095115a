#include "pieces.h"

#include <algorithm>
#include <cmath>

#include "piece_parts.h"
#include "shapes.h"
#include "style.h"

namespace qw::artgen {
namespace {

constexpr Vec2 kCentre{10, 10};

// The pipe's metal is lighter than the nozzle's steel on its shaded side, so
// that the dark bore stands out on both sides of the water.
constexpr double kPipeHalfWidth = 5.0;
// The bore: dark on both sides of the 2-pixel water line, so that the pipe's
// walls show beside the water on straight and diagonal arms alike.
constexpr double kBoreHalfWidth = 2.0;
// A collar at every opening, right at the cell's edge or corner: wider and
// darker than the pipe and edged in the dark outline, the cell's outermost
// pixels included, so that every opening of every rotation shows at a glance,
// dry or wet, and two pieces that meet show a joint rather than one pipe.
constexpr double kFlangeHalfWidth = kPipeHalfWidth + 1.4;
constexpr double kFlangeLength = 3.2;
constexpr double kFlangeFace = 0.8;

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

// The collar of the arm toward d, or nothing where p lies outside it.
Paint Flange(Vec2 p, int d) {
  const Vec2 step = DirectionStep(d);
  const Vec2 unit = step * (1.0 / Length(step));
  // The cell's edge lies 10 pixels from the centre, its corner 14.1: a
  // collar toward a corner fills the corner's triangle.
  const bool diagonal = d % 2 != 0;
  const double start = diagonal ? 8.4 : 10.0 - kFlangeLength;
  const double along = (p - kCentre).x * unit.x + (p - kCentre).y * unit.y;
  if (along < start) return Paint{};
  const Vec2 axis = kCentre + unit * along;
  const double across = Length(p - axis);
  if (across > kFlangeHalfWidth) return Paint{};
  const PieceLook& look = Look().pieces;
  if (across < kBoreHalfWidth) return Solid(look.bore);
  const bool atEdge = !diagonal && (p.x < 1 || p.y < 1 || p.x > kCell - 1 || p.y > kCell - 1);
  if (atEdge || along < start + kFlangeFace) return Solid(look.collar.outline);
  return TubeShade(p, axis, kFlangeHalfWidth, look.collar);
}

Paint PipeShader(Vec2 p, const std::vector<int>& arms) {
  const Vec2 q = NearestAxis(p, arms, 13.0);
  Paint paint = TubeShade(p, q, kPipeHalfWidth, Look().pieces.pipe);
  if (paint.a > 0 && Length(p - q) < kBoreHalfWidth) paint = Solid(Look().pieces.bore);
  for (int d : arms) {
    const Paint flange = Flange(p, d);
    if (flange.a > 0) paint = flange;
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

Image DrawPipe(const std::vector<int>& arms) {
  Image img(kCell, kCell, kMagenta);
  ShadeHard(img, 0, 0, kCell, kCell, [&](double x, double y) { return PipeShader({x, y}, arms); });
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
  if (n < 24) return DrawPipe(PieceOpenings(n));
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
