// The game's controller: decides which move of the puzzle a pen event, a
// toolbar command or the OK action means, and keeps the screen state (the
// screen mode with its flow, the press, the hover, the typed password). It
// shows the puzzle's outcome the moment a move decides it, never draws, and
// invalidates exactly the rectangles whose picture changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "platform/geometry.h"
#include "ui/board_geometry.h"
#include "ui/hints.h"
#include "ui/ui_state.h"
#include "ui/window_effects.h"

namespace qw {

// The pen square of a (clamped) point: the 20 x 20 rectangle the dragged
// piece covers.
Rect PenSquare(Point p);

class GameController {
 public:
  GameController(Puzzle& puzzle, const Layout& layout, const std::vector<LevelRecord>& levels,
                 WindowEffects& effects);

  // Pen points: any values; each is clamped to ±kCoordinateLimit first.
  void OnPenDown(Point p);
  void OnPenMove(Point p);
  void OnPenUp(Point p);
  void OnRotateClockwise();
  void OnRotateCounterClockwise();
  void OnPasswordCommand();
  void OnOkCommand();
  void OnCommand(ToolbarCommand command);
  // Takes the last step back, on the play screen and on the failed one,
  // which then returns to play; the solved screen stays final.
  void OnUndo();
  // Makes the last undone step again, on the play screen.
  void OnRedo();
  // Makes the hint source's step as an ordinary step of the player's, on
  // the play screen; a take-back or no step leaves a note in the bar.
  void OnHint();
  // Keyboard play. In play the cursor key shows the cursor (first at the
  // selection, or tray slot 0) and then moves it over the tray and board,
  // Up from the board's top row to the tray and Down from the tray to the
  // board; a carried piece travels with it. On the menu it moves the
  // highlight.
  void OnCursorKey(std::int32_t dx, std::int32_t dy);
  // Picks up the piece under the cursor, or drops the carried one there
  // with the pen's rules: on an occupied place it stays carried.
  void OnPickKey();
  // Presses the menu's highlighted button.
  void OnActivateKey();
  // Where hints come from; none: the hint does nothing. Must outlive the
  // controller.
  void SetHintSource(HintSource* source) { hints_ = source; }
  // Starts level index in play (nothing happens when there is no such
  // level); the toolbar shows.
  void StartLevel(std::int32_t index);

  const UiState& state() const { return state_; }
  const History& history() const { return history_; }
  // Whether an undo or a redo would act now.
  bool CanUndo() const;
  bool CanRedo() const;
  const BoardGeometry& geometry() const { return geometry_; }
  // Shows a screen as it stands, for tools and tests that want a picture of
  // it: the mode changes and the whole window is invalidated.
  void ShowScreen(ScreenMode mode);

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
  // After an undo or redo: the play screen, repainted, and the outcome.
  void ShowRestored();
  // Ends the keyboard's carry without a step, and hides the cursor.
  void EndKeyCarry();
  void HideCursor();
  void MoveCursor(Position to);
  // Restarting, turning and selecting with their repaints.
  void RestartLevel();
  void TurnSelection(bool clockwise);
  void Select(Position p);
  // Switches the play screen to the outcome screen once a move decides it.
  void ShowOutcome();
  void EnteredPasswordChanged();
  void ReturnToMenu();
  void SetHoveredFromPoint(Point p);

  Puzzle& puzzle_;
  const Layout& layout_;
  const std::vector<LevelRecord>& levels_;
  WindowEffects& effects_;
  BoardGeometry geometry_;
  UiState state_;
  History history_;
  HintSource* hints_ = nullptr;
};

}  // namespace qw
