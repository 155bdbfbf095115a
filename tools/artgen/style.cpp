#include "style.h"

#include <algorithm>
#include <cstdio>

#include "shapes.h"

namespace qw::artgen {

namespace {
const Theme* look = &kClassicTheme;
}  // namespace

const Theme& Look() { return *look; }
void SetLook(const Theme& theme) { look = &theme; }

bool Fonts::ok() const {
  return title && heading && button && body && bodyBold && small && key && caption;
}

Fonts LoadFonts() {
  Fonts f;
  f.title = TextFont::Open(Face::kBold, 34);
  f.heading = TextFont::Open(Face::kBold, 15);
  f.button = TextFont::Open(Face::kBold, 14);
  f.body = TextFont::Open(Face::kRegular, 11);
  f.bodyBold = TextFont::Open(Face::kBold, 11);
  f.small = TextFont::Open(Face::kRegular, 10);
  f.key = TextFont::Open(Face::kBold, 13);
  f.caption = TextFont::Open(Face::kRegular, 11);
  return f;
}

void DrawFitted(Image& img, const TextFont& font, int x, int y, std::string_view text, Rgb colour,
                int right) {
  if (x + font.Width(text) > right) {
    std::fprintf(stderr, "artgen: text does not fit its box: %.*s\n", static_cast<int>(text.size()),
                 text.data());
  }
  font.Draw(img, x, y, text, colour);
}

void DrawRoundPanelGradient(Image& img, int x, int y, int w, int h, double radius, Rgb top,
                            Rgb bottom, Rgb outline) {
  const double x0 = x, y0 = y, x1 = x + w, y1 = y + h;
  ShadeSoft(img, x, y, w, h, [&](double px, double py) {
    const double d = RoundBoxDistance({px, py}, x0, y0, x1, y1, radius);
    if (d > 0) return Paint{};
    if (d > -Look().outline) return Solid(outline);
    return Solid(Mix(top, bottom, (py - y0) / std::max(1.0, y1 - y0)));
  });
}

void DrawRoundPanel(Image& img, int x, int y, int w, int h, double radius, Rgb fill, Rgb outline) {
  DrawRoundPanelGradient(img, x, y, w, h, radius, fill, fill, outline);
}

namespace {

void DrawButtonWith(Image& img, const TextFont& font, int x, int y, int w, int h,
                    std::string_view label, bool highlighted) {
  const Rgb top = highlighted ? Look().litTop : Look().buttonTop;
  const Rgb bottom = highlighted ? Look().litBottom : Look().buttonBottom;
  // A darker lip along the bottom edge makes the button stand up from the panel.
  DrawRoundPanel(img, x, y + 1, w, h - 1, 6, Look().ink, Look().ink);
  DrawRoundPanelGradient(img, x, y, w, h - 2, 6, top, bottom, Look().ink);
  const double x0 = x + 1.5, x1 = x + w - 1.5, y0 = y + 1.5;
  ShadeSoft(img, x, y, w, 3, [&](double px, double py) {
    const bool line = py >= y0 && py < y0 + 1 && px > x0 + 4 && px < x1 - 4;
    return line ? Solid(Look().paper, highlighted ? 0.35 : 0.9) : Paint{};
  });
  const int ty = y + (h - 2 - font.LineHeight()) / 2;
  const int tw = font.Width(label);
  DrawFitted(img, font, x + (w - tw) / 2, ty, label, highlighted ? Look().litText : Look().ink,
             x + w - 4);
}

}  // namespace

void DrawButton(Image& img, const Fonts& fonts, int x, int y, int w, int h, std::string_view label,
                bool highlighted) {
  DrawButtonWith(img, *fonts.button, x, y, w, h, label, highlighted);
}

void DrawSmallButton(Image& img, const Fonts& fonts, int x, int y, int w, int h,
                     std::string_view label, bool highlighted) {
  DrawButtonWith(img, *fonts.bodyBold, x, y, w, h, label, highlighted);
}

void DrawKeyTile(Image& img, const Fonts& fonts, int x, int y, std::string_view letter) {
  DrawRoundPanel(img, x + 1, y + 2, 18, 18, 3.5, Look().ink, Look().ink);
  DrawRoundPanelGradient(img, x + 1, y + 1, 18, 17, 3.5, Look().paper, Look().keyBottom,
                         Look().ink);
  const TextFont& font = *fonts.key;
  font.DrawCentred(img, x + 10, y + 1 + (17 - font.LineHeight()) / 2, letter, Look().ink);
}

void DrawField(Image& img, int x, int y, int w, int h, int outline) {
  const int o = outline > 0 ? outline : static_cast<int>(Look().outline);
  img.Fill(x, y, w, h, Look().ink);
  // The panel colour inside, so that the letter tiles' corners blend in.
  img.Fill(x + o, y + o, w - 2 * o, h - 2 * o, Look().panel);
  img.Fill(x + 1, y + 1, w - 2, 1, Look().fieldShade);
  img.Fill(x + 1, y + 1, 1, h - 2, Look().fieldShade);
}

}  // namespace qw::artgen
