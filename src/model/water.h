// The water trace as a pure query: from a board, the stretches the water
// runs as (cell, direction) steps, the fires it reaches and whether it
// touches a hazard. The puzzle asks it after every move; the renderer turns
// the steps into lines, the level tools reason with them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "model/cell.h"

namespace qw {

// The board, column by column: cell (x, y) at index x * 10 + y.
using Board = std::array<Cell, kBoardCells>;

// One stretch of water: it leaves `cell` in `direction`, toward the next cell
// that way (which may lie past the board's edge).
struct WaterStep {
  Position cell;
  std::int32_t direction = 0;
  friend constexpr bool operator==(const WaterStep&, const WaterStep&) = default;
};

// Counts of one complete run. Each step is one stretch.
struct TraceStats {
  std::int32_t sources = 0;
  std::int32_t flowCalls = 0;               // steps of all sources together
  std::int32_t mostFlowCallsPerSource = 0;  // never above 800
};

// What the water does on a board.
struct WaterTrace {
  // In the order the water runs: sources column by column, each column top
  // to bottom, and each source's water depth first, a splitter's first arm
  // before its second.
  std::vector<WaterStep> steps;
  std::bitset<kBoardCells> doused;  // by board index: the fires the water reaches
  bool reachesHazard = false;
  bool fireBurning = false;  // some fire on the board is not reached
  TraceStats stats;
};

enum class Outcome : std::uint8_t {
  kPlaying,
  kSolved,  // no fire burns and the water touches no hazard
  kFailed,  // the water touches a hazard, whatever the fires do
};

// The outcome of a board whose water ran as `trace` says.
constexpr Outcome OutcomeOf(const WaterTrace& trace) {
  if (trace.reachesHazard) return Outcome::kFailed;
  return trace.fireBurning ? Outcome::kPlaying : Outcome::kSolved;
}

// What water does in the cell it enters: the directions it leaves in, in the
// order they run, and what else happens there.
struct WaterPassage {
  std::array<std::int32_t, 2> exits{};
  std::int32_t exitCount = 0;
  bool douses = false;         // the cell is a fire
  bool reachesHazard = false;  // the cell is an electrical hazard
};

// The water rule of one cell, shared by the trace and by anything that
// reasons about the water: water travelling in direction d (0..7) enters
// `cell`. Empty cells and fires let it run straight on; an elbow takes it at
// d = r (leaving d + 2) or d = r + 6 (leaving d + 6); a bend at d = r
// (leaving d + 1) or d = r + 5 (leaving d + 7); a splitter only at d = r
// (leaving d + 2, then d + 6); everything else stops it. A rotation outside
// 0..7 is read modulo 8, so that the rule stays one-to-one.
WaterPassage WaterExits(const Cell& cell, std::int32_t d);

// Runs the water of every source on the board. The second form reuses the
// storage of `trace`.
WaterTrace TraceWater(const Board& board);
void TraceWater(const Board& board, WaterTrace& trace);

// The water of one source never visits a (cell, direction) pair twice.
inline constexpr std::int32_t kMaxFlowCallsPerSource = 100 * 8;

}  // namespace qw
