#include "text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <string>

namespace qw::artgen {

std::string FacePath(Face face) {
  const std::string dir = "/usr/share/fonts/truetype/liberation/";
  switch (face) {
    case Face::kRegular: return dir + "LiberationSans-Regular.ttf";
    case Face::kBold: return dir + "LiberationSans-Bold.ttf";
    case Face::kNarrow: return dir + "LiberationSansNarrow-Regular.ttf";
    case Face::kNarrowBold: return dir + "LiberationSansNarrow-Bold.ttf";
  }
  return {};
}

std::unique_ptr<TextFont> TextFont::Open(Face face, int pixelSize) {
  const std::string path = FacePath(face);
  TTF_Font* font = TTF_OpenFont(path.c_str(), pixelSize);
  if (font == nullptr) {
    std::fprintf(stderr,
                 "artgen: cannot open the font %s (%s).\n"
                 "Install the Debian package fonts-liberation: apt-get install fonts-liberation\n",
                 path.c_str(), TTF_GetError());
    return nullptr;
  }
  TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
  TTF_SetFontKerning(font, 1);
  return std::unique_ptr<TextFont>(new TextFont(font));
}

TextFont::~TextFont() { TTF_CloseFont(font_); }

int TextFont::Width(std::string_view utf8) const {
  int w = 0;
  int h = 0;
  const std::string s(utf8);
  TTF_SizeUTF8(font_, s.c_str(), &w, &h);
  return w;
}

int TextFont::Ascent() const { return TTF_FontAscent(font_); }
int TextFont::LineHeight() const { return TTF_FontHeight(font_); }

void TextFont::Blit(Image& img, int x, int y, std::string_view utf8, Rgb colour) const {
  const std::string s(utf8);
  if (s.empty()) return;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, s.c_str(), SDL_Color{255, 255, 255, 255});
  if (rendered == nullptr) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr) return;
  for (int j = 0; j < argb->h; ++j) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + j * argb->pitch);
    for (int i = 0; i < argb->w; ++i) {
      const double alpha = (row[i] >> 24) / 255.0;
      img.Blend(x + i, y + j, colour, alpha);
    }
  }
  SDL_FreeSurface(argb);
}

void TextFont::Draw(Image& img, int x, int y, std::string_view utf8, Rgb colour) const {
  Blit(img, x, y, utf8, colour);
}

void TextFont::DrawOutlined(Image& img, int x, int y, std::string_view utf8, Rgb colour,
                            Rgb outlineColour, int outline) const {
  TTF_SetFontOutline(font_, outline);
  Blit(img, x - outline, y - outline, utf8, outlineColour);
  TTF_SetFontOutline(font_, 0);
  Blit(img, x, y, utf8, colour);
}

void TextFont::DrawCentred(Image& img, int cx, int y, std::string_view utf8, Rgb colour) const {
  Blit(img, cx - Width(utf8) / 2, y, utf8, colour);
}

TextSystem::TextSystem() {
  ok_ = TTF_Init() == 0;
  if (!ok_) std::fprintf(stderr, "artgen: SDL_ttf does not start: %s\n", TTF_GetError());
}

TextSystem::~TextSystem() {
  if (ok_) TTF_Quit();
}

}  // namespace qw::artgen
