// Text for the art, rendered with SDL2_ttf from the Liberation fonts that the
// Debian package fonts-liberation installs (metric twins of the handheld's
// Arial). Fonts are found by fixed path, so every run draws the same pixels.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "raster.h"

struct _TTF_Font;

namespace qw::artgen {

enum class Face { kRegular, kBold, kNarrow, kNarrowBold };

// The file of a face; the program stops with a message when it is missing.
std::string FacePath(Face face);

class TextFont {
 public:
  // nullptr, with a message naming the package, when the file cannot be opened.
  static std::unique_ptr<TextFont> Open(Face face, int pixelSize);
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  int Width(std::string_view utf8) const;
  int Ascent() const;
  int LineHeight() const;

  // Top-left of the text's line box at (x, y). With outline > 0 a ring of that
  // many pixels is drawn around the glyphs in the outline colour first.
  void Draw(Image& img, int x, int y, std::string_view utf8, Rgb colour) const;
  void DrawOutlined(Image& img, int x, int y, std::string_view utf8, Rgb colour, Rgb outlineColour,
                    int outline) const;
  // Horizontally centred on cx.
  void DrawCentred(Image& img, int cx, int y, std::string_view utf8, Rgb colour) const;

 private:
  explicit TextFont(_TTF_Font* font) : font_(font) {}
  void Blit(Image& img, int x, int y, std::string_view utf8, Rgb colour) const;
  _TTF_Font* font_;
};

// Starts and stops SDL_ttf around the generator's run.
class TextSystem {
 public:
  TextSystem();
  ~TextSystem();
  TextSystem(const TextSystem&) = delete;
  TextSystem& operator=(const TextSystem&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

}  // namespace qw::artgen
