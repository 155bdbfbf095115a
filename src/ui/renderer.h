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
#include "ui/board_geometry.h"
#include "ui/ui_state.h"

namespace qw {

class EditorScreen;
class Font;
class LevelChooser;

// The game's fixed colours.
inline constexpr Color kBackgroundColor{153, 153, 255};
inline constexpr Color kPanelColor{204, 204, 255};
inline constexpr Color kSelectionColor{235, 235, 255};
inline constexpr Color kGridColor{172, 172, 223};
inline constexpr Color kWetHazardColor{230, 0, 0};
inline constexpr Color kCursorColor{255, 128, 0};
inline constexpr Color kCaptionColor{94, 94, 94};
inline constexpr Color kChooserTextColor{30, 30, 92};
inline constexpr Color kLockedTextColor{120, 120, 170};
inline constexpr Color kFrameColor{0, 0, 0};
inline constexpr Color kWaterColor{0, 0, 255};
inline constexpr std::int32_t kWaterWidth = 2;
inline constexpr Color kPuffColor{236, 236, 244};
inline constexpr Color kSparkColor{255, 214, 0};

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
  // Makes `region` the clip, inside the area this paint may touch.
  void SelectClip(Canvas& canvas, const Region& region);

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
