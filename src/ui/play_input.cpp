#include "ui/play_input.h"

#include <algorithm>

#include "data/layout_items.h"
#include "ui/game_texts.h"

namespace qw {

namespace {

// A press becomes a drag once the pen is this far from where it went down.
constexpr std::int32_t kDragDistance = 4;

}  // namespace

void PlayInput::PenDown(Point p) {
  const Position pos = s_.geometry.HitTest(p);
  const Cell* cell = s_.puzzle.At(pos);
  if (!cell || !IsPipePiece(*cell)) return;  // only pipe pieces are pressed
  s_.state.press.buttonDown = 1;
  s_.state.press.lastPoint = p;
  s_.state.press.dragSource = pos;
  s_.effects.CapturePointer();
}

void PlayInput::PenMove(Point p) {
  PressState& press = s_.state.press;
  if (!press.buttonDown) return;
  if (!press.dragging) {
    // The distance is always measured from the press point.
    const std::int64_t dx = press.lastPoint.x - p.x;
    const std::int64_t dy = press.lastPoint.y - p.y;
    const bool far = dx * dx + dy * dy >= std::int64_t{kDragDistance} * kDragDistance;
    if (!far) return;
    press.dragging = 1;
    s_.effects.PlaySound(Sound::kPickUp);
    s_.effects.InvalidateRect(PenSquare(press.lastPoint));
    s_.effects.InvalidateRect(PenSquare(p));
    s_.effects.InvalidateRect(s_.geometry.CellRect(press.dragSource));
  } else {
    s_.effects.InvalidateRect(PenSquare(press.lastPoint));
    s_.effects.InvalidateRect(PenSquare(p));
  }
  press.lastPoint = p;
}

void PlayInput::PenUp(Point p) {
  PressState& press = s_.state.press;
  if (!press.buttonDown) return;
  if (!press.dragging) {
    // A tap acts on the pressed piece wherever the pen is lifted: the first
    // tap selects it, a tap on the selection turns it clockwise.
    if (s_.puzzle.selection() == press.dragSource) {
      Turn(true);
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
  s_.effects.InvalidateRect(ItemRect(s_.layout, kItemTray));
  s_.effects.InvalidateRect(ItemRect(s_.layout, kItemBoard));
  s_.effects.InvalidateRect(PenSquare(press.lastPoint));
  press.buttonDown = 0;
}

void PlayInput::DropPiece(Point p) {
  // A drop anywhere but an empty slot or cell moves nothing and leaves the
  // selection alone.
  const Position before = s_.puzzle.selection();
  const bool made = s_.MakeStep(Step::Move(s_.state.press.dragSource, s_.geometry.HitTest(p)), [&] {
    if (before != kNoPosition) s_.effects.InvalidateRect(s_.geometry.CellRect(before));
    s_.effects.InvalidateRect(s_.geometry.CellRect(s_.puzzle.selection()));
  });
  if (!made) s_.effects.PlaySound(Sound::kInvalid);
}

void PlayInput::Turn(bool clockwise) {
  const Position p = s_.state.keyCarry ? s_.state.press.dragSource : s_.puzzle.selection();
  s_.MakeStep(Step::Turn(p, clockwise), [&] {
    if (s_.state.keyCarry) s_.effects.InvalidateRect(PenSquare(s_.state.press.lastPoint));
    s_.effects.InvalidateRect(p.y == -1 ? s_.geometry.CellRect(p) : s_.geometry.board());
  });
}

void PlayInput::Restart() {
  // A restart is a step like any other, so it can be undone.
  s_.MakeStep(Step::Restart(), [&] {
    s_.DropSolvedBest();
    s_.state.press = PressState{};
    s_.state.keyCarry = false;
    s_.SetMode(MODE_PLAY);
    s_.effects.ShowToolbar(true);
    s_.effects.InvalidateAll();
  });  // a level may be solved or lost before any move
}

void PlayInput::Hint() {
  if (!s_.hints) return;
  const qw::Hint answer = s_.hints->Next(s_.puzzle);
  switch (answer.kind) {
    case Hint::Kind::kSolved: return;
    case Hint::Kind::kNotFound: s_.effects.ShowNote(kNoHintNote); return;
    case Hint::Kind::kLimitReached: s_.effects.ShowNote(kHintLimitNote); return;
    case Hint::Kind::kStep: break;
  }
  Step step = answer.step;
  step.hint = true;  // counted as a hint, and saved as one
  const bool made = s_.MakeStep(step, [&] {
    s_.state.press = PressState{};
    s_.state.keyCarry = false;
    const Cell* piece = s_.puzzle.At(step.kind == Step::Kind::Turn ? step.from : step.to);
    s_.effects.ShowNote(HintNote(step, piece ? piece->kind : KIND_EMPTY));
    s_.effects.InvalidateAll();
  });
  if (!made) s_.effects.ShowNote(kNoHintNote);  // a step that does not fit the board
}

void PlayInput::CursorKey(std::int32_t dx, std::int32_t dy) {
  if (s_.state.press.buttonDown && !s_.state.keyCarry) return;
  Position c = s_.state.cursor;
  if (c == kNoPosition) {
    MoveCursor(s_.puzzle.selection() != kNoPosition ? s_.puzzle.selection() : Position{0, -1});
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

void PlayInput::MoveCursor(Position to) {
  UiState& state = s_.state;
  if (state.cursor != kNoPosition) s_.effects.InvalidateRect(s_.geometry.CellRect(state.cursor));
  state.cursor = to;
  s_.effects.InvalidateRect(s_.geometry.CellRect(to));
  if (state.keyCarry) {
    s_.effects.InvalidateRect(PenSquare(state.press.lastPoint));
    state.press.lastPoint = s_.geometry.CellCentre(to);
    s_.effects.InvalidateRect(PenSquare(state.press.lastPoint));
  }
}

void PlayInput::PickKey() {
  UiState& state = s_.state;
  if (state.press.buttonDown && !state.keyCarry) return;
  const Position c = state.cursor;
  if (c == kNoPosition) {
    CursorKey(0, 0);
    return;
  }
  if (!state.keyCarry) {
    const Cell* cell = s_.puzzle.At(c);
    if (!cell || !IsPipePiece(*cell)) return;
    state.press = PressState{1, 1, s_.geometry.CellCentre(c), c};
    state.keyCarry = true;
    s_.effects.PlaySound(Sound::kPickUp);
    s_.effects.InvalidateRect(s_.geometry.CellRect(c));
    return;
  }
  const Position from = state.press.dragSource;
  if (c == from) {  // dropped where it was picked up: no step
    s_.EndKeyCarry();
    return;
  }
  const Position before = s_.puzzle.selection();
  // On an occupied place the piece stays carried.
  const bool made = s_.MakeStep(Step::Move(from, c), [&] {
    state.keyCarry = false;
    state.press = PressState{};
    if (before != kNoPosition) s_.effects.InvalidateRect(s_.geometry.CellRect(before));
    s_.effects.InvalidateRect(ItemRect(s_.layout, kItemTray));
    s_.effects.InvalidateRect(ItemRect(s_.layout, kItemBoard));
    s_.effects.InvalidateRect(PenSquare(s_.geometry.CellCentre(c)));
  });
  if (!made) s_.effects.PlaySound(Sound::kInvalid);
}

void PlayInput::Select(Position p) {
  if (s_.puzzle.selection() != kNoPosition)
    s_.effects.InvalidateRect(s_.geometry.CellRect(s_.puzzle.selection()));
  s_.puzzle.Select(p);
  if (p != kNoPosition) s_.effects.InvalidateRect(s_.geometry.CellRect(p));
}

}  // namespace qw
