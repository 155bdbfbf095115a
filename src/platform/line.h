// The pixels of a pen line, for the canvas. Not part of the drawing API.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace qw {

// The pixels that a line of the given width from `from` to `to` paints inside
// `limit`, as one rectangle of height 1 per row, from the top down.
//
// The 1-pixel line: with dx = |to.x - from.x|, dy = |to.y - from.y| and
// n = max(dx, dy), it has the n pixels i = 0..n-1 (so `to` itself is never
// among them). Along the longer axis (x when dx >= dy) pixel i lies i steps
// from `from`; along the other it lies round(i * min(dx, dy) / n) steps from
// `from`, a half rounded back toward `from`. Horizontal, vertical and
// 45-degree lines are therefore exact: every step moves by one pixel on the
// long axis, and by one on both axes on a diagonal.
//
// Width w > 1 paints, for every pixel p of the 1-pixel line, the w x w square
// from p - w/2 to p - w/2 + w - 1 on both axes; width 2 adds p - 1. A width
// below 1 counts as 1. Coordinates may be anywhere in the 32-bit range: the
// work is bounded by the rows of `limit`, never by the line's length.
std::vector<Rect> LineRows(Point from, Point to, std::int32_t width, const Rect& limit);

// The same pixels with rows painted over the same columns joined into one
// rectangle, from the top down: a horizontal or vertical line is a single
// rectangle. What the canvas fills; `out` is emptied first, so that one
// vector serves every line of a paint.
void LineRects(Point from, Point to, std::int32_t width, const Rect& limit, std::vector<Rect>& out);

}  // namespace qw
