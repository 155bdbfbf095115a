// The frame that marks a chosen cell: two rings of one pixel each, dark
// outside and bright inside, on the cell's own outermost pixels, so that a
// repaint of the cell takes the frame away with it. Drawn over the cell's
// piece, it stands out on the panel, on pipes and on water alike.
#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"

namespace qw {

inline constexpr Color kCursorOuterColor{20, 20, 110};
inline constexpr Color kCursorInnerColor{255, 210, 0};

void DrawCursorFrame(Canvas& canvas, const Rect& cell);

}  // namespace qw
