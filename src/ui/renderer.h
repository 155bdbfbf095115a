// Paints every screen of the game onto a canvas whose clip is the area to
// repaint: the menu and instructions, the play screen with tray, board, grid,
// water, pieces, caption and the dragged piece, the solved and failed
// screens, and the password screen with its glyph row.
#pragma once

#include <cstdint>

#include "data/layout.h"
#include "model/cell.h"
#include "model/puzzle.h"
#include "platform/canvas.h"
#include "platform/image_list.h"
#include "platform/region.h"
#include "platform/theme.h"
#include "ui/board_geometry.h"
#include "ui/ui_state.h"

namespace qw {

class EditorScreen;
class Font;
class LevelChooser;

// The game's colours in the Classic theme; a screen is drawn in the colours
// of the theme the state names.
inline constexpr Color kBackgroundColor = kClassicTheme.background;
inline constexpr Color kPanelColor = kClassicTheme.panel;
inline constexpr Color kSelectionColor = kClassicTheme.selection;
inline constexpr Color kGridColor = kClassicTheme.grid;
inline constexpr Color kWetHazardColor = kClassicTheme.wetHazard;
inline constexpr Color kCursorColor = kClassicTheme.cursor;
inline constexpr Color kCaptionColor = kClassicTheme.caption;
inline constexpr Color kChooserTextColor = kClassicTheme.text;
inline constexpr Color kLockedTextColor = kClassicTheme.lockedText;
inline constexpr Color kFrameColor = kClassicTheme.frame;
inline constexpr Color kWaterColor = kClassicTheme.water;
inline constexpr std::int32_t kWaterWidth = 2;

struct ScreenArt {
  const Surface& skin;
  const Layout& layout;
  const ImageList& pieces;
  const Font* captionFont;  // may be null: the caption is then not drawn
};

// Reads the puzzle and the controller's screen state and changes neither.
class ScreenRenderer {
 public:
  // puzzle and ui are kept by reference: the controller's state, or any
  // other to draw a picture of.
  ScreenRenderer(const Puzzle& puzzle, const UiState& ui, const ScreenArt& art,
                 std::int32_t levelCount);

  // Draws the screen of the current mode.
  void OnPaint(Canvas& canvas);
  // The chooser's entries; none: the chooser paints its page only. Must
  // outlive the renderer.
  void SetChooser(const LevelChooser* chooser) { chooser_ = chooser; }
  // The level editor's screen; none: the editor paints its background only.
  // Must outlive the renderer.
  void SetEditor(const EditorScreen* editor) { editor_ = editor; }

  void DrawGrid(Canvas& canvas);
  // Whether the selection is tinted and framed.
  bool SelectionShown() const;
  // The water's stretches, in the order it runs, as 2-pixel lines.
  void DrawWater(Canvas& canvas);
  void DrawPieces(Canvas& canvas);
  void MarkWetHazards(Canvas& canvas);
  void DrawBursts(Canvas& canvas);
  void DrawCell(Canvas& canvas, Point at, const Cell& cell);

 private:
  void PaintMenu(Canvas& canvas, bool help);
  void PaintPlay(Canvas& canvas);
  void PaintOutcome(Canvas& canvas, bool solved);
  void PaintPassword(Canvas& canvas);
  void PaintChooser(Canvas& canvas);
  void PaintCode(Canvas& canvas);
  void PaintSettings(Canvas& canvas);
  void PaintEditor(Canvas& canvas);  // editor_paint.cpp
  void PaintTitleKeys(Canvas& canvas);
  // Makes `region` the clip, inside the area this paint may touch.
  void SelectClip(Canvas& canvas, const Region& region);
  const Theme& look() const { return ThemeOf(ui_.theme); }

  const Puzzle& puzzle_;
  const UiState& ui_;
  ScreenArt art_;
  BoardGeometry geometry_;
  std::int32_t levelCount_;
  const LevelChooser* chooser_ = nullptr;
  const EditorScreen* editor_ = nullptr;
  Region playArea_;  // tray and board
  Region clientRegion_;
  Region paintArea_;  // the invalidated area of the paint in progress
};

}  // namespace qw
