#include "model/puzzle.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "data/text.h"

namespace qw {

namespace {

// Cells are 20 pixels square on a 21-pixel pitch, inside a 1-pixel frame.
constexpr std::int64_t kCellPitch = 21;
constexpr std::int64_t kCellExtent = 20;

}  // namespace

Point RectCenter(const Rect& rect) {
  // The sum of two int32 values fits in 64 bits, and so does half of it in 32.
  return Point{static_cast<std::int32_t>((std::int64_t{rect.left} + rect.right) / 2),
               static_cast<std::int32_t>((std::int64_t{rect.top} + rect.bottom) / 2)};
}

Puzzle::Puzzle(const std::vector<LevelRecord>& levels, const Rect& trayRect, const Rect& boardRect,
               ModelEffects& effects)
    : levels_(levels), trayRect_(trayRect), boardRect_(boardRect), effects_(effects) {}

bool Puzzle::StartLevel(std::int32_t index) {
  if (index < 0 || index >= LevelCount()) return false;
  const LevelRecord& level = levels_[static_cast<std::size_t>(index)];

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

  currentLevel = index;
  press = PressState{};
  selection = kNoPosition;
  screenMode = MODE_PLAY;
  effects_.ShowToolbar(true);
  effects_.InvalidateAll();
  return true;
}

// Elbows, then bends, then splitters from slot 0, all in rotation 0. A
// negative count counts as 0, and pieces beyond the tenth slot are left out.
void Puzzle::FillTray(const LevelRecord& level) {
  tray.fill(Cell{KIND_EMPTY, 0});
  std::size_t slot = 0;
  const std::array<std::pair<std::int32_t, std::int32_t>, 3> groups{
      {{KIND_ELBOW, level.elbowCount},
       {KIND_BEND, level.bendCount},
       {KIND_SPLITTER, level.splitterCount}}};
  for (const auto& [kind, count] : groups) {
    for (std::int32_t i = 0; i < count && slot < tray.size(); ++i) tray[slot++] = Cell{kind, 0};
  }
}

// Places kind at every cell number of a comma-separated list; a number
// outside 0..99 places nothing.
void Puzzle::PlaceList(const std::wstring& cells, std::int32_t kind) {
  const FieldTokenizer fields(cells, L",");
  for (std::int32_t i = 0; i < fields.count(); ++i) {
    const std::int32_t n = ReadNumber(fields.field(i));
    if (!IsCellNumber(n)) continue;
    const Position p = CellNumberPosition(n);
    board[static_cast<std::size_t>(BoardIndex(p.x, p.y))] = Cell{kind, 0};
  }
}

std::int32_t Puzzle::LevelCount() const {
  return static_cast<std::int32_t>(
      std::min<std::size_t>(levels_.size(), std::numeric_limits<std::int32_t>::max()));
}

void Puzzle::RestartLevel() {
  if (screenMode == MODE_MENU) return;
  StartLevel(currentLevel);
}

std::int32_t Puzzle::NextLevelIndex() const {
  // Any negative index counts as no level, so the answer is always a level
  // of the table or -1.
  if (currentLevel < 0) return -1;
  const std::int64_t next = std::int64_t{currentLevel} + 1;
  return next < LevelCount() ? static_cast<std::int32_t>(next) : -1;
}

void Puzzle::TurnPiece(std::int32_t x, std::int32_t y, bool clockwise) {
  Cell* cell = At(Position{x, y});
  if (cell == nullptr) return;
  // 7 + 1 gives 0 and 0 - 1 gives 7; taken modulo 8 so that no stored value
  // can step outside the piece's eight images.
  cell->variant = NormalizeDirection(NormalizeDirection(cell->variant) + (clockwise ? 1 : 7));
  effects_.InvalidateRect(y == -1 ? CellRect(x, y) : boardRect_);
}

void Puzzle::SelectCell(std::int32_t x, std::int32_t y) {
  if (selection != kNoPosition) effects_.InvalidateRect(CellRect(selection.x, selection.y));
  selection = Position{x, y};
  if (selection != kNoPosition) effects_.InvalidateRect(CellRect(x, y));
}

Rect Puzzle::CellRect(std::int32_t x, std::int32_t y) const {
  const Rect& item = y == -1 ? trayRect_ : boardRect_;
  const std::int64_t left = std::int64_t{item.left} + 1 + kCellPitch * x;
  const std::int64_t top = std::int64_t{item.top} + 1 + (y == -1 ? 0 : kCellPitch * y);
  return Rect{SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + kCellExtent),
              SaturateToInt32(top + kCellExtent)};
}

Position Puzzle::HitTest(Point point) const {
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = -1; y < kBoardSize; ++y) {
      if (PtInRect(CellRect(x, y), point)) return Position{x, y};
    }
  }
  return kNoPosition;
}

Cell* Puzzle::At(Position p) { return const_cast<Cell*>(static_cast<const Puzzle&>(*this).At(p)); }

const Cell* Puzzle::At(Position p) const {
  if (IsTraySlot(p)) return &tray[static_cast<std::size_t>(p.x)];
  if (IsBoardCell(p)) return &board[static_cast<std::size_t>(BoardIndex(p.x, p.y))];
  return nullptr;
}

}  // namespace qw
