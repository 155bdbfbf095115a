// What the controller's three parts share: the puzzle with its history, the
// screen state, the window's effects, the player's progress, and the one
// path that every step the player makes takes (made, recorded, repainted,
// its outcome shown). Play input, the screen flow and the level launcher
// each hold a reference to it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "editor/own_levels.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "model/step.h"
#include "platform/geometry.h"
#include "ui/board_geometry.h"
#include "ui/generated_levels.h"
#include "ui/hints.h"
#include "progress/progress_recorder.h"
#include "ui/ui_state.h"
#include "ui/window_effects.h"

namespace qw {

// The pen square of a (clamped) point: the square the dragged piece covers.
Rect PenSquare(Point p);

struct Session {
  Session(Puzzle& puzzle, const Layout& layout, const std::vector<LevelRecord>& levels,
          WindowEffects& effects)
      : puzzle(puzzle), layout(layout), levels(levels), effects(effects), geometry(layout) {}

  // The one path of a step: made by the history on the puzzle (false, with
  // nothing changed, when the rules refuse it), recorded, `repaint` asked
  // for, and the outcome shown once the step decides it.
  bool MakeStep(const Step& step, const std::function<void()>& repaint);
  // Takes the last step back, or makes the last undone step again, and
  // shows the play screen as it then stands. False when there is none.
  bool TakeBack(bool redo);
  // Every change of screen goes here; the window is told when an undo, a redo
  // or a hint comes to act, or stops acting.
  void SetMode(ScreenMode mode);
  void SyncStepButtons();
  // Whether an undo, a redo or a hint would act now: undo on the play and
  // failed screens, redo on the play screen, a hint on the play screen (when
  // hints come from somewhere) and on the failed screen, where it takes back
  // the step that lost.
  bool CanUndo() const;
  bool CanRedo() const;
  bool CanHint() const;
  // Switches the play screen to the outcome screen once the board decides
  // it, recording a solved level's best.
  void ShowOutcome();
  // The play screen with the puzzle as it stands: no press, carry or cursor,
  // the toolbar shown, and the outcome if the board has one.
  void ShowPlay();
  // The water's run: moved on to the window's clock, or completed at once
  // (a press, a key or a command comes first). The outcome the step decided
  // shows when the run ends; a solved level then celebrates.
  void AdvanceWater();
  void FinishWater();
  // Ends the run and its bursts without showing anything new: undo, redo,
  // restart and new levels show their end state.
  void DropWater();
  // Ends the keyboard's carry without a step; hides the cursor too.
  void EndKeyCarry();
  void HideCursor();
  void DropSolvedBest() { state.solvedBest.clear(); }

  Puzzle& puzzle;
  const Layout& layout;
  const std::vector<LevelRecord>& levels;
  WindowEffects& effects;
  BoardGeometry geometry;
  UiState state;
  History history;
  HintSource* hints = nullptr;
  ProgressRecorder* recorder = nullptr;
  // The generated level in play or last played, with its day or seed;
  // nothing once a table level starts.
  std::optional<GeneratedLevelChoice> generated;
  // The level in play is the editor's, tried out: leaving it (OK, or the
  // solved screen's button) goes back to the editor through endTestPlay.
  bool testPlay = false;
  std::function<void()> endTestPlay;
  // Opens the editor on a level: new (Create level) or one of the player's
  // own (its place in their list), which `ownLevels` keeps; none: no editor.
  std::function<void(const LevelRecord*, std::int32_t own)> openEditor;
  OwnLevels* ownLevels = nullptr;

 private:
  void WaterMoved(const WaterRun::Moved& moved);
  // The outcome a step has decided, with its sound.
  void ShowStepOutcome();

  std::optional<std::array<bool, 3>> buttonsShown_;  // as the window was last told
};

}  // namespace qw
