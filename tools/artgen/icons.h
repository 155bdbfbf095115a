// The desktop icons: one design drawn afresh at every size the desktop asks
// for, with outlines and margins in whole pixels of that size, and the same
// design as an SVG for the scalable icon.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qw::artgen {

inline constexpr std::array<int, 7> kDesktopIconSizes{16, 24, 32, 48, 64, 128, 256};

// Pixels as 8-bit red, green, blue, alpha, rows top-down.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

RgbaImage DrawDesktopIcon(int size);
std::string DesktopIconSvg();

}  // namespace qw::artgen
