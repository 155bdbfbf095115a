// Drawing onto a Surface through a clip region. These are the handheld's
// drawing rules, kept exactly: right and bottom edges exclusive, frames on the
// outermost pixels, line end points not drawn, plain copies, magenta keyed out
// of piece images, text clipped to its box.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/region.h"
#include "platform/surface.h"

namespace qw {

class Font;

class Canvas {
 public:
  // The clip starts as the whole surface.
  explicit Canvas(Surface& target);

  Surface& target() { return target_; }

  // The clip region never reaches outside the surface.
  const Region& Clip() const { return clip_; }
  void SetClip(const Region& region);
  void ExcludeClipRect(const Rect& r);
  void IntersectClipRect(const Rect& r);

  void FillRect(const Rect& r, Color c);
  // A 1-pixel frame on the outermost pixels of r: the top and left edges in
  // topLeft, the right and bottom edges in bottomRight.
  void FrameRect(const Rect& r, Color topLeft, Color bottomRight);
  // A disabled button's look: every other pixel of r, the top-left one
  // first, gives way to c.
  void Fade(const Rect& r, Color c);
  // A solid line from `from` to `to`; `to` itself is not drawn. A line of
  // width w > 1 paints, for every pixel p of the 1-pixel line, the w x w square
  // from p - w/2 to p - w/2 + w - 1 on both axes (for width 2: p - 1 and p).
  void DrawLine(Point from, Point to, std::int32_t width, Color c);
  // Plain copy of srcRect of src to dst, clipped to both surfaces and the clip.
  void CopyRect(const Surface& src, const Rect& srcRect, Point dst);
  // As CopyRect, leaving out source pixels of the key colour.
  void CopyTransparent(const Surface& src, const Rect& srcRect, Point dst, Color key);
  // Left- and top-aligned, one line, no wrapping, transparent background,
  // clipped to box. Draws nothing without a font.
  void DrawText(const Font* font, std::wstring_view text, const Rect& box, Color c);

  // Pixels written so far, for the benchmarks.
  std::uint64_t PixelsWritten() const { return pixelsWritten_; }

 private:
  Surface& target_;
  Region clip_;
  std::uint64_t pixelsWritten_ = 0;
  std::vector<Rect> lineParts_;  // reused by every DrawLine
};

}  // namespace qw
