// The level editor's screen: the level as a player first sees it, its tray
// and board drawn by the play screen's own drawing, with the title where the
// play screen's caption stands.
#include "data/layout_items.h"
#include "platform/font.h"
#include "ui/client_area.h"
#include "ui/editor_screen.h"
#include "ui/renderer.h"

namespace qw {

void ScreenRenderer::PaintEditor(Canvas& canvas) {
  canvas.ExcludeClipRect(ItemRect(art_.layout, kItemTray));
  canvas.ExcludeClipRect(ItemRect(art_.layout, kItemBoard));
  canvas.FillRect(kClientRect, kBackgroundColor);
  if (!editor_) return;
  canvas.DrawText(art_.captionFont, editor_->draft().title, kCaptionRect, kCaptionColor);
  // The level's start: no press, no water on the move, nothing selected.
  const UiState still;
  ScreenRenderer start(editor_->preview(), still, art_, 0);
  start.paintArea_ = paintArea_;
  start.SelectClip(canvas, playArea_);
  start.DrawGrid(canvas);
  start.DrawWater(canvas);
  start.DrawPieces(canvas);
  SelectClip(canvas, clientRegion_);
  if (ui_.cursor != kNoPosition) {
    const Rect c = geometry_.CellRect(ui_.cursor);
    canvas.FrameRect(c, kCursorColor, kCursorColor);
    canvas.FrameRect(Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, kCursorColor,
                     kCursorColor);
  }
}

}  // namespace qw
