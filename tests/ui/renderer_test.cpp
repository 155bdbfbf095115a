#include "ui/renderer.h"

#include <gtest/gtest.h>

#include <limits>

#include "ui/cursor_frame.h"
#include "world.h"

namespace qw {
namespace {

using testing::World;

// The screens' pixels are checked by the golden replays; these tests paint
// a dragged piece at the int32 limits and a carried one over the water.
// (Layout items at the limits are a seed of the layout fuzz target.)
ImageList BlankPieces() { return ImageList(Surface(720, 20), 20, 36, Color{255, 0, 255}); }

struct Screen : World {
  Screen() : renderer(puzzle, controller.state(), ScreenArt{skin, layout, pieces, nullptr}, 3) {}
  void Paint() {
    Canvas canvas(screen);
    renderer.OnPaint(canvas);
  }
  Surface skin{240, 260 * 25};
  ImageList pieces = BlankPieces();
  Surface screen{240, 268};
  ScreenRenderer renderer;
};

TEST(Renderer, APenDraggedToTheInt32LimitsStopsThere) {
  // Found by fuzzing: the pen square, the drag distance and the dragged
  // piece's corner overflowed there (the script mode takes any int32
  // position; the first move did not even start the drag).
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  Screen s;
  s.StartPlaying(0);
  s.controller.OnPenDown(s.Centre(1, -1));
  for (const Point p : {Point{lo, lo}, Point{hi, hi}, Point{lo, hi}}) {
    s.controller.OnPenMove(p);
    s.Paint();
    EXPECT_EQ(s.Ui().press.lastPoint, ClampPoint(p));
  }
  s.controller.OnPenUp(Point{lo, lo});
  EXPECT_EQ(s.puzzle.tray()[1].kind, KIND_ELBOW);  // dropped nowhere: it stays
}

TEST(Renderer, APieceCarriedByTheKeysLiesOverTheWaterAndItsEmptyPlaceIsNotMarked) {
  Screen s;
  Surface see(720, 20);  // pieces with nothing but see-through pixels
  for (std::int32_t y = 0; y < 20; ++y) {
    for (std::int32_t x = 0; x < 720; ++x) see.SetPixel(x, y, ToPixel(Color{255, 0, 255}));
  }
  s.pieces = ImageList(std::move(see), 20, 36, Color{255, 0, 255});
  s.StartPlaying(0);
  s.controller.OnCursorKey(0, 0);  // the cursor on tray slot 0
  s.controller.OnPickKey();
  s.controller.OnCursorKey(0, 1);
  s.controller.OnCursorKey(1, 0);  // over (1, 0), where the water runs east
  s.controller.OnRotateClockwise();
  s.Paint();
  const Point over = s.Centre(1, 0);
  EXPECT_EQ(s.screen.Pixel(over.x, over.y), ToPixel(kPanelColor));
  const Rect origin = s.CellRect(0, -1);
  EXPECT_EQ(s.screen.Pixel(origin.left + 5, origin.top + 5), ToPixel(kPanelColor));
  EXPECT_NE(s.screen.Pixel(origin.left, origin.top), ToPixel(kCursorOuterColor));
}

}  // namespace
}  // namespace qw
