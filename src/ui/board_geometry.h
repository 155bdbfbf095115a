// Where the tray's slots and the board's cells sit on screen: 20-pixel
// squares on a 21-pixel pitch inside the 1-pixel frame of the tray and board
// layout items. The one place that turns cells into pixels and back.
#pragma once

#include <cstdint>
#include <utility>

#include "data/layout.h"
#include "model/cell.h"
#include "model/water.h"
#include "platform/geometry.h"
#include "ui/piece_art.h"

namespace qw {

inline constexpr std::int32_t kCellPitch = 21;
inline constexpr std::int32_t kCellExtent = kPieceSize;

// Moves p by amount along direction d, the full amount on both axes for a
// diagonal; a d outside 0..7 leaves p as it is.
void StepPoint(Point& p, std::int32_t d, std::int32_t amount);

class BoardGeometry {
 public:
  BoardGeometry(const Rect& tray, const Rect& board) : tray_(tray), board_(board) {}
  // From the tray and board items of a layout.
  explicit BoardGeometry(const Layout& layout);

  // The 20 by 20 rectangle of board cell (x, y), or of tray slot x when y is
  // -1. Any x and y give a rectangle.
  Rect CellRect(std::int32_t x, std::int32_t y) const;
  Rect CellRect(Position p) const { return CellRect(p.x, p.y); }
  Point CellCentre(Position p) const { return RectCenter(CellRect(p)); }
  // The tray slot or board cell under a point, or (-1, -1); tray slot k is
  // tested before the board cells of column k. Gaps hit nothing.
  Position HitTest(Point point) const;
  // A stretch of water on screen: from the centre of the cell it leaves to
  // the centre of the next cell in its direction.
  std::pair<Point, Point> WaterLine(const WaterStep& step) const;

  const Rect& tray() const { return tray_; }
  const Rect& board() const { return board_; }

 private:
  Rect tray_;
  Rect board_;
};

}  // namespace qw
