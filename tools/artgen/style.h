// The look shared by every screen: the theme being drawn, the fonts, and
// the drawing of panels, buttons and key tiles.
#pragma once

#include <memory>
#include <string_view>

#include "platform/theme.h"
#include "raster.h"
#include "text.h"

namespace qw::artgen {

// The theme being drawn: every colour of the pictures comes from it, and
// so does the width of their outlines. Classic until SetLook.
const Theme& Look();
void SetLook(const Theme& theme);

struct Fonts {
  std::unique_ptr<TextFont> title;    // the game's name
  std::unique_ptr<TextFont> heading;  // page and banner headings
  std::unique_ptr<TextFont> button;   // button labels
  std::unique_ptr<TextFont> body;     // running text
  std::unique_ptr<TextFont> bodyBold;
  std::unique_ptr<TextFont> small;
  std::unique_ptr<TextFont> key;      // letters of the keypad
  std::unique_ptr<TextFont> caption;  // stand-in for the game's caption font
  bool ok() const;
};
Fonts LoadFonts();

// Draws text with its left edge at x and warns when it reaches past right:
// nothing on the screens may be clipped.
void DrawFitted(Image& img, const TextFont& font, int x, int y, std::string_view text, Rgb colour,
                int right);

// A rounded panel with a 1-pixel outline, blended over what lies below.
void DrawRoundPanel(Image& img, int x, int y, int w, int h, double radius, Rgb fill, Rgb outline);
// fill shades from top to bottom.
void DrawRoundPanelGradient(Image& img, int x, int y, int w, int h, double radius, Rgb top,
                            Rgb bottom, Rgb outline);

// A push button filling the box, label centred. Highlighted buttons are lit
// blue with white text; both forms have the same outline and size.
void DrawButton(Image& img, const Fonts& fonts, int x, int y, int w, int h, std::string_view label,
                bool highlighted);

// The same with the smaller label of a crowded screen.
void DrawSmallButton(Image& img, const Fonts& fonts, int x, int y, int w, int h,
                     std::string_view label, bool highlighted);

// A 20 x 20 letter tile of the keypad.
void DrawKeyTile(Image& img, const Fonts& fonts, int x, int y, std::string_view letter);

// A sunken field outlined in the theme's width, or in `outline` pixels when
// given: a field whose text runs down to its last row needs a thin one.
void DrawField(Image& img, int x, int y, int w, int h, int outline = 0);

}  // namespace qw::artgen
