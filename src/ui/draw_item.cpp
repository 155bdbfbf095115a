#include "ui/draw_item.h"

namespace qw {

void DrawItem(Canvas& canvas, const Surface& skin, const Layout& layout, std::int32_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= layout.size()) return;
  const LayoutItem& it = layout[static_cast<std::size_t>(i)];
  DrawItemAt(canvas, skin, layout, i, Point{it.x, it.y});
}

void DrawItemAt(Canvas& canvas, const Surface& skin, const Layout& layout, std::int32_t i,
                Point at) {
  if (i < 0 || static_cast<std::size_t>(i) >= layout.size()) return;
  const LayoutItem& it = layout[static_cast<std::size_t>(i)];
  const Rect source{it.srcX, it.srcY, it.srcX + it.w, it.srcY + it.h};
  canvas.CopyRect(skin, source, at);
}

}  // namespace qw
