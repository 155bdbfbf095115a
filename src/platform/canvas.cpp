#include "platform/canvas.h"

#include <algorithm>
#include <optional>

#include "platform/font.h"
#include "platform/line.h"

namespace qw {
namespace {

// A rectangle in 64-bit numbers, for positions that may lie far outside the
// 32-bit range before they are clipped.
struct WideRect {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;
  std::int64_t bottom;
};

// The part of `wide` inside `r`; nothing when they do not meet. The result
// lies within `r`, so it fits in 32 bits.
std::optional<Rect> ClipWide(const WideRect& wide, const Rect& r) {
  const std::int64_t left = std::max<std::int64_t>(wide.left, r.left);
  const std::int64_t top = std::max<std::int64_t>(wide.top, r.top);
  const std::int64_t right = std::min<std::int64_t>(wide.right, r.right);
  const std::int64_t bottom = std::min<std::int64_t>(wide.bottom, r.bottom);
  if (left >= right || top >= bottom) {
    return std::nullopt;
  }
  return Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
              static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
}

std::uint8_t Blend(std::uint8_t dst, std::uint8_t src, std::uint32_t coverage) {
  const std::uint32_t mixed =
      (std::uint32_t{src} * coverage + std::uint32_t{dst} * (255 - coverage) + 127) / 255;
  return static_cast<std::uint8_t>(mixed);
}

// Every operation below goes through this: the parts of `area` inside the
// clip, and inside the surface even when it was replaced after SetClip.
template <typename Paint>
void ForEachClipped(const Region& clip, const Surface& target, const WideRect& area, Paint paint) {
  const Rect bounds = target.Bounds();
  for (const Rect& c : clip.Rects()) {
    if (const std::optional<Rect> part = ClipWide(area, IntersectRect(c, bounds))) {
      paint(*part);
    }
  }
}

// The copy behind CopyRect and CopyTransparent; returns the pixels written.
std::uint64_t CopyPixels(Surface& target, const Region& clip, const Surface& src,
                         const Rect& srcRect, Point dst, std::optional<std::uint32_t> key) {
  const Rect from = IntersectRect(srcRect, src.Bounds());
  if (from.IsEmpty()) {
    return 0;
  }
  // Copying within one surface: read from a copy, so that overlapping
  // rectangles come out as if read before any write.
  std::optional<Surface> copy;
  if (&src == &target) {
    copy.emplace(from.Width(), from.Height());
    for (std::int32_t y = 0; y < from.Height(); ++y) {
      std::copy_n(src.Row(from.top + y) + from.left, from.Width(), copy->Row(y));
    }
  }
  const Surface& source = copy ? *copy : src;
  const Point sourceOrigin = copy ? Point{0, 0} : Point{from.left, from.top};

  // Where the part of srcRect that exists lands.
  const std::int64_t left = std::int64_t{dst.x} + (from.left - std::int64_t{srcRect.left});
  const std::int64_t top = std::int64_t{dst.y} + (from.top - std::int64_t{srcRect.top});
  const WideRect area{left, top, left + from.Width(), top + from.Height()};
  std::uint64_t written = 0;
  ForEachClipped(clip, target, area, [&](const Rect& part) {
    const auto sx = static_cast<std::int32_t>(sourceOrigin.x + (part.left - left));
    for (std::int32_t y = part.top; y < part.bottom; ++y) {
      const std::uint32_t* in =
          source.Row(static_cast<std::int32_t>(sourceOrigin.y + (y - top))) + sx;
      std::uint32_t* out = target.Row(y) + part.left;
      if (!key) {
        std::copy_n(in, part.Width(), out);
        written += static_cast<std::uint64_t>(part.Width());
        continue;
      }
      // Without branches, so that the compiler can copy several pixels at
      // once: a piece image is a quarter transparent.
      const std::uint32_t k = *key;
      std::uint32_t opaque = 0;
      for (std::int32_t x = 0; x < part.Width(); ++x) {
        const std::uint32_t keep =
            0u - static_cast<std::uint32_t>((in[x] & 0xFFFFFFu) != k);  // all ones or 0
        out[x] = (in[x] & keep) | (out[x] & ~keep);
        opaque += keep & 1u;
      }
      written += opaque;
    }
  });
  return written;
}

}  // namespace

Canvas::Canvas(Surface& target) : target_(target), clip_(target.Bounds()) {}

void Canvas::SetClip(const Region& region) {
  clip_ = region;
  clip_.Intersect(target_.Bounds());
}

void Canvas::ExcludeClipRect(const Rect& r) { clip_.Subtract(r); }

void Canvas::IntersectClipRect(const Rect& r) { clip_.Intersect(r); }

void Canvas::FillRect(const Rect& r, Color c) {
  if (r.IsEmpty()) {
    return;
  }
  const std::uint32_t pixel = ToPixel(c);
  ForEachClipped(clip_, target_, WideRect{r.left, r.top, r.right, r.bottom}, [&](const Rect& part) {
    for (std::int32_t y = part.top; y < part.bottom; ++y) {
      std::uint32_t* row = target_.Row(y);
      std::fill(row + part.left, row + part.right, pixel);
    }
    pixelsWritten_ +=
        static_cast<std::uint64_t>(part.Width()) * static_cast<std::uint64_t>(part.Height());
  });
}

void Canvas::FrameRect(const Rect& r, Color topLeft, Color bottomRight) {
  if (r.IsEmpty()) {
    return;
  }
  // Four pieces that do not overlap; where the classic rule paints a pixel
  // twice (a frame 1 pixel wide or high), the bottom-right colour wins.
  const std::int32_t lastX = r.right - 1;
  const std::int32_t lastY = r.bottom - 1;
  FillRect(Rect{r.left, r.top, lastX, std::min(r.top + 1, lastY)}, topLeft);
  FillRect(Rect{r.left, r.top + 1, std::min(r.left + 1, lastX), lastY}, topLeft);
  FillRect(Rect{lastX, r.top, r.right, r.bottom}, bottomRight);
  FillRect(Rect{r.left, lastY, lastX, r.bottom}, bottomRight);
}

void Canvas::Fade(const Rect& r, Color c) {
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    for (std::int32_t x = r.left + (y - r.top) % 2; x < r.right; x += 2)
      FillRect(Rect{x, y, x + 1, y + 1}, c);
  }
}

void Canvas::DrawLine(Point from, Point to, std::int32_t width, Color c) {
  const Rect surface = target_.Bounds();
  LineRects(from, to, width, IntersectRect(clip_.Bounds(), surface), lineParts_);
  if (lineParts_.empty()) {
    return;
  }
  // The water's short lines are many rows of a few pixels: each clip
  // rectangle that meets the line at all is matched against its rows, the
  // others are passed over once.
  Rect lineBounds{lineParts_.front().left, lineParts_.front().top, lineParts_.front().right,
                  lineParts_.back().bottom};
  for (const Rect& part : lineParts_) {
    lineBounds.left = std::min(lineBounds.left, part.left);
    lineBounds.right = std::max(lineBounds.right, part.right);
  }
  const std::uint32_t pixel = ToPixel(c);
  for (const Rect& clipRect : clip_.Rects()) {
    const Rect area = IntersectRect(IntersectRect(clipRect, surface), lineBounds);
    if (area.IsEmpty()) {
      continue;
    }
    if (area == lineBounds) {
      // The whole line inside one clip rectangle, as the water usually is.
      for (const Rect& part : lineParts_) {
        for (std::int32_t y = part.top; y < part.bottom; ++y) {
          std::uint32_t* row = target_.Row(y);
          std::fill(row + part.left, row + part.right, pixel);
        }
        pixelsWritten_ +=
            static_cast<std::uint64_t>(part.Width()) * static_cast<std::uint64_t>(part.Height());
      }
      break;  // clip rectangles do not overlap: no other one meets the line
    }
    for (const Rect& part : lineParts_) {
      // The parts run from the top down.
      if (part.bottom <= area.top) {
        continue;
      }
      if (part.top >= area.bottom) {
        break;
      }
      const Rect r = IntersectRect(part, area);
      if (r.IsEmpty()) {
        continue;
      }
      for (std::int32_t y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = target_.Row(y);
        std::fill(row + r.left, row + r.right, pixel);
      }
      pixelsWritten_ +=
          static_cast<std::uint64_t>(r.Width()) * static_cast<std::uint64_t>(r.Height());
    }
  }
}

void Canvas::CopyRect(const Surface& src, const Rect& srcRect, Point dst) {
  pixelsWritten_ += CopyPixels(target_, clip_, src, srcRect, dst, std::nullopt);
}

void Canvas::CopyTransparent(const Surface& src, const Rect& srcRect, Point dst, Color key) {
  pixelsWritten_ += CopyPixels(target_, clip_, src, srcRect, dst, ToPixel(key));
}

void Canvas::DrawText(const Font* font, std::wstring_view text, const Rect& box, Color c) {
  if (font == nullptr || box.IsEmpty()) {
    return;
  }
  // Text outside the clip (the caption during a drag) is not rendered at all.
  if (IntersectRect(box, IntersectRect(clip_.Bounds(), target_.Bounds())).IsEmpty()) {
    return;
  }
  const TextMask mask = font->Render(text);
  if (mask.width <= 0 || mask.height <= 0 ||
      mask.coverage.size() <
          static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height)) {
    return;
  }
  const std::optional<Rect> inBox =
      ClipWide(WideRect{box.left, box.top, std::int64_t{box.left} + mask.width,
                        std::int64_t{box.top} + mask.height},
               box);
  if (!inBox) {
    return;
  }
  ForEachClipped(clip_, target_, WideRect{inBox->left, inBox->top, inBox->right, inBox->bottom},
                 [&](const Rect& part) {
                   for (std::int32_t y = part.top; y < part.bottom; ++y) {
                     const std::uint8_t* cov = mask.coverage.data() +
                                               static_cast<std::size_t>(y - box.top) * mask.width +
                                               (part.left - box.left);
                     std::uint32_t* out = target_.Row(y) + part.left;
                     for (std::int32_t x = 0; x < part.Width(); ++x) {
                       if (cov[x] == 0) {
                         continue;
                       }
                       const Color under = FromPixel(out[x]);
                       out[x] =
                           ToPixel(Color{Blend(under.r, c.r, cov[x]), Blend(under.g, c.g, cov[x]),
                                         Blend(under.b, c.b, cov[x])});
                       ++pixelsWritten_;
                     }
                   }
                 });
}

}  // namespace qw
