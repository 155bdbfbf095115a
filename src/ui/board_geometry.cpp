#include "ui/board_geometry.h"

#include "data/layout_items.h"

namespace qw {

void StepPoint(Point& p, std::int32_t d, std::int32_t amount) {
  const DirectionStep s = StepOf(d);
  p.x = SaturateToInt32(p.x + std::int64_t{s.dx} * amount);
  p.y = SaturateToInt32(p.y + std::int64_t{s.dy} * amount);
}

BoardGeometry::BoardGeometry(const Layout& layout)
    : tray_(ItemRect(layout, kItemTray)), board_(ItemRect(layout, kItemBoard)) {}

Rect BoardGeometry::CellRect(std::int32_t x, std::int32_t y) const {
  const Rect& item = y == -1 ? tray_ : board_;
  const std::int64_t left = std::int64_t{item.left} + 1 + std::int64_t{kCellPitch} * x;
  const std::int64_t top = std::int64_t{item.top} + 1 + (y == -1 ? 0 : std::int64_t{kCellPitch} * y);
  return Rect{SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + kCellExtent),
              SaturateToInt32(top + kCellExtent)};
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
