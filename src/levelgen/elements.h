// Whether every wall and hazard of a level earns its place: taking one away
// (leaving an empty cell) must change something a player meets.
//
// An element earns its place when, with it gone,
// - the fewest pieces a solution needs change (fewer, more, or none solves),
// - the number of distinct solutions changes (a level with one gains a
//   second), or the one solution becomes another, or
// - a trap of the level disappears.
//
// A trap is a tempting wrong placement that loses. The player builds the
// solution in the order its water meets the pieces; at each point on the way
// (the bare board, then with the first one, two, ... pieces of the solution
// placed, as long as that board's water touches no hazard) a tempting
// placement puts one piece the tray still holds on an empty cell the water
// runs through, turned so that the water goes on through it, and not as the
// solution has a piece there. It is a trap when its water then touches a
// hazard. A trap disappears when that placement's water touches no hazard
// with the element gone: only a hazard can be the catch of a trap, and only
// one that its water touches alone.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"

namespace qw {

// One tempting placement: `kind` turned to `rotation` on cell number `cell`,
// with the first `placed` pieces of the solution (in the water's order) on
// the board.
struct Temptation {
  std::int32_t placed = 0;
  std::int32_t cell = 0;
  PieceKind kind = KIND_ELBOW;
  std::int32_t rotation = 0;
  // The one hazard its water touches, or -1 when it touches several.
  std::int32_t caughtBy = -1;
};

// Solutions are alike when they put the same kinds on the same cells with
// rotations that act alike there.
bool SameSolution(const Solution& a, const Solution& b);

// The solution's pieces in the order the water meets them on the solved
// board (the game's trace: depth first, a splitter's first arm first).
Solution InWaterOrder(const LevelRecord& level, const Solution& solution);

// The traps of a level on the way to `solution` (its pieces in any order).
std::vector<Temptation> FindTraps(const LevelRecord& level, const Solution& solution);

struct ElementReport {
  std::int32_t elements = 0;       // walls and hazards on the board
  std::vector<std::int32_t> idle;  // cell numbers of those that do not earn their place
  std::int32_t traps = 0;
  std::int32_t undecidedWithout =
      0;                // earning because the level without them passes kElementNodeLimit
  bool decided = true;  // false: the level's own search stopped at its node limit
};

// Checks every wall and hazard of a solvable level. The searches of the
// level itself get at most `nodeLimit` nodes, those without an element
// kElementNodeLimit; a level that cannot be solved reports no element idle.
ElementReport CheckElements(const LevelRecord& level, std::int64_t nodeLimit = kDefaultNodeLimit);

// The level with the wall or hazard on cell number `cell` taken away.
LevelRecord WithoutElement(const LevelRecord& level, std::int32_t cell);

// The search of a level without one element stops after this many nodes,
// the generator's own limit for a level: an element without which the
// level cannot be decided within them earns its place (without it the
// level would be far harder to reason about, and no level the generator
// would give).
inline constexpr std::int64_t kElementNodeLimit = 15'000;

// For a level with exactly one solution, `only`, and its traps: whether the
// wall or hazard on `cell` earns its place. nullopt when the search without
// it stops at kElementNodeLimit.
std::optional<bool> EarnsPlace(const LevelRecord& level, const Solution& only,
                               const std::vector<Temptation>& traps, std::int32_t cell);

}  // namespace qw
