#include "toolbar.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "shapes.h"

namespace qw::artgen {
namespace {

enum Colour { kBlack = 0, kNavy = 4, kTeal = 6, kSilver = 7, kGrey = 8, kBlue = 12, kYellow = 11,
              kOlive = 3, kWhite = 15, kGreen = 2 };

// A pixel takes the palette colour that most of its sub-samples give, so the
// small pictures stay within the 16 colours and keep crisp edges.
void ShadeMajority(Image& img, int x0, int w, int h, const std::function<int(Vec2)>& colourAt) {
  constexpr int n = 6;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int votes[16] = {};
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) ++votes[colourAt({x + (sx + 0.5) / n, y + (sy + 0.5) / n})];
      }
      int best = kSilver;
      for (int c = 0; c < 16; ++c) {
        if (votes[c] > votes[best]) best = c;
      }
      img.Set(x0 + x, y, ToolbarPalette()[best]);
    }
  }
}

// Fill where the distance is not positive, a 1-pixel outline just outside.
int Outlined(double distance, int fill, int outline, int background) {
  if (distance <= 0) return fill;
  if (distance <= 1.0) return outline;
  return background;
}

// Pixels whose centre lies on a ring arc of a turn arrow, plus its head: the
// arc runs over the top from the west to the east side of c, and the head at
// the east end points down (clockwise); mirrored for counter-clockwise.
bool TurnArrowPixel(Vec2 p, Vec2 c, double r, double halfWidth, double head, bool mirrored) {
  if (mirrored) p.x = 2 * c.x - p.x;
  const Vec2 v = p - c;
  double theta = std::atan2(v.x, -v.y) * 180 / std::numbers::pi;
  if (theta < 0) theta += 360;
  const bool onArc = (theta >= 250 || theta <= 90) && std::abs(Length(v) - r) <= halfWidth;
  const Vec2 base = c + Vec2{r, 0};
  const std::vector<Vec2> tip{base + Vec2{-head, -0.2}, base + Vec2{head, -0.2}, base + Vec2{0, head}};
  return onArc || PolygonDistance(p, tip) <= 0;
}

// Fill where inside() holds at the pixel centre, an outline on the pixels
// around it, background elsewhere.
void DrawOutlinedMask(Image& img, int x0, int w, int h, const std::function<bool(Vec2)>& inside,
                      int fill, int outline) {
  auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && inside({x + 0.5, y + 0.5}); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (at(x, y)) {
        img.Set(x0 + x, y, ToolbarPalette()[fill]);
        continue;
      }
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) near = near || at(x + dx, y + dy);
      }
      if (near) img.Set(x0 + x, y, ToolbarPalette()[outline]);
    }
  }
}

void DrawTurnButton(Image& img, int x0, bool counterClockwise) {
  DrawOutlinedMask(img, x0, 16, 15, [&](Vec2 p) {
    return TurnArrowPixel(p, {7.5, 9.0}, 4.6, 1.1, 3.1, counterClockwise);
  }, kBlue, kNavy);
}

void DrawRestartButton(Image& img, int x0) {
  const std::vector<Vec2> page{{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 14.5}, {2.5, 14.5}};
  const std::vector<Vec2> fold{{10.5, 0.5}, {10.5, 3.5}, {13.5, 3.5}};
  ShadeMajority(img, x0, 16, 15, [&](Vec2 p) {
    if (TurnArrowPixel(p, {7.5, 9.0}, 2.9, 0.75, 2.1, false)) return int(kGreen);
    if (PolygonDistance(p, fold) <= 0) return int(kGrey);
    const double d = PolygonDistance(p, page);
    if (d <= -0.8) return int(kWhite);
    if (d <= 0.2) return int(kBlack);
    return int(kSilver);
  });
}

void DrawKeyButton(Image& img, int x0) {
  ShadeMajority(img, x0, 16, 15, [&](Vec2 p) {
    const double bow = std::max(CircleDistance(p, {4.6, 7.5}, 3.8), -CircleDistance(p, {4.6, 7.5}, 1.3));
    const double shaft = SegmentDistance(p, {8, 7.5}, {14.6, 7.5}) - 1.1;
    const double tooth1 = SegmentDistance(p, {11.4, 8}, {11.4, 10.8}) - 0.7;
    const double tooth2 = SegmentDistance(p, {13.8, 8}, {13.8, 11.8}) - 0.7;
    const double d = std::min({bow, shaft, tooth1, tooth2});
    return Outlined(d, kYellow, kOlive, kSilver);
  });
}

}  // namespace

const std::array<Rgb, 16>& ToolbarPalette() {
  static const std::array<Rgb, 16> kPalette{{{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
                                             {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {192, 192, 192},
                                             {128, 128, 128}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                             {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}}};
  return kPalette;
}

Image DrawToolbarStrip() {
  Image strip(64, 15, ToolbarPalette()[kSilver]);
  DrawTurnButton(strip, 0, true);
  DrawTurnButton(strip, 16, false);
  DrawRestartButton(strip, 32);
  DrawKeyButton(strip, 48);
  return strip;
}

Image DrawIcon(int size) {
  const double s = size / 32.0;
  Image icon(size, size);
  const std::vector<Vec2> flame{{17, 30}, {13.5, 24}, {14.5, 17}, {17.5, 20.5}, {20.5, 11}, {24, 17},
                                {26, 13.5}, {29.5, 21}, {29, 27}, {26.5, 30}};
  ShadeSoft(icon, 0, 0, size, size, [&](double x, double y) {
    const Vec2 p{x / s, y / s};
    Paint paint = Solid(Mix(Rgb{120, 120, 250}, Rgb{50, 50, 190}, p.y / 32));
    if (RoundBoxDistance(p, 0, 0, 32, 32, 3) > -1.2) paint = Solid(Rgb{24, 24, 90});
    const double f = PolygonDistance(p, flame);
    if (f <= 0) paint = Solid(f > -1.3 ? Rgb{110, 20, 10} : (f > -3.5 ? Rgb{236, 70, 24} : Rgb{255, 200, 60}));
    // The drop: a circle with a pointed top.
    const std::vector<Vec2> tip{{12, 3}, {5.2, 16}, {18.8, 16}};
    const double drop = std::min(CircleDistance(p, {12, 18.5}, 7.8), PolygonDistance(p, tip));
    if (drop <= 0) {
      const double shade = std::clamp((p.x - 6 + p.y - 12) / 22.0, 0.0, 1.0);
      paint = Solid(drop > -1.3 ? Rgb{10, 10, 80} : Mix(Rgb{90, 170, 255}, Rgb{0, 40, 220}, shade));
      if (CircleDistance(p, {9.5, 17.5}, 2.2) <= 0) paint = Solid(Rgb{235, 245, 255});
    }
    return paint;
  });
  return icon;
}

}  // namespace qw::artgen
