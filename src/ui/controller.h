// The game's controller: decides which move of the puzzle a pen event, a
// toolbar command or the OK action means, and keeps the screen state (the
// screen mode with its flow, the press, the hover, the typed password). It
// shows the puzzle's outcome the moment a move decides it, never draws, and
// invalidates exactly the rectangles whose picture changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "platform/geometry.h"
#include "ui/board_geometry.h"
#include "ui/generated_levels.h"
#include "ui/hints.h"
#include "ui/level_chooser.h"
#include "ui/progress_recorder.h"
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
  // Where progress is recorded; none: nothing is, and Continue never shows.
  // Must outlive the controller.
  void SetRecorder(ProgressRecorder* recorder);
  // How a level came to be started.
  enum class Start : std::uint8_t { kFresh, kPassword };
  // Starts level index in play (nothing happens when there is no such
  // level); the toolbar shows.
  void StartLevel(std::int32_t index, Start how = Start::kFresh);
  // The menu's Continue: the level in play as it was left, history and
  // counters included.
  void ContinueLevel();
  // The menu's Levels: the level chooser, at `entry`, or else at the level in
  // play, or else at the first level not solved.
  void OpenChooser(std::optional<std::int32_t> entry = std::nullopt);
  const LevelChooser& chooser() const { return chooser_; }
  // Where generated levels come from; none: they cannot be played. Must
  // outlive the controller.
  void SetGeneratedLevelSource(GeneratedLevelSource* source) {
    generatedSource_ = source;
    chooser_.ShowGenerated(source != nullptr);
  }
  // Makes the chosen level (today's daily puzzle, or a fresh seed, when the
  // choice names none; a shared level as it is) and starts it in play like a
  // table level. Solving it
  // shows kSolvedMessage instead of a password and leaves it. False, with
  // nothing changed, without a source or when the level cannot be made.
  bool StartGeneratedLevel(const GeneratedLevelChoice& choice);
  // The menu's keys for generated levels: today's daily puzzle, and a random
  // level of a grade (1..5) or, for 0, of the grade chosen last.
  void OnDailyKey();
  void OnRandomKey(std::int32_t grade);
  // The generated level in play or last played, with its day or seed;
  // nothing once a table level starts.
  const std::optional<GeneratedLevelChoice>& generatedLevel() const { return generated_; }

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
  // The level just set up in the puzzle begins: a new history, the hints
  // told, the play screen with the toolbar.
  void BeginPlay(Start how);
  // The play screen with the puzzle as it stands: no press, carry or
  // cursor, the toolbar shown, and the outcome if the board has one.
  void ShowPlay();
  // Restarting, turning and selecting with their repaints.
  void RestartLevel();
  void TurnSelection(bool clockwise);
  void Select(Position p);
  // Switches the play screen to the outcome screen once a move decides it.
  void ShowOutcome();
  void EnteredPasswordChanged();
  void ReturnToMenu();
  // Where the game goes once a solved generated level has been
  // acknowledged.
  void LeaveGeneratedLevel();
  void SetHoveredFromPoint(Point p);
  // The menu with Continue shown when a level is in play.
  void EnterMenu(bool hideToolbar);
  // Items 25 and up are in the layout: Continue, Levels and the chooser.
  bool HasExtras() const;
  bool MenuButtonShown(std::int32_t button) const;
  Rect MenuButtonRect(std::int32_t button) const;
  void MenuCursorKey(std::int32_t dx, std::int32_t dy);
  void ChooserPenUp(Point p);
  void ChooserCursorKey(std::int32_t dx, std::int32_t dy);
  void ChooserHighlight(std::int32_t entry);
  void ChooserStart(std::int32_t entry);
  // After every change of the puzzle by a step, an undo or a redo.
  void Recorded();
  void DropSolvedBest();

  Puzzle& puzzle_;
  const Layout& layout_;
  const std::vector<LevelRecord>& levels_;
  WindowEffects& effects_;
  BoardGeometry geometry_;
  UiState state_;
  History history_;
  HintSource* hints_ = nullptr;
  ProgressRecorder* recorder_ = nullptr;
  LevelChooser chooser_;
  bool chooserPressed_ = false;  // the pen went down on the chooser
  GeneratedLevelSource* generatedSource_ = nullptr;
  std::optional<GeneratedLevelChoice> generated_;
  std::int32_t randomGrade_ = kEasiestGrade;  // the grade the random-level key plays
};

}  // namespace qw
