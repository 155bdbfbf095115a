#include "platform/image_list.h"

#include <utility>

namespace qw {

ImageList::ImageList(Surface strip, std::int32_t imageWidth, std::int32_t count, Color transparent)
    : strip_(std::move(strip)),
      imageWidth_(std::max(imageWidth, 0)),
      count_(imageWidth > 0 ? std::max(count, 0) : 0),
      transparent_(transparent) {}

void ImageList::Draw(Canvas& canvas, std::int32_t n, Point at) const {
  if (n < 0 || n >= count_) {
    return;
  }
  // Images past the end of a short strip draw what exists of them.
  const std::int64_t left = std::int64_t{n} * imageWidth_;
  if (left >= strip_.width()) {
    return;
  }
  const Rect image{
      static_cast<std::int32_t>(left), 0,
      static_cast<std::int32_t>(std::min<std::int64_t>(left + imageWidth_, strip_.width())),
      strip_.height()};
  canvas.CopyTransparent(strip_, image, at, transparent_);
}

}  // namespace qw
