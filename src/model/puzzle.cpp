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
  currentLevel = index;
  return true;
}

void Puzzle::StartLevel(const LevelRecord& level) {
  generated_ = level;
  SetUp(*generated_);
  currentLevel = kGeneratedLevel;
}

bool Puzzle::Restart() {
  const LevelRecord* level = CurrentRecord();
  if (!level) return false;
  SetUp(*level);
  return true;
}

const LevelRecord* Puzzle::CurrentRecord() const {
  if (currentLevel == kGeneratedLevel) return generated_ ? &*generated_ : nullptr;
  if (currentLevel < 0 || currentLevel >= LevelCount()) return nullptr;
  return &levels_[static_cast<std::size_t>(currentLevel)];
}

void Puzzle::SetUp(const LevelRecord& level) {
  FillTray(level);
  board.fill(Cell{KIND_EMPTY, 0});
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
    board[static_cast<std::size_t>(BoardIndex(p.x, p.y))] =
        Cell{KIND_SOURCE, NormalizeDirection(level.sourceRotation)};
  }
  selection = kNoPosition;
  UpdateWater();
}

// Elbows, then bends, then splitters from slot 0, all in rotation 0. A
// negative count counts as 0, and pieces beyond the tenth slot are left out.
void Puzzle::FillTray(const LevelRecord& level) {
  tray.fill(Cell{KIND_EMPTY, 0});
  std::size_t slot = 0;
  const std::array<std::pair<PieceKind, std::int32_t>, 3> groups{
      {{KIND_ELBOW, level.elbowCount},
       {KIND_BEND, level.bendCount},
       {KIND_SPLITTER, level.splitterCount}}};
  for (const auto& [kind, count] : groups) {
    for (std::int32_t i = 0; i < count && slot < tray.size(); ++i) tray[slot++] = Cell{kind, 0};
  }
}

// Places kind at every cell number of a list; a number outside 0..99 places
// nothing.
void Puzzle::PlaceList(const std::wstring& cells, PieceKind kind) {
  for (const std::int32_t n : CellNumbers(cells)) {
    if (!IsCellNumber(n)) continue;
    const Position p = CellNumberPosition(n);
    board[static_cast<std::size_t>(BoardIndex(p.x, p.y))] = Cell{kind, 0};
  }
}

std::int32_t Puzzle::LevelCount() const {
  return static_cast<std::int32_t>(
      std::min<std::size_t>(levels_.size(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Puzzle::NextLevelIndex() const {
  // Any negative index counts as no level, so the answer is always a level
  // of the table or -1.
  if (currentLevel < 0) return -1;
  const std::int64_t next = std::int64_t{currentLevel} + 1;
  return next < LevelCount() ? static_cast<std::int32_t>(next) : -1;
}

bool Puzzle::TurnPiece(Position p, bool clockwise) {
  Cell* cell = At(p);
  if (cell == nullptr) return false;
  // 7 + 1 gives 0 and 0 - 1 gives 7; taken modulo 8 so that no stored value
  // can step outside the piece's eight images.
  cell->variant = NormalizeDirection(NormalizeDirection(cell->variant) + (clockwise ? 1 : 7));
  if (IsBoardCell(p)) UpdateWater();  // the tray holds no water
  return true;
}

bool Puzzle::MovePiece(Position from, Position to) {
  Cell* source = At(from);
  Cell* target = At(to);
  if (!source || !target || !IsPipePiece(*source) || target->kind != KIND_EMPTY) return false;
  *target = *source;
  source->kind = KIND_EMPTY;  // the old variant stays behind, unseen
  selection = to;
  UpdateWater();
  return true;
}

void Puzzle::UpdateWater() {
  TraceWater(board, water_);
  // Doused is decided afresh on every run: a fire whose water has been cut
  // off burns again.
  for (std::size_t i = 0; i < board.size(); ++i) {
    if (board[i].kind == KIND_FIRE) board[i].variant = water_.doused.test(i) ? 1 : 0;
  }
}

Outcome Puzzle::GetOutcome() const {
  if (water_.reachesHazard) return Outcome::kFailed;
  return water_.fireBurning ? Outcome::kPlaying : Outcome::kSolved;
}

std::vector<Position> Puzzle::WetHazards() const {
  std::vector<Position> hazards;
  for (const WaterStep& step : water_.steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    const Cell* cell = IsBoardCell(next) ? At(next) : nullptr;
    if (cell && cell->kind == KIND_SPARK && std::find(hazards.begin(), hazards.end(), next) == hazards.end()) {
      hazards.push_back(next);
    }
  }
  return hazards;
}

Cell* Puzzle::At(Position p) { return const_cast<Cell*>(static_cast<const Puzzle&>(*this).At(p)); }

const Cell* Puzzle::At(Position p) const {
  if (IsTraySlot(p)) return &tray[static_cast<std::size_t>(p.x)];
  if (IsBoardCell(p)) return &board[static_cast<std::size_t>(BoardIndex(p.x, p.y))];
  return nullptr;
}

}  // namespace qw
