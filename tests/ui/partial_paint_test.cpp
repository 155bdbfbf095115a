// A paint limited to part of the window must leave there exactly what a full
// paint leaves, and nothing anywhere else: nothing the renderer skips for a
// small area (text outside the clip, lines filled as rectangles, the
// caption's kept mask) may show, and nothing may spill past the area.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "platform/font.h"
#include "ui/renderer.h"
#include "world.h"

namespace qw {
namespace {

using testing::World;

constexpr Color kMagenta{255, 0, 255};

Surface PatternSkin() {
  Surface skin(240, 260 * 25);
  for (std::int32_t y = 0; y < skin.height(); ++y) {
    for (std::int32_t x = 0; x < skin.width(); ++x)
      skin.SetPixel(x, y, static_cast<std::uint32_t>(x * 977 + y * 131));
  }
  return skin;
}

ImageList PatternPieces() {
  Surface strip(720, 20);
  for (std::int32_t y = 0; y < 20; ++y) {
    for (std::int32_t x = 0; x < 720; ++x) {
      strip.SetPixel(
          x, y, (x + y) % 3 == 0 ? ToPixel(kMagenta) : static_cast<std::uint32_t>(x * 40503 + y));
    }
  }
  return ImageList(std::move(strip), 20, 36, kMagenta);
}

struct PaintedWorld : World {
  PaintedWorld() : World(PatternSkin(), PatternPieces(), Font::Open(12, 400, "Arial")) {}

  void Paint(Surface& target, const Rect& area) {
    Canvas canvas(target);
    canvas.SetClip(Region(area));
    game.renderer.OnPaint(canvas);
  }

  // Paints every area over a full paint spoiled there, and compares.
  void ExpectAreasMatchFullPaint(std::mt19937& rng, int areas) {
    Surface full(240, 268);
    Paint(full, Rect{0, 0, 240, 268});
    for (int i = 0; i < areas; ++i) {
      const std::int32_t x = static_cast<std::int32_t>(rng() % 240);
      const std::int32_t y = static_cast<std::int32_t>(rng() % 268);
      const Rect area = RectFromSize(x, y, 1 + static_cast<std::int32_t>(rng() % 60),
                                     1 + static_cast<std::int32_t>(rng() % 60));
      // Painted over a spoiled surface: the full paint's pixels inside the
      // area, the spoiled ones outside it untouched.
      Surface part(240, 268);
      Canvas spoil(part);
      spoil.FillRect(part.Bounds(), Color{1, 2, 3});
      Surface expected = part;
      Canvas(expected).CopyRect(full, area, Point{area.left, area.top});
      Paint(part, area);
      ASSERT_EQ(part.pixels(), expected.pixels())
          << "area " << area.left << "," << area.top << " - " << area.right << "," << area.bottom
          << " in mode " << static_cast<int>(Ui().screenMode);
    }
  }
};

TEST(PartialPaint, EveryAreaMatchesTheFullPaint) {
  PaintedWorld w;
  std::mt19937 rng(7);
  w.StartPlaying(0);
  // A bend in the water's way sends it on diagonally; a piece is dragged.
  Board board = w.puzzle.board();
  board[BoardIndex(4, 0)] = Cell{KIND_BEND, 2};
  w.puzzle.SetUpPosition(w.puzzle.tray(), board);
  w.puzzle.Select({4, 0});
  const Point press = w.Centre(0, -1);
  w.controller.OnPenDown(press);
  w.controller.OnPenMove(Point{press.x + 30, press.y + 40});
  w.ExpectAreasMatchFullPaint(rng, 150);
  ASSERT_EQ(w.Ui().screenMode, MODE_PLAY);

  // Lightning on every empty cell: the next step loses the level.
  board = w.puzzle.board();
  for (Cell& cell : board) {
    if (cell.kind == KIND_EMPTY) cell = Cell{KIND_SPARK, 0};
  }
  w.puzzle.SetUpPosition(w.puzzle.tray(), board);
  w.controller.OnPenUp(press);
  w.controller.OnPenDown(w.Centre(0, -1));
  w.controller.OnPenUp(w.Centre(0, -1));
  w.controller.OnRotateClockwise();
  ASSERT_EQ(w.Ui().screenMode, MODE_FAILED);
  w.ExpectAreasMatchFullPaint(rng, 50);
  w.controller.OnOkCommand();
  w.ExpectAreasMatchFullPaint(rng, 50);
}

}  // namespace
}  // namespace qw
