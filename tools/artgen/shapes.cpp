#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qw::artgen {

double Length(Vec2 v) { return std::hypot(v.x, v.y); }

Vec2 NearestOnSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double len2 = ab.x * ab.x + ab.y * ab.y;
  if (len2 <= 0) return a;
  const double t = std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0, 1.0);
  return a + ab * t;
}

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) { return Length(p - NearestOnSegment(p, a, b)); }

double CircleDistance(Vec2 p, Vec2 c, double r) { return Length(p - c) - r; }

double EllipseDistance(Vec2 p, Vec2 c, double rx, double ry) {
  // Scaled circle: exact enough for the small radii used here.
  const Vec2 q{(p.x - c.x) / rx, (p.y - c.y) / ry};
  return (Length(q) - 1.0) * std::min(rx, ry);
}

double RoundBoxDistance(Vec2 p, double x0, double y0, double x1, double y1, double r) {
  const Vec2 c{(x0 + x1) / 2, (y0 + y1) / 2};
  const Vec2 half{(x1 - x0) / 2 - r, (y1 - y0) / 2 - r};
  const Vec2 d{std::abs(p.x - c.x) - half.x, std::abs(p.y - c.y) - half.y};
  const Vec2 outside{std::max(d.x, 0.0), std::max(d.y, 0.0)};
  return Length(outside) + std::min(std::max(d.x, d.y), 0.0) - r;
}

double PolygonDistance(Vec2 p, const std::vector<Vec2>& poly) {
  double best = 1e9;
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Vec2 a = poly[j];
    const Vec2 b = poly[i];
    best = std::min(best, SegmentDistance(p, a, b));
    if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x) {
      inside = !inside;
    }
  }
  return inside ? -best : best;
}

Vec2 DirectionStep(int d) {
  static constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  static constexpr int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  const int i = ((d % 8) + 8) % 8;
  return Vec2{double(kDx[i]), double(kDy[i])};
}

Vec2 Rotate(Vec2 p, Vec2 c, int eighths) {
  const double a = eighths * std::numbers::pi / 4;
  const Vec2 v = p - c;
  return c + Vec2{v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a)};
}

}  // namespace qw::artgen
