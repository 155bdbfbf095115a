#include "ui/cursor_frame.h"

namespace qw {

void DrawCursorFrame(Canvas& canvas, const Rect& cell) {
  canvas.FrameRect(cell, kCursorOuterColor, kCursorOuterColor);
  canvas.FrameRect(InflateRect(cell, -1, -1), kCursorInnerColor, kCursorInnerColor);
}

}  // namespace qw
