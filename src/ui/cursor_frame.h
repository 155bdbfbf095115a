// The frame that marks a chosen cell: two rings of one pixel each, dark
// outside and bright inside, on the cell's own outermost pixels, so that a
// repaint of the cell takes the frame away with it. Drawn over the cell's
// piece, it stands out on the panel, on pipes and on water alike.
#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/theme.h"

namespace qw {

inline constexpr Color kCursorOuterColor = kClassicTheme.cursorOuter;
inline constexpr Color kCursorInnerColor = kClassicTheme.cursorInner;

void DrawCursorFrame(Canvas& canvas, const Rect& cell, const Theme& theme = kClassicTheme);

}  // namespace qw
