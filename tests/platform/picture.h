// Small surfaces as text, so that a test states the expected picture as it
// looks: one character per pixel, rows joined by '|'.
#pragma once

#include <string>

#include "platform/surface.h"

namespace qw::test {

constexpr Color kWhite{255, 255, 255};
constexpr Color kRed{255, 0, 0};
constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};

// '.' black, '#' white, 'r' 'g' 'b' 'm' pure red, green, blue, magenta, '?'
// anything else.
inline std::string Picture(const Surface& s) {
  std::string out;
  for (std::int32_t y = 0; y < s.height(); ++y) {
    out += y > 0 ? "|" : "";
    for (std::int32_t x = 0; x < s.width(); ++x) {
      switch (s.Pixel(x, y)) {
        case 0x000000: out += '.'; break;
        case 0xFFFFFF: out += '#'; break;
        case 0xFF0000: out += 'r'; break;
        case 0x00FF00: out += 'g'; break;
        case 0x0000FF: out += 'b'; break;
        case 0xFF00FF: out += 'm'; break;
        default: out += '?'; break;
      }
    }
  }
  return out;
}

// The opposite, for sources: a surface painted from such a picture.
inline Surface FromPicture(const std::string& picture) {
  const auto width = static_cast<std::int32_t>(
      picture.find('|') == std::string::npos ? picture.size() : picture.find('|'));
  const auto height = static_cast<std::int32_t>((picture.size() + 1) / (width + 1));
  Surface s(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const char c = picture[static_cast<std::size_t>(y * (width + 1) + x)];
      s.SetPixel(x, y,
                 c == '#'   ? 0xFFFFFF
                 : c == 'r' ? 0xFF0000
                 : c == 'g' ? 0x00FF00
                 : c == 'b' ? 0x0000FF
                 : c == 'm' ? 0xFF00FF
                            : 0);
    }
  }
  return s;
}

}  // namespace qw::test
