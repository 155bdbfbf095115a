#include "platform/surface.h"

namespace qw {

Surface::Surface(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u);
}

std::uint32_t Surface::Pixel(std::int32_t x, std::int32_t y) const {
  if (!PtInRect(Bounds(), Point{x, y})) {
    return 0;
  }
  return Row(y)[x];
}

void Surface::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value) {
  if (PtInRect(Bounds(), Point{x, y})) {
    Row(y)[x] = value;
  }
}

}  // namespace qw
