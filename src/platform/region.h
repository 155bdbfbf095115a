// A set of pixels made of rectangles, for clipping and for the dirty area of
// the window. Kept as non-overlapping rectangles.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace qw {

class Region {
 public:
  Region() = default;
  explicit Region(const Rect& r);

  bool IsEmpty() const { return rects_.empty(); }
  // The smallest rectangle holding every pixel; empty for an empty region.
  Rect Bounds() const;
  bool Contains(Point p) const;
  // The non-overlapping rectangles that make up the region, none empty.
  const std::vector<Rect>& Rects() const { return rects_; }

  void Clear() { rects_.clear(); }
  void Union(const Rect& r);
  void Union(const Region& other);
  void Subtract(const Rect& r);
  void Intersect(const Rect& r);
  void Intersect(const Region& other);

  // Same set of pixels (the rectangles may be cut differently).
  bool SameArea(const Region& other) const;

 private:
  std::vector<Rect> rects_;
};

}  // namespace qw
