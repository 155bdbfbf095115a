// Value types shared by every layer: points, rectangles and colours in client
// pixels. Rectangles keep the handheld's convention: left and top inclusive,
// right and bottom exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace qw {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr std::int32_t Width() const { return right - left; }
  constexpr std::int32_t Height() const { return bottom - top; }
  // A rectangle with no pixels: zero or negative width or height.
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// The range every coordinate from outside is clamped to where it enters the
// game: layout values when the layout is read, pen points where the game
// receives them, the numbers of a script. Within it nothing changes; beyond
// it a value was already far off everything the game draws on or hit-tests:
// the client area is a few hundred pixels wide, a skin holds at most 2^24
// pixels and so no side longer than that, and a window reports positions on
// a screen. In exchange, sums of up to a hundred clamped values, and the
// products of one with a board index or a piece size, stay far inside
// int32 (2^31 = 128 * 2^24), so the code past the entry points adds and
// subtracts coordinates freely.
inline constexpr std::int32_t kCoordinateLimit = std::int32_t{1} << 24;

constexpr std::int32_t ClampCoordinate(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

constexpr Point ClampPoint(Point p) { return Point{ClampCoordinate(p.x), ClampCoordinate(p.y)}; }

// The centre of a rectangle, each coordinate truncated toward zero.
constexpr Point RectCenter(const Rect& rect) {
  // The sum of two int32 values fits in 64 bits, and so does half of it in 32.
  return Point{static_cast<std::int32_t>((std::int64_t{rect.left} + rect.right) / 2),
               static_cast<std::int32_t>((std::int64_t{rect.top} + rect.bottom) / 2)};
}

constexpr Rect RectFromSize(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
  return Rect{x, y, x + w, y + h};
}

// True when left <= x < right and top <= y < bottom.
constexpr bool PtInRect(const Rect& r, Point p) {
  return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

// Grows the rectangle by dx on the left and right and by dy on the top and
// bottom; negative values shrink it.
constexpr Rect InflateRect(Rect r, std::int32_t dx, std::int32_t dy) {
  return Rect{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

// The common part of two rectangles; empty (all zero) when they do not meet.
constexpr Rect IntersectRect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
constexpr Rect UnionRect(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// An opaque 24-bit colour.
struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Color, Color) = default;
};

// Surfaces store pixels as 0x00RRGGBB.
constexpr std::uint32_t ToPixel(Color c) {
  return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}
constexpr Color FromPixel(std::uint32_t p) {
  return Color{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
}

}  // namespace qw
