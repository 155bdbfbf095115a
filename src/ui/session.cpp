#include "ui/session.h"

#include "data/layout_items.h"
#include "ui/game_texts.h"
#include "ui/piece_art.h"

namespace qw {

Rect PenSquare(Point p) { return Rect{p.x - kHalfPiece, p.y - kHalfPiece, p.x + kHalfPiece, p.y + kHalfPiece}; }

bool Session::MakeStep(const Step& step, const std::function<void()>& repaint) {
  if (!history.Apply(puzzle, step)) return false;
  if (recorder) recorder->StepMade(puzzle, history, step);
  SyncStepButtons();
  repaint();
  ShowOutcome();
  return true;
}

bool Session::TakeBack(bool redo) {
  if (redo ? !CanRedo() || !history.Redo(puzzle) : !CanUndo() || !history.Undo(puzzle)) return false;
  if (recorder) recorder->StepTakenBack(puzzle, history, redo);
  SyncStepButtons();
  EndKeyCarry();
  state.press = PressState{};
  effects.ReleasePointer();
  SetMode(MODE_PLAY);
  effects.InvalidateAll();
  ShowOutcome();
  return true;
}

void Session::SetMode(ScreenMode mode) {
  state.screenMode = mode;
  if (mode != MODE_SOLVED) state.anotherShown = false;
  SyncStepButtons();
}

void Session::SyncStepButtons() {
  const std::array<bool, 3> now{CanUndo(), CanRedo(), CanHint()};
  if (buttonsShown_ == now) return;
  buttonsShown_ = now;
  effects.StepButtonsChanged(now[0], now[1], now[2]);
}

bool Session::CanUndo() const {
  return (state.screenMode == MODE_PLAY || state.screenMode == MODE_FAILED) && history.UndoCount() > 0;
}

bool Session::CanRedo() const { return state.screenMode == MODE_PLAY && history.RedoCount() > 0; }

bool Session::CanHint() const {
  return (state.screenMode == MODE_PLAY && hints != nullptr) ||
         (state.screenMode == MODE_FAILED && history.UndoCount() > 0);
}

void Session::ShowOutcome() {
  if (state.screenMode != MODE_PLAY) return;
  switch (puzzle.GetOutcome()) {
    case Outcome::kPlaying: return;
    case Outcome::kSolved:
      SetMode(MODE_SOLVED);
      state.anotherShown = generated && generated->kind == GeneratedLevelChoice::Kind::kRandom &&
                           static_cast<std::int32_t>(layout.size()) > kItemAnotherButton;
      if (recorder && generated && generated->day) recorder->DailySolved(*generated->day);
      if (recorder && !generated) state.solvedBest = BestText(recorder->LevelSolved(puzzle, history));
      break;
    case Outcome::kFailed: SetMode(MODE_FAILED); break;
  }
  EndKeyCarry();  // the outcome screens carry nothing
  effects.InvalidateAll();
}

void Session::ShowPlay() {
  state.press = PressState{};
  state.keyCarry = false;
  state.cursor = kNoPosition;
  SetMode(MODE_PLAY);
  effects.ShowToolbar(true);
  effects.InvalidateAll();
  ShowOutcome();  // a level may be solved or lost before any move
}

void Session::EndKeyCarry() {
  if (!state.keyCarry) return;
  effects.InvalidateRect(PenSquare(state.press.lastPoint));
  effects.InvalidateRect(geometry.CellRect(state.press.dragSource));
  state.keyCarry = false;
  state.press = PressState{};
}

void Session::HideCursor() {
  EndKeyCarry();
  if (state.cursor == kNoPosition) return;
  effects.InvalidateRect(geometry.CellRect(state.cursor));
  state.cursor = kNoPosition;
}

}  // namespace qw
