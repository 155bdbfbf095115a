#include "piece_parts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "style.h"
#include "ui/piece_art.h"

namespace qw::artgen {
namespace {

constexpr Vec2 kCentre{10, 10};
constexpr int kSize = kPieceSize;

// A filled polygon with an outline ring of the given width inside its edge.
Paint OutlinedPolygon(Vec2 p, const std::vector<Vec2>& poly, Rgb fill, Rgb outline, double ring) {
  const double d = PolygonDistance(p, poly);
  if (d > 0) return Paint{};
  return Solid(d > -ring ? outline : fill);
}

// The width of an outline of the pieces in the theme being drawn.
double Ring(double classic) { return classic * Look().outline; }

Paint Log(Vec2 p, Vec2 a, Vec2 b, bool charred) {
  const double halfWidth = 1.9;
  const Vec2 q = NearestOnSegment(p, a, b);
  const double d = Length(p - q);
  if (d > halfWidth) return Paint{};
  const PieceLook::Wood& wood = charred ? Look().pieces.charred : Look().pieces.log;
  if (d > halfWidth - Ring(0.8)) return Solid(wood.outline);
  // The cut end nearer the viewer shows the wood's light face.
  if (Length(p - b) < halfWidth - 0.5) return Solid(wood.end);
  const Vec2 off = p - q;
  return Solid(off.y < 0 ? wood.barkLight : wood.bark);
}

Paint Logs(Vec2 p, bool charred) {
  const Paint front = Log(p, {16.8, 14.2}, {3.6, 18.2}, charred);
  const Paint back = Log(p, {3.4, 14.0}, {16.4, 18.2}, charred);
  return Over(front, back);
}

const std::vector<Vec2> kFlameOuter{
    {5.2, 16.0}, {3.2, 12.6}, {3.2, 9.4},  {4.3, 6.2},  {6.3, 9.0},   {7.4, 5.4},  {10.4, 0.6},
    {12.4, 4.8}, {13.5, 7.3}, {15.7, 4.6}, {16.8, 8.8}, {16.6, 12.6}, {14.8, 16.0}};
const std::vector<Vec2> kFlameMiddle{{6.7, 16.0},  {5.4, 13.0}, {5.8, 10.6}, {7.4, 11.8},
                                     {8.6, 8.0},   {10.5, 4.6}, {12.0, 8.6}, {13.6, 10.2},
                                     {14.7, 12.8}, {13.4, 16.0}};
const std::vector<Vec2> kFlameInner{{8.3, 16.0},  {7.6, 13.4},  {9.0, 11.6}, {10.4, 9.0},
                                    {11.6, 11.6}, {12.6, 13.6}, {11.8, 16.0}};

Paint Flames(Vec2 p) {
  const PieceLook& look = Look().pieces;
  Paint paint = OutlinedPolygon(p, kFlameOuter, look.flame, look.flameOutline, Ring(0.95));
  paint = Over(OutlinedPolygon(p, kFlameMiddle, look.flameMiddle, look.flameMiddle, 0), paint);
  return Over(OutlinedPolygon(p, kFlameInner, look.flameCore, look.flameCore, 0), paint);
}

// Wisps of smoke curling up from the logs: wavy strokes, never pointed like
// flames, so the doused fire reads apart from the burning one by shape.
Paint Smoke(Vec2 p) {
  struct Wisp {
    double x;    // where it leaves the logs
    double top;  // where it fades out
    double phase;
  };
  static const Wisp kWisps[] = {{5.6, 3.0, 0.3}, {13.4, 1.0, 3.4}};
  double best = 1e9;
  double along = 0;
  for (const Wisp& w : kWisps) {
    if (p.y < w.top - 1.5 || p.y > 15.5) continue;
    // The stroke's centre line sways sideways as it rises.
    const double cx = w.x + 1.6 * std::sin((15 - p.y) * 0.55 + w.phase);
    const double halfWidth = 0.8 + 0.7 * std::clamp((p.y - w.top) / 10.0, 0.0, 1.0);
    const double d = std::abs(p.x - cx) - halfWidth;
    const double capped = std::max(d, (w.top - p.y) - 0.2);
    if (capped < best) {
      best = capped;
      along = (p.x - cx) / halfWidth;
    }
  }
  const PieceLook& look = Look().pieces;
  if (best > Ring(1.0)) return Paint{};
  if (best > 0) return Solid(look.smokeOutline);
  return Solid(Mix(look.smokeLight, look.smokeShade, std::clamp(0.5 + 0.5 * along, 0.0, 1.0)));
}

}  // namespace

Paint TubeShade(Vec2 p, Vec2 axisPoint, double halfWidth, const Metal& metal) {
  const Vec2 off = p - axisPoint;
  const double dist = Length(off);
  if (dist > halfWidth) return Paint{};
  const double ring = Ring(0.95);
  if (dist > halfWidth - ring) return Solid(metal.outline);
  const double u = std::min(dist / (halfWidth - ring), 1.0);
  const Vec2 n2 = dist > 1e-9 ? off * (1.0 / dist) : Vec2{};
  const double nz = std::sqrt(std::max(0.0, 1 - u * u));
  const double lambert = std::max(0.0, n2.x * u * -0.45 + n2.y * u * -0.6 + nz * 0.66);
  Rgb c = Mix(metal.dark, metal.light, std::min(lambert * 1.05, 1.0));
  return Solid(Mix(c, Rgb{255, 255, 255}, std::pow(lambert, 12.0) * Look().pieces.shine));
}

Image DrawNozzle(int r) {
  const Vec2 step = DirectionStep(r);
  const Vec2 lipStart = kCentre + step * (std::abs(step.x) + std::abs(step.y) > 1 ? 9.4 : 7.6);
  const Vec2 tip = kCentre + step * (std::abs(step.x) + std::abs(step.y) > 1 ? 11.6 : 9.8);
  const std::vector<Vec2> drop{{10, 5.6}, {7.7, 10.0}, {12.3, 10.0}};
  Image img(kSize, kSize, kMagenta);
  ShadeHard(img, 0, 0, kSize, kSize, [&](double x, double y) {
    const Vec2 p{x, y};
    const PieceLook& look = Look().pieces;
    Paint paint = TubeShade(p, NearestOnSegment(p, kCentre, tip), 4.0, look.steel);
    const Paint lip = TubeShade(p, NearestOnSegment(p, lipStart, tip), 5.0, look.steel);
    if (lip.a > 0) paint = lip;
    const Paint body = TubeShade(p, kCentre, kNozzleBodyRadius, look.tank);
    if (body.a > 0) paint = body;
    const bool inDrop = CircleDistance(p, {10, 10.9}, 2.45) <= 0 || PolygonDistance(p, drop) <= 0;
    if (inDrop && Length(p - kCentre) < kNozzleBodyRadius - 1.2) paint = Solid(look.drop);
    return paint;
  });
  return img;
}

Image DrawFire(bool doused) {
  Image img(kSize, kSize, kMagenta);
  ShadeHard(img, 0, 0, kSize, kSize, [&](double x, double y) {
    const Vec2 p{x, y};
    const Paint top = doused ? Smoke(p) : Flames(p);
    return Over(top, Logs(p, doused));
  });
  return img;
}

Image DrawHazard() {
  const std::vector<Vec2> bolt{{8.4, 0.6},  {15.6, 0.6}, {11.4, 7.0}, {16.6, 7.0},
                               {4.6, 19.6}, {8.4, 10.6}, {3.2, 10.6}};
  Image img(kSize, kSize, kMagenta);
  ShadeHard(img, 0, 0, kSize, kSize, [&](double x, double y) {
    return OutlinedPolygon({x, y}, bolt, Look().pieces.bolt, Look().pieces.boltOutline, Ring(1.05));
  });
  return img;
}

Image DrawWall() {
  const PieceLook& look = Look().pieces;
  Image img(kSize, kSize, look.mortar);
  // Courses of 4-pixel bricks on 1-pixel mortar, every other course offset
  // by half a brick.
  for (int course = 0; course < 4; ++course) {
    const int top = course * 5;
    const int offset = course % 2 == 0 ? 0 : -5;
    for (int left = offset; left < kSize; left += 10) {
      for (int y = top; y < top + 4; ++y) {
        for (int x = std::max(left, 0); x < std::min(left + 9, kSize); ++x) {
          Rgb c = look.brick;
          if (y == top || x == left) c = look.brickLight;
          if (y == top + 3 || x == left + 8) c = look.brickDark;
          img.Set(x, y, c);
        }
      }
    }
  }
  return img;
}

}  // namespace qw::artgen
