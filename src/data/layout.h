// The skin image and the layout table: where every screen element sits and
// which rectangle of the skin it shows. Elements are known by their index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/surface.h"

namespace qw {

// Every value is clamped to ±kCoordinateLimit when the item is made, so that
// geometry built from items (edges, cells, keys) never overflows.
struct LayoutItem {
  constexpr LayoutItem() = default;
  constexpr LayoutItem(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height,
                       std::int64_t sourceX, std::int64_t sourceY)
      : x(ClampCoordinate(left)),
        y(ClampCoordinate(top)),
        w(ClampCoordinate(width)),
        h(ClampCoordinate(height)),
        srcX(ClampCoordinate(sourceX)),
        srcY(ClampCoordinate(sourceY)) {}

  std::int32_t x = 0;  // left edge, client pixels
  std::int32_t y = 0;  // top edge, client pixels: the file's value minus 26
  std::int32_t w = 0;
  std::int32_t h = 0;
  std::int32_t srcX = 0;  // source rectangle in the skin, same size as the item
  std::int32_t srcY = 0;
  friend bool operator==(const LayoutItem&, const LayoutItem&) = default;
};

using Layout = std::vector<LayoutItem>;

// The program needs items 0 to 24; a table with fewer is refused when the
// window is created. Items 25 and up (Continue, Levels, the chooser) are
// used when the table has them.
inline constexpr std::int32_t kLayoutItemsNeeded = 25;

// The file's y values count from the top of the handheld's screen, 26 pixels
// above the game window's client area.
inline constexpr std::int32_t kLayoutYOffset = 26;

// The skin image: any BMP. nullopt when it cannot be loaded.
std::optional<Surface> LoadSkin(const std::string& path);

// One item per meaningful line, scanned as "%d,%d,%d,%d,%d,%d" and clamped.
// nullopt only when the file cannot be read; any content loads.
std::optional<Layout> LoadLayout(const std::string& path);
// The same from text already read.
Layout ParseLayout(std::wstring text);
// One line as the scan reads it; fields the scan does not reach are 0.
LayoutItem ParseLayoutLine(std::wstring_view line);

// Left x, top y, right x + w, bottom y + h. An index outside the table gives
// an empty rectangle.
Rect ItemRect(const Layout& layout, std::int32_t i);

}  // namespace qw
