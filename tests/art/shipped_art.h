// Access to the shipped art files for the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/layout.h"
#include "platform/surface.h"

namespace qw::testing {

// Full path of a file below the project's folder, e.g. "data/qw_layout.dat".
std::string ShippedPath(const std::string& relative);

struct BmpHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
};
// The header fields of a BMP file, read from its bytes; nullopt when the file
// is missing or not a BMP.
std::optional<BmpHeader> ReadBmpHeader(const std::string& path);

// Loaded once per test program; the tests fail (not crash) when a file is
// missing.
const Surface& Skin();
const Layout& ShippedLayout();
const Surface& PieceStrip();

inline constexpr Color kMagenta{255, 0, 255};
inline constexpr std::int32_t kClientWidth = 240;
inline constexpr std::int32_t kClientHeight = 268;

}  // namespace qw::testing
