// The puzzle's state and its moves: the ten-slot tray, the 10 by 10 board,
// the selection and the level in play; setting up a level, turning a piece,
// moving a piece, selecting. After every move the water is traced again and
// the outcome follows from it. Cells and slots only: where they sit on
// screen is the ui's business.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/levels.h"
#include "model/cell.h"
#include "model/water.h"

namespace qw {

// The level index of a level that is not in the table: one made for the
// moment, such as the daily puzzle.
inline constexpr std::int32_t kGeneratedLevel = -2;

enum class Outcome : std::uint8_t {
  kPlaying,
  kSolved,  // no fire burns and the water touches no hazard
  kFailed,  // the water touches a hazard, whatever the fires do
};

class Puzzle {
 public:
  // levels is kept by reference and must outlive the puzzle.
  explicit Puzzle(const std::vector<LevelRecord>& levels);

  // Sets up level index: tray and board from its record, no selection, the
  // water traced. False, with nothing changed, when there is no such level.
  bool StartLevel(std::int32_t index);
  // Sets up a level that is not in the table, kept as a copy: the level
  // index becomes kGeneratedLevel.
  void StartLevel(const LevelRecord& level);
  // Sets up the level in play again; false when none is.
  bool Restart();
  // The record of the level in play; nullptr when none is.
  const LevelRecord* CurrentRecord() const;
  // The level after the one in play, or -1 when there is none.
  std::int32_t NextLevelIndex() const;

  // Turns the Cell at a tray slot or board cell by 45 degrees. False, with
  // nothing changed, for any other position.
  bool TurnPiece(Position p, bool clockwise);
  // Moves the pipe piece at `from` (a tray slot or board cell) whole, with
  // its rotation, to the empty slot or cell `to`, and selects it there. False,
  // with nothing changed, for any other pair.
  bool MovePiece(Position from, Position to);
  // Makes p (a slot, a cell or kNoPosition) the selection.
  void Select(Position p) { selection = p; }

  // Traces the water over the board as it stands and marks the fires it
  // reaches as doused, the others as burning. Every move does this; only
  // code that edits the board directly needs to call it.
  void UpdateWater();
  const WaterTrace& Water() const { return water_; }
  Outcome GetOutcome() const;
  // The hazard cells the water reaches, each once, in the water's order:
  // why a lost level was lost.
  std::vector<Position> WetHazards() const;

  // The Cell at a tray slot or board cell; nullptr for any other position.
  Cell* At(Position p);
  const Cell* At(Position p) const;
  Cell* BoardCell(std::int32_t x, std::int32_t y) { return At(Position{x, y}); }
  const Cell* BoardCell(std::int32_t x, std::int32_t y) const { return At(Position{x, y}); }

  std::int32_t LevelCount() const;

  std::array<Cell, kTraySlots> tray{};
  Board board{};  // cell (x, y) at index x * 10 + y
  Position selection;
  std::int32_t currentLevel = -1;

 private:
  void SetUp(const LevelRecord& level);
  void FillTray(const LevelRecord& level);
  void PlaceList(const std::wstring& cells, PieceKind kind);

  const std::vector<LevelRecord>& levels_;
  std::optional<LevelRecord> generated_;  // while a generated level is in play
  WaterTrace water_;
};

}  // namespace qw
