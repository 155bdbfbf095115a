// A strip of equally wide images with one colour keyed out: the piece strip.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/surface.h"

namespace qw {

class ImageList {
 public:
  ImageList() = default;
  ImageList(Surface strip, std::int32_t imageWidth, std::int32_t count, Color transparent);

  std::int32_t count() const { return count_; }
  // Draws image n with its top-left corner at `at`, transparent pixels left
  // out. An index outside 0..count-1 draws nothing.
  void Draw(Canvas& canvas, std::int32_t n, Point at) const;

 private:
  Surface strip_;
  std::int32_t imageWidth_ = 0;
  std::int32_t count_ = 0;
  Color transparent_;
};

}  // namespace qw
