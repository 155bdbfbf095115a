#include "model/puzzle.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace qw {

Puzzle::Puzzle(const std::vector<LevelRecord>& levels) : levels_(levels) {}

bool Puzzle::StartLevel(std::int32_t index) {
  if (index < 0 || index >= LevelCount()) return false;
  generated_.reset();
  SetUp(levels_[static_cast<std::size_t>(index)]);
  currentLevel_ = index;
  return true;
}

void Puzzle::StartLevel(const LevelRecord& level) {
  generated_ = level;
  SetUp(*generated_);
  currentLevel_ = kGeneratedLevel;
}

void Puzzle::SetUpPosition(const Tray& tray, const Board& board) {
  tray_ = tray;
  board_ = board;
  selection_ = kNoPosition;
  UpdateWater();
}

const LevelRecord* Puzzle::CurrentRecord() const {
  if (currentLevel_ == kGeneratedLevel) return generated_ ? &*generated_ : nullptr;
  if (currentLevel_ < 0 || currentLevel_ >= LevelCount()) return nullptr;
  return &levels_[static_cast<std::size_t>(currentLevel_)];
}

void Puzzle::SetUp(const LevelRecord& level) {
  FillTray(level);
  board_.fill(Cell{KIND_EMPTY, 0});
  // Later placements overwrite earlier ones: source over wall over hazard
  // over fire.
  PlaceList(level.fireCells, KIND_FIRE);
  PlaceList(level.hazardCells, KIND_SPARK);
  PlaceList(level.wallCells, KIND_WALL);
  // A source outside the board is left out (the level then has none). Its
  // rotation is taken modulo 8, so that -1 points north-west like 7 and the
  // image stays inside the source's eight.
  if (IsCellNumber(level.sourceCell)) {
    const Position p = CellNumberPosition(level.sourceCell);
    board_[static_cast<std::size_t>(BoardIndex(p.x, p.y))] =
        Cell{KIND_SOURCE, NormalizeDirection(level.sourceRotation)};
  }
  selection_ = kNoPosition;
  UpdateWater();
}

// Elbows, then bends, then splitters from slot 0, all in rotation 0. A
// negative count counts as 0, and pieces beyond the tenth slot are left out.
void Puzzle::FillTray(const LevelRecord& level) {
  tray_.fill(Cell{KIND_EMPTY, 0});
  std::size_t slot = 0;
  const std::array<std::pair<PieceKind, std::int32_t>, 3> groups{
      {{KIND_ELBOW, level.elbowCount},
       {KIND_BEND, level.bendCount},
       {KIND_SPLITTER, level.splitterCount}}};
  for (const auto& [kind, count] : groups) {
    for (std::int32_t i = 0; i < count && slot < tray_.size(); ++i) tray_[slot++] = Cell{kind, 0};
  }
}

// Places kind at every cell number of a list; a number outside 0..99 places
// nothing.
void Puzzle::PlaceList(const std::wstring& cells, PieceKind kind) {
  for (const std::int32_t n : CellNumbers(cells)) {
    if (!IsCellNumber(n)) continue;
    const Position p = CellNumberPosition(n);
    board_[static_cast<std::size_t>(BoardIndex(p.x, p.y))] = Cell{kind, 0};
  }
}

std::int32_t Puzzle::LevelCount() const {
  return static_cast<std::int32_t>(
      std::min<std::size_t>(levels_.size(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Puzzle::NextLevelIndex() const {
  // Any negative index counts as no level, so the answer is always a level
  // of the table or -1.
  if (currentLevel_ < 0) return -1;
  const std::int64_t next = std::int64_t{currentLevel_} + 1;
  return next < LevelCount() ? static_cast<std::int32_t>(next) : -1;
}

bool Puzzle::Apply(const Step& step) {
  switch (step.kind) {
    case Step::Kind::Move: return Move(step);
    case Step::Kind::Turn: return Turn(step);
    case Step::Kind::Restart: {
      const LevelRecord* level = CurrentRecord();
      if (!level) return false;
      SetUp(*level);
      return true;
    }
  }
  return false;
}

bool Puzzle::Move(const Step& step) {
  Cell* source = MutableAt(step.from);
  Cell* target = MutableAt(step.to);
  if (!source || !target || !IsPipePiece(*source) || target->kind != KIND_EMPTY) return false;
  if (step.rotation < -1 || step.rotation > 7) return false;
  *target = *source;
  if (step.rotation != -1) target->variant = step.rotation;
  source->kind = KIND_EMPTY;  // the old variant stays behind, unseen
  selection_ = step.to;
  UpdateWater();
  return true;
}

bool Puzzle::Turn(const Step& step) {
  Cell* cell = MutableAt(step.from);
  // Only pipe pieces turn: the nozzle, fires and walls stay as they are.
  if (!cell || !IsPipePiece(*cell) || step.turns < 1 || step.turns > 7) return false;
  // 7 + 1 gives 0 and 0 - 1 gives 7; taken modulo 8 so that no stored value
  // can step outside the piece's eight images.
  cell->variant = NormalizeDirection(NormalizeDirection(cell->variant) +
                                     (step.clockwise ? step.turns : -step.turns));
  selection_ = step.from;
  if (IsBoardCell(step.from)) UpdateWater();  // the tray holds no water
  return true;
}

void Puzzle::Restore(const Snapshot& snapshot, Position select) {
  tray_ = snapshot.tray;
  board_ = snapshot.board;
  UpdateWater();
  selection_ = select;
}

void Puzzle::UpdateWater() {
  TraceWater(board_, water_);
  // Doused is decided afresh on every run: a fire whose water has been cut
  // off burns again.
  for (std::size_t i = 0; i < board_.size(); ++i) {
    if (board_[i].kind == KIND_FIRE) board_[i].variant = water_.doused.test(i) ? 1 : 0;
  }
}

std::vector<Position> Puzzle::WetHazards() const {
  std::vector<Position> hazards;
  for (const WaterStep& step : water_.steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    const Cell* cell = IsBoardCell(next) ? At(next) : nullptr;
    if (cell && cell->kind == KIND_SPARK &&
        std::find(hazards.begin(), hazards.end(), next) == hazards.end()) {
      hazards.push_back(next);
    }
  }
  return hazards;
}

const Cell* Puzzle::At(Position p) const {
  if (IsTraySlot(p)) return &tray_[static_cast<std::size_t>(p.x)];
  if (IsBoardCell(p)) return &board_[static_cast<std::size_t>(BoardIndex(p.x, p.y))];
  return nullptr;
}

}  // namespace qw
