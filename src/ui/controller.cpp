#include "ui/controller.h"

#include <algorithm>
#include <utility>

#include "data/keypad.h"
#include "data/layout_items.h"
#include "model/cell.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"

namespace qw {

namespace {

// The menu's buttons.
constexpr std::int32_t kMenuNewGame = 0;
constexpr std::int32_t kMenuPassword = 1;
constexpr std::int32_t kMenuInstructions = 2;
constexpr std::int32_t kMenuExit = 3;

constexpr std::int32_t kKeyWidth = 20;
constexpr std::int32_t kGlyphHeight = 20;
// A press becomes a drag once the pen is this far from where it went down.
constexpr std::int32_t kDragDistance = 4;

}  // namespace

Rect PenSquare(Point p) {
  return Rect{p.x - 10, p.y - 10, p.x + 10, p.y + 10};
}

GameController::GameController(Puzzle& puzzle, const Layout& layout, const std::vector<LevelRecord>& levels,
                               WindowEffects& effects)
    : puzzle_(puzzle), layout_(layout), levels_(levels), effects_(effects), geometry_(layout), chooser_(levels) {
  SyncUndoRedo();
}

void GameController::SetRecorder(ProgressRecorder* recorder) {
  recorder_ = recorder;
  chooser_.SetRecorder(recorder);
  if (state_.screenMode == MODE_MENU) EnterMenu(false);
}

bool GameController::HasExtras() const { return static_cast<std::int32_t>(layout_.size()) >= kChooserItemsEnd; }

bool GameController::MenuButtonShown(std::int32_t button) const {
  if (button >= 0 && button < kMenuButtons) return true;
  if (!HasExtras()) return false;
  return button == kMenuLevels || (button == kMenuContinue && state_.continueShown);
}

Rect GameController::MenuButtonRect(std::int32_t button) const {
  switch (button) {
    case kMenuContinue: return ItemRect(layout_, kItemMenuContinue);
    case kMenuLevels: return ItemRect(layout_, kItemMenuLevels);
    default: return ItemRect(layout_, MenuButtonItem(button));
  }
}

void GameController::EnterMenu(bool hideToolbar) {
  SetMode(MODE_MENU);
  state_.continueShown = recorder_ && recorder_->LevelInPlay() != -1;
  if (state_.hoveredButton == kMenuContinue && !state_.continueShown) state_.hoveredButton = -1;
  if (hideToolbar) effects_.ShowToolbar(false);
  effects_.InvalidateAll();
}

Rect GameController::GlyphRow() const {
  const Rect item = ItemRect(layout_, kItemEnteredText);
  return Rect{item.left, item.top, std::max(item.left, kClientRect.right), item.top + kGlyphHeight};
}

// ---- pen down -------------------------------------------------------------

// Every pen point enters the game through these three, from the window, the
// browser, scripts and tools alike: each is clamped here, once.
void GameController::OnPenDown(Point p) {
  p = ClampPoint(p);
  HideCursor();  // the pen takes over from the keys
  // The chooser acts on pen up, but only for a press that began on it: the
  // press that leaves a solved generated level for the chooser must not
  // start the row under it.
  chooserPressed_ = state_.screenMode == MODE_LEVELS;
  switch (state_.screenMode) {
    case MODE_MENU: MenuPenDown(p); break;
    case MODE_PLAY: PlayPenDown(p); break;
    case MODE_SOLVED: SolvedPenDown(p); break;
    case MODE_FAILED:
      if (PtInRect(ItemRect(layout_, kItemRetry), p)) RestartLevel();
      break;
    default: break;  // the instructions and password screens act on pen up
  }
}

void GameController::MenuPenDown(Point p) {
  // Every button is tested; where rectangles overlap the last one wins. A
  // press beside the buttons leaves the highlight as it was.
  for (std::int32_t i = 0; i <= kMenuLevels; ++i) {
    if (!MenuButtonShown(i)) continue;
    const Rect r = MenuButtonRect(i);
    if (PtInRect(r, p)) {
      state_.hoveredButton = i;
      effects_.InvalidateRect(r);
    }
  }
}

void GameController::PlayPenDown(Point p) {
  const Position pos = geometry_.HitTest(p);
  const Cell* cell = puzzle_.At(pos);
  if (!cell || !IsPipePiece(*cell)) return;  // only pipe pieces are pressed
  state_.press.buttonDown = 1;
  state_.press.lastPoint = p;
  state_.press.dragSource = pos;
  effects_.CapturePointer();
}

void GameController::SolvedPenDown(Point p) {
  if (!PtInRect(ItemRect(layout_, kItemContinue), p)) return;
  DropSolvedBest();
  if (puzzle_.currentLevel() == kGeneratedLevel) {
    effects_.ShowMessage(kSolvedMessage);
    LeaveGeneratedLevel();
    return;
  }
  const std::int32_t next = puzzle_.NextLevelIndex();
  if (next == -1) {
    EnterMenu(true);
    return;
  }
  effects_.ShowMessage(PasswordMessage(levels_[static_cast<std::size_t>(next)].password));
  StartLevel(next);
}

// ---- pen move -------------------------------------------------------------

void GameController::OnPenMove(Point p) {
  p = ClampPoint(p);
  if (state_.keyCarry) return;
  if (state_.screenMode == MODE_MENU) {
    MenuPenMove(p);
  } else if (state_.screenMode == MODE_PLAY && state_.press.buttonDown) {
    PlayPenMove(p);
  }
}

void GameController::MenuPenMove(Point p) {
  if (state_.hoveredButton != -1) effects_.InvalidateRect(MenuButtonRect(state_.hoveredButton));
  state_.hoveredButton = -1;
  MenuPenDown(p);
}

void GameController::PlayPenMove(Point p) {
  PressState& press = state_.press;
  if (!press.dragging) {
    // The distance is always measured from the press point.
    const std::int64_t dx = press.lastPoint.x - p.x;
    const std::int64_t dy = press.lastPoint.y - p.y;
    const bool far = dx * dx + dy * dy >= std::int64_t{kDragDistance} * kDragDistance;
    if (!far) return;
    press.dragging = 1;
    effects_.InvalidateRect(PenSquare(press.lastPoint));
    effects_.InvalidateRect(PenSquare(p));
    effects_.InvalidateRect(geometry_.CellRect(press.dragSource.x, press.dragSource.y));
  } else {
    effects_.InvalidateRect(PenSquare(press.lastPoint));
    effects_.InvalidateRect(PenSquare(p));
  }
  press.lastPoint = p;
}

// ---- pen up ---------------------------------------------------------------

void GameController::OnPenUp(Point p) {
  p = ClampPoint(p);
  if (state_.keyCarry) return;
  effects_.ReleasePointer();
  const bool chooserPressed = std::exchange(chooserPressed_, false);
  switch (state_.screenMode) {
    case MODE_MENU: MenuPenUp(); break;
    case MODE_HELP:
      SetMode(MODE_MENU);
      effects_.InvalidateAll();
      break;
    case MODE_PLAY: PlayPenUp(p); break;
    case MODE_PASSWORD: PasswordPenUp(p); break;
    case MODE_LEVELS:
      if (chooserPressed) ChooserPenUp(p);
      break;
    default: break;  // the outcome screens' buttons act on pen down
  }
}

void GameController::MenuPenUp() {
  // The release point is not tested: the button is the one the last pen down
  // or move left highlighted.
  const std::int32_t button = state_.hoveredButton;
  if (button != -1) {
    switch (button) {
      case kMenuNewGame: StartLevel(0); break;
      case kMenuPassword: OnPasswordCommand(); break;
      case kMenuInstructions:
        SetMode(MODE_HELP);
        effects_.InvalidateAll();
        break;
      case kMenuExit: OnOkCommand(); break;
      case kMenuContinue: ContinueLevel(); break;
      case kMenuLevels: OpenChooser(); break;
      default: break;
    }
    effects_.InvalidateRect(MenuButtonRect(button));
  }
  state_.hoveredButton = -1;
}

void GameController::PlayPenUp(Point p) {
  PressState& press = state_.press;
  if (!press.buttonDown) return;
  if (!press.dragging) {
    // A tap acts on the pressed piece wherever the pen is lifted: the first
    // tap selects it, a tap on the selection turns it clockwise.
    if (puzzle_.selection() == press.dragSource) {
      TurnSelection(true);
    } else {
      Select(press.dragSource);
    }
    press.dragSource = Position{};
    press.buttonDown = 0;
    return;
  }
  DropPiece(p);
  press.dragging = 0;
  press.dragSource = Position{};
  effects_.InvalidateRect(ItemRect(layout_, kItemTray));
  effects_.InvalidateRect(ItemRect(layout_, kItemBoard));
  effects_.InvalidateRect(PenSquare(press.lastPoint));
  press.buttonDown = 0;
}

void GameController::DropPiece(Point p) {
  // A drop anywhere but an empty slot or cell moves nothing and leaves the
  // selection alone.
  const Position before = puzzle_.selection();
  if (!history_.Apply(puzzle_, Step::Move(state_.press.dragSource, geometry_.HitTest(p)))) return;
  Recorded();
  if (before != kNoPosition) effects_.InvalidateRect(geometry_.CellRect(before));
  effects_.InvalidateRect(geometry_.CellRect(puzzle_.selection()));
  ShowOutcome();
}

void GameController::PasswordPenUp(Point p) {
  if (PtInRect(ItemRect(layout_, kItemConfirm), p)) {
    for (std::size_t i = 0; i < levels_.size(); ++i) {
      if (levels_[i].password == state_.enteredPassword) {
        StartLevel(static_cast<std::int32_t>(i), Start::kPassword);
        return;
      }
    }
    ReturnToMenu();  // no match: back to the menu, the entry kept
  } else if (PtInRect(ItemRect(layout_, kItemBack), p)) {
    ReturnToMenu();
  } else if (PtInRect(ItemRect(layout_, kItemClear), p)) {
    state_.enteredPassword.clear();
    EnteredPasswordChanged();
  } else if (const Rect keypad = ItemRect(layout_, kItemKeypad); PtInRect(keypad, p)) {
    const std::int32_t k = (p.x - keypad.left) / kKeyWidth;
    if (k >= 0 && k < static_cast<std::int32_t>(keypadAlphabet.size())) {
      state_.enteredPassword.push_back(keypadAlphabet[static_cast<std::size_t>(k)]);
    }
    EnteredPasswordChanged();  // also for a tap past the eighth key
  }
}

void GameController::EnteredPasswordChanged() {
  // The glyph row runs on past item 24's right edge for long entries, so
  // the whole row is repainted, not only the item.
  effects_.InvalidateRect(ItemRect(layout_, kItemEnteredText));
  effects_.InvalidateRect(GlyphRow());
}

void GameController::ReturnToMenu() {
  EnterMenu(false);  // the toolbar keeps its visibility
}

// ---- commands -------------------------------------------------------------

void GameController::OnRotateClockwise() {
  if (state_.screenMode == MODE_PLAY) TurnSelection(true);
}

void GameController::OnRotateCounterClockwise() {
  if (state_.screenMode == MODE_PLAY) TurnSelection(false);
}

void GameController::OnPasswordCommand() {
  DropSolvedBest();
  EndKeyCarry();
  state_.enteredPassword.clear();
  SetMode(MODE_PASSWORD);
  effects_.InvalidateAll();
}

void GameController::OnOkCommand() {
  if (state_.keyCarry) {  // Escape puts the carried piece back
    EndKeyCarry();
    return;
  }
  if (state_.screenMode == MODE_MENU) {
    effects_.EndModalRun();
    return;
  }
  DropSolvedBest();
  EnterMenu(true);
}

void GameController::OnCommand(ToolbarCommand command) {
  switch (command) {
    case ID_ROTATE_CCW: OnRotateCounterClockwise(); break;
    case ID_ROTATE_CW: OnRotateClockwise(); break;
    case ID_RESTART: RestartLevel(); break;
    case ID_PASSWORD: OnPasswordCommand(); break;
    case ID_UNDO: OnUndo(); break;
    case ID_REDO: OnRedo(); break;
    case ID_HINT: OnHint(); break;
  }
}

bool GameController::CanUndo() const {
  return (state_.screenMode == MODE_PLAY || state_.screenMode == MODE_FAILED) && history_.UndoCount() > 0;
}

bool GameController::CanRedo() const { return state_.screenMode == MODE_PLAY && history_.RedoCount() > 0; }

void GameController::OnUndo() {
  if (CanUndo() && history_.Undo(puzzle_)) {
    Recorded();
    ShowRestored();
  }
}

void GameController::OnRedo() {
  if (CanRedo() && history_.Redo(puzzle_)) {
    Recorded();
    ShowRestored();
  }
}

void GameController::OnHint() {
  if (state_.screenMode != MODE_PLAY || !hints_) return;
  const Hint answer = hints_->Next(puzzle_);
  switch (answer.kind) {
    case Hint::Kind::kSolved: return;
    case Hint::Kind::kNotFound: effects_.ShowNote(kNoHintNote); return;
    case Hint::Kind::kLimitReached: effects_.ShowNote(kHintLimitNote); return;
    case Hint::Kind::kStep: break;
  }
  Step step = answer.step;
  step.hint = true;  // counted as a hint, and saved as one
  if (!history_.Apply(puzzle_, step)) {
    effects_.ShowNote(kNoHintNote);  // a step that does not fit the board
    return;
  }
  Recorded();
  state_.press = PressState{};
  state_.keyCarry = false;
  if (step.kind == Step::Kind::Move && IsTraySlot(step.to)) effects_.ShowNote(kTookBackNote);
  effects_.InvalidateAll();
  ShowOutcome();
}

void GameController::OnCursorKey(std::int32_t dx, std::int32_t dy) {
  if (state_.screenMode == MODE_MENU) {
    MenuCursorKey(dx, dy);
    return;
  }
  if (state_.screenMode == MODE_LEVELS) {
    ChooserCursorKey(dx, dy);
    return;
  }
  if (state_.screenMode != MODE_PLAY || (state_.press.buttonDown && !state_.keyCarry)) return;
  Position c = state_.cursor;
  if (c == kNoPosition) {
    MoveCursor(puzzle_.selection() != kNoPosition ? puzzle_.selection() : Position{0, -1});
    return;
  }
  if (c.y == -1) {
    if (dy > 0) {
      c = Position{std::min(c.x, kBoardSize - 1), 0};
    } else {
      c.x = std::clamp(c.x + dx, 0, kTraySlots - 1);
    }
  } else if (c.y == 0 && dy < 0) {
    c = Position{std::min(c.x, kTraySlots - 1), -1};
  } else {
    c = Position{std::clamp(c.x + dx, 0, kBoardSize - 1), std::clamp(c.y + dy, 0, kBoardSize - 1)};
  }
  MoveCursor(c);
}

void GameController::MoveCursor(Position to) {
  if (state_.cursor != kNoPosition) effects_.InvalidateRect(geometry_.CellRect(state_.cursor));
  state_.cursor = to;
  effects_.InvalidateRect(geometry_.CellRect(to));
  if (state_.keyCarry) {
    effects_.InvalidateRect(PenSquare(state_.press.lastPoint));
    state_.press.lastPoint = geometry_.CellCentre(to);
    effects_.InvalidateRect(PenSquare(state_.press.lastPoint));
  }
}

void GameController::OnPickKey() {
  if (state_.screenMode != MODE_PLAY || (state_.press.buttonDown && !state_.keyCarry)) return;
  const Position c = state_.cursor;
  if (c == kNoPosition) {
    OnCursorKey(0, 0);
    return;
  }
  if (!state_.keyCarry) {
    const Cell* cell = puzzle_.At(c);
    if (!cell || !IsPipePiece(*cell)) return;
    state_.press = PressState{1, 1, geometry_.CellCentre(c), c};
    state_.keyCarry = true;
    effects_.InvalidateRect(geometry_.CellRect(c));
    return;
  }
  const Position from = state_.press.dragSource;
  if (c == from) {  // dropped where it was picked up: no step
    EndKeyCarry();
    return;
  }
  const Position before = puzzle_.selection();
  if (!history_.Apply(puzzle_, Step::Move(from, c))) return;  // occupied: still carried
  Recorded();
  state_.keyCarry = false;
  state_.press = PressState{};
  if (before != kNoPosition) effects_.InvalidateRect(geometry_.CellRect(before));
  effects_.InvalidateRect(ItemRect(layout_, kItemTray));
  effects_.InvalidateRect(ItemRect(layout_, kItemBoard));
  effects_.InvalidateRect(PenSquare(geometry_.CellCentre(c)));
  ShowOutcome();
}

void GameController::OnActivateKey() {
  if (state_.screenMode == MODE_MENU) {
    if (state_.hoveredButton != -1) MenuPenUp();
  } else if (state_.screenMode == MODE_LEVELS) {
    ChooserStart(state_.chooserEntry);
  }
}

void GameController::EndKeyCarry() {
  if (!state_.keyCarry) return;
  effects_.InvalidateRect(PenSquare(state_.press.lastPoint));
  effects_.InvalidateRect(geometry_.CellRect(state_.press.dragSource));
  state_.keyCarry = false;
  state_.press = PressState{};
}

void GameController::HideCursor() {
  EndKeyCarry();
  if (state_.cursor == kNoPosition) return;
  effects_.InvalidateRect(geometry_.CellRect(state_.cursor));
  state_.cursor = kNoPosition;
}

void GameController::ShowRestored() {
  EndKeyCarry();
  state_.press = PressState{};
  effects_.ReleasePointer();
  SetMode(MODE_PLAY);
  effects_.InvalidateAll();
  ShowOutcome();
}

void GameController::ShowScreen(ScreenMode mode) {
  SetMode(mode);
  effects_.InvalidateAll();
}

// ---- moves ----------------------------------------------------------------

void GameController::StartLevel(std::int32_t index, Start how) {
  if (!puzzle_.StartLevel(index)) return;
  generated_.reset();
  BeginPlay(how);
}

void GameController::BeginPlay(Start how) {
  DropSolvedBest();
  history_.Clear();  // a level entered anew begins a new history
  SyncUndoRedo();
  if (hints_) hints_->LevelStarted(puzzle_);
  if (recorder_) recorder_->LevelStarted(puzzle_, history_, how == Start::kPassword);
  ShowPlay();
}

void GameController::ShowPlay() {
  state_.press = PressState{};
  state_.keyCarry = false;
  state_.cursor = kNoPosition;
  SetMode(MODE_PLAY);
  effects_.ShowToolbar(true);
  effects_.InvalidateAll();
  ShowOutcome();  // a level may be solved or lost before any move
}

void GameController::RestartLevel() {
  if (state_.screenMode == MODE_MENU) return;
  // A restart is a step like any other, so it can be undone.
  if (!history_.Apply(puzzle_, Step::Restart())) return;
  DropSolvedBest();
  Recorded();
  state_.press = PressState{};
  state_.keyCarry = false;
  SetMode(MODE_PLAY);
  effects_.ShowToolbar(true);
  effects_.InvalidateAll();
  ShowOutcome();  // a level may be solved or lost before any move
}

void GameController::TurnSelection(bool clockwise) {
  const Position p = state_.keyCarry ? state_.press.dragSource : puzzle_.selection();
  if (!history_.Apply(puzzle_, Step::Turn(p, clockwise))) return;
  Recorded();
  if (state_.keyCarry) effects_.InvalidateRect(PenSquare(state_.press.lastPoint));
  effects_.InvalidateRect(p.y == -1 ? geometry_.CellRect(p) : geometry_.board());
  ShowOutcome();
}

void GameController::Select(Position p) {
  if (puzzle_.selection() != kNoPosition) effects_.InvalidateRect(geometry_.CellRect(puzzle_.selection()));
  puzzle_.Select(p);
  if (p != kNoPosition) effects_.InvalidateRect(geometry_.CellRect(p));
}

void GameController::ShowOutcome() {
  if (state_.screenMode != MODE_PLAY) return;
  switch (puzzle_.GetOutcome()) {
    case Outcome::kPlaying: return;
    case Outcome::kSolved:
      SetMode(MODE_SOLVED);
      if (recorder_ && generated_ && generated_->day) recorder_->DailySolved(*generated_->day);
      if (recorder_ && !generated_) {
        const LevelBest best = recorder_->LevelSolved(puzzle_, history_);
        state_.solvedBest = BestText(best);
      }
      break;
    case Outcome::kFailed: SetMode(MODE_FAILED); break;
  }
  EndKeyCarry();  // the outcome screens carry nothing
  effects_.InvalidateAll();
}

}  // namespace qw
