#include "toolbar.h"

#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

#include "shapes.h"
#include "style.h"

namespace qw::artgen {
namespace {

enum Colour {
  kBlack = 0,
  kNavy = 4,
  kTeal = 6,
  kSilver = 7,
  kGrey = 8,
  kBlue = 12,
  kYellow = 11,
  kOlive = 3,
  kWhite = 15,
  kGreen = 2
};

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

// The turn arrow, drawn by hand: an arch from the left over the top, its head
// on the right pointing down (clockwise). n outline, b fill.
constexpr const char* kTurnArrow[15] = {
    "................", "................", "....nnnnnn......", "..nnbbbbbbnn....",
    ".nbbbbbbbbbbn...", ".nbbnnnnnnbbn...", "nbbn......nbbn..", "nbbn......nbbn..",
    "nbbn......nbbn..", "nbbn....nnnbbnnn", "nbbn....nbbbbbbn", "nnnn.....nbbbbn.",
    "..........nbbn..", "...........nn...", "................",
};

// The small circular arrow on the restart page, clockwise.
constexpr const char* kRestartArrow[8] = {
    "..gggg....", ".g....g...", "g....ggggg", "g.....ggg.",
    "g......g..", "g.........", ".g.....g..", "..ggggg...",
};

// The undo arrow: its head points left, its tail hooks down on the right.
// Mirrored, it is the redo arrow.
constexpr const char* kUndoArrow[15] = {
    "................", "....n...........", "...nbn..........", "..nbbnnnnnnnn...",
    ".nbbbbbbbbbbbnn.", "nbbbbbbbbbbbbbbn", ".nbbbnnnnnnnnbbn", "..nbbn......nbbn",
    "...nn.......nbbn", "............nbbn", "...........nbbn.", "........nnnbbn..",
    "........nbbbn...", "........nnnn....", "................",
};

int ColourOf(char c) {
  switch (c) {
    case 'n': return kNavy;
    case 'b': return kBlue;
    case 'g': return kGreen;
    default: return -1;
  }
}

void DrawPixelMap(Image& img, int x0, int y0, const char* const* rows, int height, bool mirrored) {
  for (int y = 0; y < height; ++y) {
    const std::string_view row(rows[y]);
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      const int c = ColourOf(row[x]);
      const int px = mirrored ? x0 + static_cast<int>(row.size()) - 1 - x : x0 + x;
      if (c >= 0) img.Set(px, y0 + y, ToolbarPalette()[c]);
    }
  }
}

void DrawTurnButton(Image& img, int x0, bool counterClockwise) {
  DrawPixelMap(img, x0, 0, kTurnArrow, 15, counterClockwise);
}

void DrawRestartButton(Image& img, int x0) {
  const std::vector<Vec2> page{{1.5, 0.5}, {10.5, 0.5}, {14.5, 4.5}, {14.5, 14.5}, {1.5, 14.5}};
  const std::vector<Vec2> fold{{10.5, 0.5}, {10.5, 4.5}, {14.5, 4.5}};
  ShadeMajority(img, x0, 16, 15, [&](Vec2 p) {
    if (PolygonDistance(p, fold) <= 0) return int(kGrey);
    const double d = PolygonDistance(p, page);
    if (d <= -0.8) return int(kWhite);
    if (d <= 0.2) return int(kBlack);
    return int(kSilver);
  });
  DrawPixelMap(img, x0 + 3, 5, kRestartArrow, 8, false);
}

void DrawKeyButton(Image& img, int x0) {
  ShadeMajority(img, x0, 16, 15, [&](Vec2 p) {
    const double bow =
        std::max(CircleDistance(p, {4.6, 7.5}, 3.8), -CircleDistance(p, {4.6, 7.5}, 1.3));
    const double shaft = SegmentDistance(p, {8, 7.5}, {14.6, 7.5}) - 1.1;
    const double tooth1 = SegmentDistance(p, {11.4, 8}, {11.4, 10.8}) - 0.7;
    const double tooth2 = SegmentDistance(p, {13.8, 8}, {13.8, 11.8}) - 0.7;
    const double d = std::min({bow, shaft, tooth1, tooth2});
    return Outlined(d, kYellow, kOlive, kSilver);
  });
}

// A light bulb: the hint.
void DrawHintButton(Image& img, int x0) {
  ShadeMajority(img, x0, 16, 15, [&](Vec2 p) {
    if (p.x >= 5.5 && p.x <= 10.5 && p.y >= 11 && p.y <= 14) {
      return int((static_cast<int>(p.y) % 2 == 0) ? kGrey : kBlack);
    }
    const double glass =
        std::min(CircleDistance(p, {8, 6.2}, 5.2), SegmentDistance(p, {8, 8}, {8, 10.6}) - 2.4);
    if (SegmentDistance(p, {6.4, 5}, {7.4, 3.8}) <= 0.6) return int(kWhite);
    return Outlined(glass, kYellow, kOlive, kSilver);
  });
}

}  // namespace

std::array<Rgb, 16> ToolbarPalette() {
  const ToolbarLook& look = Look().toolbar;
  return {{look.line,
           {128, 0, 0},
           look.circleArrow,
           look.goldEdge,
           look.arrowEdge,
           {128, 0, 128},
           {0, 128, 128},
           {192, 192, 192},
           look.shade,
           {255, 0, 0},
           {0, 255, 0},
           look.gold,
           look.arrow,
           {255, 0, 255},
           {0, 255, 255},
           look.page}};
}

Image DrawToolbarStrip() {
  Image strip(112, 15, ToolbarPalette()[kSilver]);
  DrawTurnButton(strip, 0, true);
  DrawTurnButton(strip, 16, false);
  DrawRestartButton(strip, 32);
  DrawKeyButton(strip, 48);
  DrawPixelMap(strip, 64, 0, kUndoArrow, 15, false);
  DrawPixelMap(strip, 80, 0, kUndoArrow, 15, true);
  DrawHintButton(strip, 96);
  return strip;
}

Image DrawIcon(int size) {
  const double s = size / 32.0;
  Image icon(size, size);
  const std::vector<Vec2> flame{{17, 30}, {13.5, 24}, {14.5, 17}, {17.5, 20.5}, {20.5, 11},
                                {24, 17}, {26, 13.5}, {29.5, 21}, {29, 27},     {26.5, 30}};
  ShadeSoft(icon, 0, 0, size, size, [&](double x, double y) {
    const Vec2 p{x / s, y / s};
    Paint paint = Solid(Mix(Rgb{120, 120, 250}, Rgb{50, 50, 190}, p.y / 32));
    if (RoundBoxDistance(p, 0, 0, 32, 32, 3) > -1.2) paint = Solid(Rgb{24, 24, 90});
    const double f = PolygonDistance(p, flame);
    if (f <= 0)
      paint =
          Solid(f > -1.3 ? Rgb{110, 20, 10} : (f > -3.5 ? Rgb{236, 70, 24} : Rgb{255, 200, 60}));
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
