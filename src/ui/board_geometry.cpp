#include "ui/board_geometry.h"

#include "data/layout_items.h"

namespace qw {

void StepPoint(Point& p, std::int32_t d, std::int32_t amount) {
  const DirectionStep s = StepOf(d);
  p.x += s.dx * amount;
  p.y += s.dy * amount;
}

BoardGeometry::BoardGeometry(const Layout& layout)
    : tray_(ItemRect(layout, kItemTray)), board_(ItemRect(layout, kItemBoard)) {}

Rect BoardGeometry::CellRect(std::int32_t x, std::int32_t y) const {
  const Rect& item = y == -1 ? tray_ : board_;
  const std::int32_t left = item.left + 1 + kCellPitch * x;
  const std::int32_t top = item.top + 1 + (y == -1 ? 0 : kCellPitch * y);
  return Rect{left, top, left + kCellExtent, top + kCellExtent};
}

Position BoardGeometry::HitTest(Point point) const {
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = -1; y < kBoardSize; ++y) {
      if (PtInRect(CellRect(x, y), point)) return Position{x, y};
    }
  }
  return kNoPosition;
}

std::pair<Point, Point> BoardGeometry::WaterLine(const WaterStep& step) const {
  const Point from = CellCentre(step.cell);
  Point to = from;
  StepPoint(to, step.direction, kCellPitch);
  return {from, to};
}

}  // namespace qw
