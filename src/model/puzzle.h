// The puzzle's state and its one move: the ten-slot tray, the 10 by 10
// board, the selection and the level in play; setting up a level, making a
// Step (moving a piece, turning one, restarting), selecting. Apply owns every
// rule of a step; after every step the water is traced once and the outcome
// follows from it. The state changes only through set-up, Apply, Select and
// the history's Restore. Cells and slots only: where they sit on screen is
// the ui's business.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/levels.h"
#include "model/cell.h"
#include "model/step.h"
#include "model/water.h"

namespace qw {

// The level index of a level that is not in the table: one made for the
// moment, such as the daily puzzle.
inline constexpr std::int32_t kGeneratedLevel = -2;

using Tray = std::array<Cell, kTraySlots>;

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
  // A position given whole, as benchmarks and tools draw one: the tray and
  // board as they are (fires doused afresh), no selection; the level in play
  // stays.
  void SetUpPosition(const Tray& tray, const Board& board);
  // The record of the level in play; nullptr when none is.
  const LevelRecord* CurrentRecord() const;
  // The level after the one in play, or -1 when there is none.
  std::int32_t NextLevelIndex() const;
  // The level in play: its index, kGeneratedLevel, or -1 before the first.
  std::int32_t currentLevel() const { return currentLevel_; }

  // Makes the step when the rules allow it, and traces the water once:
  // - Move: the pipe piece at `from` (a tray slot or board cell) goes whole,
  //   in `rotation` or else its own, to the empty slot or cell `to`, and is
  //   selected there;
  // - Turn: the pipe piece at `from` turns `turns` 45-degree steps (1 to 7)
  //   and is selected; the nozzle, fires, hazards and walls never turn;
  // - Restart: the level in play is set up again.
  // False, with nothing changed, for a step the rules refuse.
  bool Apply(const Step& step);
  // Makes p (a slot, a cell or kNoPosition) the selection. Not a step.
  void Select(Position p) { selection_ = p; }

  // What an undo puts back.
  struct Snapshot {
    Tray tray;
    Board board;
    Position selection;
  };
  Snapshot TakeSnapshot() const { return Snapshot{tray_, board_, selection_}; }
  // Tray and board as a snapshot has them, the water traced, `select`
  // selected: the way back for undo.
  void Restore(const Snapshot& snapshot, Position select);

  const WaterTrace& Water() const { return water_; }
  // The one query for the outcome of the board as it stands.
  Outcome GetOutcome() const { return OutcomeOf(water_); }
  // The hazard cells the water reaches, each once, in the water's order:
  // why a lost level was lost.
  std::vector<Position> WetHazards() const;

  // The Cell at a tray slot or board cell; nullptr for any other position.
  const Cell* At(Position p) const;
  const Cell* BoardCell(std::int32_t x, std::int32_t y) const { return At(Position{x, y}); }
  const Tray& tray() const { return tray_; }
  const Board& board() const { return board_; }  // cell (x, y) at index x * 10 + y
  Position selection() const { return selection_; }

  std::int32_t LevelCount() const;

 private:
  Cell* MutableAt(Position p) { return const_cast<Cell*>(At(p)); }
  bool Move(const Step& step);
  bool Turn(const Step& step);
  // Traces the water over the board as it stands and marks the fires it
  // reaches as doused, the others as burning.
  void UpdateWater();
  void SetUp(const LevelRecord& level);
  void FillTray(const LevelRecord& level);
  void PlaceList(const std::wstring& cells, PieceKind kind);

  const std::vector<LevelRecord>& levels_;
  Tray tray_{};
  Board board_{};
  Position selection_;
  std::int32_t currentLevel_ = -1;
  std::optional<LevelRecord> generated_;  // while a generated level is in play
  WaterTrace water_;
};

}  // namespace qw
