#include "ui/cursor_frame.h"

namespace qw {

void DrawCursorFrame(Canvas& canvas, const Rect& cell, const Theme& theme) {
  canvas.FrameRect(cell, theme.cursorOuter, theme.cursorOuter);
  canvas.FrameRect(InflateRect(cell, -1, -1), theme.cursorInner, theme.cursorInner);
}

}  // namespace qw
