// A software drawing surface: a width x height grid of 0x00RRGGBB pixels in
// memory. Every screen is painted into one of these; the window presents it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace qw {

class Surface {
 public:
  Surface() = default;
  // Negative sizes give an empty surface. Pixels start black.
  Surface(std::int32_t width, std::int32_t height);

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  Rect Bounds() const { return Rect{0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }

  // Unchecked access; callers clip first.
  std::uint32_t* Row(std::int32_t y) {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  const std::uint32_t* Row(std::int32_t y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  // Checked access: a point outside the surface reads 0 and writes nothing.
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
  Color ColorAt(std::int32_t x, std::int32_t y) const { return FromPixel(Pixel(x, y)); }
  void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value);

  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  std::vector<std::uint32_t>& pixels() { return pixels_; }

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace qw
