// The game's controller: pen input, the toolbar commands and the OK action
// turned into changes of the game state. It owns the screen-mode state
// machine together with the level start and the water trace, never draws,
// and invalidates exactly the rectangles whose picture changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/puzzle.h"
#include "platform/geometry.h"
#include "ui/window_effects.h"

namespace qw {

// Toolbar commands.
inline constexpr std::int32_t ID_ROTATE_CCW = 32771;
inline constexpr std::int32_t ID_ROTATE_CW = 32772;
inline constexpr std::int32_t ID_RESTART = 32773;
inline constexpr std::int32_t ID_PASSWORD = 32776;

// The pen square of a point: the 20 x 20 rectangle the dragged piece covers.
Rect PenSquare(Point p);

class GameController {
 public:
  GameController(Puzzle& puzzle, const Layout& layout, const std::vector<LevelRecord>& levels,
                 WindowEffects& effects);

  void OnPenDown(Point p);
  void OnPenMove(Point p);
  void OnPenUp(Point p);
  void OnRotateClockwise();
  void OnRotateCounterClockwise();
  void OnPasswordCommand();
  void OnOkCommand();
  // A toolbar command by identifier; unknown identifiers do nothing.
  void OnCommand(std::int32_t id);

  // The highlighted menu button 0..3, or -1.
  std::int32_t hoveredButton = -1;
  // The letters typed on the keypad, in order; no length limit.
  std::wstring enteredPassword;

  // Where the entered letters are drawn: from item 24's top-left corner,
  // 20 pixels high, to the client area's right edge.
  Rect GlyphRow() const;

 private:
  void MenuPenDown(Point p);
  void MenuPenMove(Point p);
  void MenuPenUp();
  void PlayPenDown(Point p);
  void PlayPenMove(Point p);
  void PlayPenUp(Point p);
  void SolvedPenDown(Point p);
  void PasswordPenUp(Point p);
  void DropPiece(Point p);
  void EnteredPasswordChanged();
  void ReturnToMenu();
  void SetHoveredFromPoint(Point p);

  Puzzle& puzzle_;
  const Layout& layout_;
  const std::vector<LevelRecord>& levels_;
  WindowEffects& effects_;
};

}  // namespace qw
