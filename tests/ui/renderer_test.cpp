#include "ui/renderer.h"

#include <gtest/gtest.h>

#include <limits>

#include "ui/cursor_frame.h"
#include "ui/keyboard.h"
#include "world.h"

namespace qw {
namespace {

using testing::World;

Color ItemColor(int i) { return Color{static_cast<std::uint8_t>(10 * i + 5), 77, static_cast<std::uint8_t>(250 - 3 * i)}; }
Color KeyColor(int k) { return Color{200, static_cast<std::uint8_t>(20 * k + 10), 0}; }
Color PieceColor(int n) { return Color{static_cast<std::uint8_t>(7 * n), 220, 30}; }
Color PieceColor(PieceKind kind, int variant = 0) { return PieceColor(KindCode(kind) + variant); }

// Each item's band of the skin in its own colour; the keypad's keys each in
// their own colour too.
Surface TestSkin() {
  Surface skin(240, 260 * 25);
  Canvas c(skin);
  for (int i = 0; i < 25; ++i) c.FillRect(RectFromSize(0, 260 * i, 240, 260), ItemColor(i));
  for (int k = 0; k < 8; ++k) c.FillRect(RectFromSize(20 * k, 260 * 23, 20, 20), KeyColor(k));
  return skin;
}

// Every piece image in its own colour, its top-left pixel transparent.
ImageList TestPieces() {
  Surface strip(720, 20);
  Canvas c(strip);
  for (int n = 0; n < 36; ++n) {
    c.FillRect(RectFromSize(20 * n, 0, 20, 20), PieceColor(n));
    strip.SetPixel(20 * n, 0, ToPixel(Color{255, 0, 255}));
  }
  return ImageList(std::move(strip), 20, 36, Color{255, 0, 255});
}

// A screen state of the test's own.
UiState Shown(ScreenMode mode, std::int32_t hovered = -1, std::wstring password = L"") {
  UiState ui;
  ui.screenMode = mode;
  ui.hoveredButton = hovered;
  ui.enteredPassword = std::move(password);
  return ui;
}

struct Screen : World {
  Screen() : renderer(puzzle, controller.state(), Art(), 3) {}

  ScreenArt Art() const { return ScreenArt{skin, layout, pieces, nullptr}; }
  // One paint of the whole client area, as after an invalidation of all.
  void Paint() { PaintArea(Rect{0, 0, 240, 268}); }
  // The same for a screen state of the test's own.
  void PaintWith(const UiState& ui) {
    ScreenRenderer other(puzzle, ui, Art(), 3);
    Canvas canvas(screen);
    canvas.SetClip(Region(Rect{0, 0, 240, 268}));
    other.OnPaint(canvas);
  }
  void PaintArea(const Rect& area) {
    Canvas canvas(screen);
    canvas.SetClip(Region(area));
    renderer.OnPaint(canvas);
  }
  Color At(std::int32_t x, std::int32_t y) const { return screen.ColorAt(x, y); }
  Color At(Point p) const { return screen.ColorAt(p.x, p.y); }

  Surface skin = TestSkin();
  ImageList pieces = TestPieces();
  Surface screen{240, 268};
  ScreenRenderer renderer;
};

TEST(Renderer, MenuDrawsItsItemsInOrderWithTheHighlightedButton) {
  Screen s;
  s.Paint();
  EXPECT_EQ(s.At(s.ItemCentre(3)), ItemColor(3));
  EXPECT_EQ(s.At(s.ItemCentre(7)), ItemColor(7));
  EXPECT_EQ(s.At(5, 200), kPanelColor);
  EXPECT_EQ(s.At(5, 255), ItemColor(2));
  s.PaintWith(Shown(MODE_MENU, 2));
  EXPECT_EQ(s.At(s.ItemCentre(7)), ItemColor(8));
  EXPECT_EQ(s.At(s.ItemCentre(9)), ItemColor(9));
  s.PaintWith(Shown(MODE_HELP, 2));
  EXPECT_EQ(s.At(s.ItemCentre(7)), ItemColor(11));  // the page lies over the menu
  EXPECT_EQ(s.At(5, 255), ItemColor(2));
}

TEST(Renderer, PlayScreenLayersGridWaterAndPieces) {
  Screen s;
  s.StartPlaying(0);
  s.puzzle.Select({4, 4});
  s.Paint();
  EXPECT_EQ(s.Ui().screenMode, MODE_PLAY);  // the fire at 55 still burns
  EXPECT_EQ(s.At(2, 2), kBackgroundColor);
  // Frames on the outermost pixels, panel inside, grid lines in the gaps.
  EXPECT_EQ(s.At(15, 22), kFrameColor);
  EXPECT_EQ(s.At(225, 43), kFrameColor);
  EXPECT_EQ(s.At(226, 43), kBackgroundColor);
  EXPECT_EQ(s.At(36, 30), kGridColor);   // tray: vertical lines only
  EXPECT_EQ(s.At(100, 71), kGridColor);  // board: a horizontal line
  // The selection: tinted, framed on the cell's own two outermost rings of
  // pixels (a repaint of the cell alone takes it away), the grid untouched.
  const Rect selected = s.CellRect(4, 4);
  EXPECT_EQ(s.At(selected.left + 2, selected.top + 2), kSelectionColor);
  EXPECT_EQ(s.At(selected.right - 3, selected.bottom - 3), kSelectionColor);
  for (std::int32_t i = 0; i < selected.Width(); ++i) {
    EXPECT_EQ(s.At(selected.left + i, selected.top), kCursorOuterColor);
    EXPECT_EQ(s.At(selected.left, selected.top + i), kCursorOuterColor);
    EXPECT_EQ(s.At(selected.right - 1, selected.top + i), kCursorOuterColor);
    EXPECT_EQ(s.At(selected.left + i, selected.bottom - 1), kCursorOuterColor);
  }
  for (std::int32_t i = 1; i < selected.Width() - 1; ++i) {
    EXPECT_EQ(s.At(selected.left + i, selected.top + 1), kCursorInnerColor);
    EXPECT_EQ(s.At(selected.right - 2, selected.top + i), kCursorInnerColor);
  }
  EXPECT_EQ(s.At(selected.right, selected.top), kGridColor);
  EXPECT_EQ(s.At(selected.left - 1, selected.top), kGridColor);
  EXPECT_EQ(s.At(selected.left, selected.top - 1), kGridColor);
  // Pieces over the water, magenta left out.
  const Rect slot0 = s.CellRect(0, -1);
  EXPECT_EQ(s.At(slot0.left, slot0.top), kPanelColor);
  EXPECT_EQ(s.At(slot0.left + 1, slot0.top), PieceColor(KIND_ELBOW));
  const Rect source = s.CellRect(0, 0);
  EXPECT_EQ(s.At(source.left + 5, source.top + 5), PieceColor(KIND_SOURCE, 2));
  // The water leaves the source eastward along row 0 and stops at the wall.
  const Point centre = RectCenter(s.CellRect(3, 0));
  EXPECT_EQ(s.At(centre.x, centre.y - 1), kWaterColor);
  EXPECT_EQ(s.At(centre.x, centre.y), kWaterColor);
  EXPECT_EQ(s.At(centre.x, centre.y + 1), kPanelColor);
  EXPECT_EQ(s.At(RectCenter(s.CellRect(3, 1))), kPanelColor);
}

TEST(Renderer, TheDraggedPieceFollowsThePenAndLeavesItsSlotEmpty) {
  Screen s;
  s.StartPlaying(0);
  s.controller.OnPenDown(s.Centre(1, -1));
  s.controller.OnPenMove(Point{100, 150});
  s.Paint();
  EXPECT_EQ(s.At(91, 140), PieceColor(KIND_ELBOW));
  EXPECT_EQ(s.At(109, 159), PieceColor(KIND_ELBOW));
  EXPECT_NE(s.At(110, 160), PieceColor(KIND_ELBOW));
  EXPECT_NE(s.At(90, 140), PieceColor(KIND_ELBOW));  // transparent corner
  const Rect slot1 = s.CellRect(1, -1);
  EXPECT_EQ(s.At(slot1.left + 5, slot1.top + 5), kPanelColor);
}

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
  EXPECT_EQ(s.puzzle.tray[1].kind, KIND_ELBOW);  // dropped nowhere: it stays
}

TEST(Renderer, LayoutValuesAtTheInt32LimitsPaintAndMapKeys) {
  // Found by fuzzing: the grid lines, the glyph row, the glyph source and
  // the desktop keys' taps overflowed on such items.
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  Layout layout = testing::TestLayout();
  for (std::int32_t i : {16, 17, 23, 24}) layout[static_cast<std::size_t>(i)] = LayoutItem{hi - 5, hi, hi, hi, hi, hi};
  layout[22] = LayoutItem{lo, lo, hi, hi, lo, lo};
  testing::RecordingWindow window;
  const std::vector<LevelRecord> levels{testing::TestLevel(L"SEAL", L"55")};
  Puzzle puzzle(levels);
  GameController controller(puzzle, layout, levels, window);
  const Surface skin = TestSkin();
  const ImageList pieces = TestPieces();
  const ScreenArt art{skin, layout, pieces, nullptr};
  Surface screen(240, 268);
  Canvas canvas(screen);
  controller.StartLevel(0);
  ScreenRenderer(puzzle, controller.state(), art, 1).OnPaint(canvas);
  ScreenRenderer(puzzle, Shown(MODE_PASSWORD, -1, L"TEST"), art, 1).OnPaint(canvas);
  constexpr std::int32_t far = kCoordinateLimit;  // the items' values, clamped
  EXPECT_EQ(controller.GlyphRow().bottom, far + 20);
  EXPECT_EQ(MapKey(Key::Letter, 'T', MODE_PASSWORD, layout).tap, (Point{far + 7 * 20 + 10, far + far / 2}));
  EXPECT_EQ(MapKey(Key::Backspace, 0, MODE_PASSWORD, layout).kind, KeyAction::Kind::Tap);
}

TEST(Renderer, SolvedScreenShowsTheBoardOnlyWithItsBannerAndButton) {
  Screen s;
  s.StartPlaying(1);  // the stream douses the only fire
  s.Paint();
  EXPECT_EQ(s.At(148, 43), kBackgroundColor);  // no tray
  EXPECT_EQ(s.At(50, 20), ItemColor(18));
  EXPECT_EQ(s.At(190, 20), ItemColor(12));
  EXPECT_EQ(s.At(100, 71), kGridColor);
  const Rect fire = s.CellRect(5, 0);
  EXPECT_EQ(s.At(fire.left + 5, fire.top + 5), PieceColor(KIND_FIRE, 1));  // doused

  s.StartPlaying(2);  // the last level: the other button
  s.Paint();
  EXPECT_EQ(s.At(190, 20), ItemColor(14));
}

TEST(Renderer, FailedScreenShowsItsBannerAndRetry) {
  Screen s;
  s.StartPlaying(0);
  s.controller.ShowScreen(MODE_FAILED);
  s.Paint();
  EXPECT_EQ(s.At(50, 20), ItemColor(19));
  EXPECT_EQ(s.At(190, 20), ItemColor(13));
}

TEST(Renderer, TheFailedScreenFramesEachHazardTheWaterReached) {
  Screen s;
  s.levels[0].hazardCells = L"4,99";  // row 0's water runs into (4, 0) only
  s.StartPlaying(0);
  ASSERT_EQ(s.Ui().screenMode, MODE_FAILED);
  s.Paint();
  const Rect wet = s.CellRect(4, 0), dry = s.CellRect(9, 9);
  for (const std::int32_t inset : {1, 2}) {
    EXPECT_EQ(s.At(wet.left + inset, wet.top + 9), kWetHazardColor);
    EXPECT_EQ(s.At(wet.right - 1 - inset, wet.bottom - 1 - inset), kWetHazardColor);
    EXPECT_EQ(s.At(dry.left + inset, dry.top + 9), PieceColor(KIND_SPARK));
  }
  EXPECT_EQ(s.At(wet.left + 9, wet.top + 9), PieceColor(KIND_SPARK));  // the piece still shows
  EXPECT_EQ(s.At(wet.left + 3, wet.top + 9), PieceColor(KIND_SPARK));
  // Play and the solved screen mark nothing.
  s.controller.ShowScreen(MODE_PLAY);
  s.Paint();
  EXPECT_EQ(s.At(wet.left + 1, wet.top + 9), PieceColor(KIND_SPARK));
}

TEST(Renderer, PasswordGlyphsComeFromTheKeypadAndRunPastTheirItem) {
  Screen s;
  s.PaintWith(Shown(MODE_PASSWORD, -1, L"SAX"));
  EXPECT_EQ(s.At(s.ItemCentre(20)), ItemColor(20));
  EXPECT_EQ(s.At(45, 115), KeyColor(6));
  EXPECT_EQ(s.At(65, 115), KeyColor(0));
  EXPECT_EQ(s.At(85, 115), KeyColor(0));  // no key: the first glyph
  EXPECT_EQ(s.At(105, 115), kPanelColor);
  s.PaintWith(Shown(MODE_PASSWORD, -1, std::wstring(12, L'T')));
  EXPECT_EQ(s.At(239, 115), KeyColor(7));  // past item 24's right edge
}

TEST(Renderer, APaintTouchesOnlyItsArea) {
  Screen s;
  s.StartPlaying(0);
  s.PaintArea(RectFromSize(100, 100, 10, 10));
  EXPECT_EQ(s.At(99, 105), (Color{0, 0, 0}));
  EXPECT_EQ(s.At(110, 105), (Color{0, 0, 0}));
  EXPECT_EQ(s.At(105, 105), kPanelColor);
}

}  // namespace
}  // namespace qw
