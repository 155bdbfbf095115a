// The puzzle's value types: a Cell of the tray or the board, directions,
// positions and cell numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qw {

// Piece kinds, by their codes. The image of a Cell is number code + variant
// of the 36-image piece strip; an empty Cell has no image.
enum class PieceKind : std::int32_t {
  KIND_EMPTY = -1,
  KIND_ELBOW = 0,      // openings toward r+4 and r+2
  KIND_BEND = 8,       // openings toward r+4 and r+1
  KIND_SPLITTER = 16,  // stem toward r+4, arms toward r+2 and r+6
  KIND_SOURCE = 24,    // nozzle pointing toward r
  KIND_FIRE = 32,      // variant 0 burning, 1 doused
  KIND_SPARK = 34,     // electrical hazard
  KIND_WALL = 35,
};
using enum PieceKind;

constexpr std::int32_t KindCode(PieceKind kind) { return static_cast<std::int32_t>(kind); }

inline constexpr std::int32_t kPieceImageCount = 36;
inline constexpr std::int32_t kTraySlots = 10;
inline constexpr std::int32_t kBoardSize = 10;  // columns, and rows
inline constexpr std::int32_t kBoardCells = kBoardSize * kBoardSize;

struct Cell {
  PieceKind kind = KIND_EMPTY;
  // Rotation 0..7 of pipe pieces and the source, 0/1 for fire, 0 for hazard
  // and wall; meaningless for an empty Cell.
  std::int32_t variant = 0;
  friend constexpr bool operator==(const Cell&, const Cell&) = default;
};

// The Cell's picture in the piece strip; meaningless for an empty Cell.
constexpr std::int32_t ImageIndex(const Cell& c) { return KindCode(c.kind) + c.variant; }

// Elbows, bends and splitters: the only Cells that live in the tray and that
// the player moves and turns.
constexpr bool IsPipePiece(const Cell& c) {
  return c.kind == KIND_ELBOW || c.kind == KIND_BEND || c.kind == KIND_SPLITTER;
}

// Board cell (x, y), tray slot (k, -1), or none (-1, -1).
struct Position {
  std::int32_t x = -1;
  std::int32_t y = -1;
  friend constexpr bool operator==(const Position&, const Position&) = default;
};

inline constexpr Position kNoPosition{-1, -1};

constexpr bool IsOnBoard(std::int32_t x, std::int32_t y) {
  return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
}
constexpr bool IsTraySlot(const Position& p) { return p.y == -1 && p.x >= 0 && p.x < kTraySlots; }
constexpr bool IsBoardCell(const Position& p) { return IsOnBoard(p.x, p.y); }

// The board is stored column by column: cell (x, y) at index x * 10 + y.
// Only for positions on the board.
constexpr std::int32_t BoardIndex(std::int32_t x, std::int32_t y) { return x * kBoardSize + y; }

// Level files name a board cell by its cell number 10 * row + column.
constexpr bool IsCellNumber(std::int32_t n) { return n >= 0 && n < kBoardCells; }
// Only for valid cell numbers: column n mod 10, row n div 10.
constexpr Position CellNumberPosition(std::int32_t n) {
  return Position{n % kBoardSize, n / kBoardSize};
}

// Directions run 0..7 clockwise from north (0 north, 2 east, 4 south, 6
// west); y grows downward. Any value taken modulo 8 into 0..7.
constexpr std::int32_t NormalizeDirection(std::int32_t d) { return ((d % 8) + 8) % 8; }

// The step of direction d (0..7) on each axis, diagonals a full step on
// both.
struct DirectionStep {
  std::int32_t dx = 0;
  std::int32_t dy = 0;
};
constexpr DirectionStep StepOf(std::int32_t d) {
  constexpr std::array<std::int32_t, 8> dx{0, 1, 1, 1, 0, -1, -1, -1};
  constexpr std::array<std::int32_t, 8> dy{-1, -1, 0, 1, 1, 1, 0, -1};
  if (d < 0 || d > 7) return {};
  return DirectionStep{dx[static_cast<std::size_t>(d)], dy[static_cast<std::size_t>(d)]};
}

// Moves a board position one cell along direction d; a d outside 0..7
// leaves it as it is. Only for positions on the board.
constexpr void StepPosition(Position& p, std::int32_t d) {
  const DirectionStep s = StepOf(d);
  p.x += s.dx;
  p.y += s.dy;
}

}  // namespace qw
