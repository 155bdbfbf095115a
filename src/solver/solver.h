// The level solver: finds how to place the tray's pieces so that the water
// douses every fire without reaching a hazard, or shows that no placement
// can. It plays the level the game sets up from its record and runs the
// game's own water rule (WaterExits) cell by cell.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/levels.h"
#include "model/puzzle.h"

namespace qw {

// One piece of a solution: its kind (KIND_ELBOW, KIND_BEND or
// KIND_SPLITTER), the cell number it stands on and its rotation.
struct Placement {
  PieceKind kind = KIND_ELBOW;
  std::int32_t cell = 0;
  std::int32_t rotation = 0;
  // Bit r set for every rotation r that makes the water do the same here;
  // `rotation` is the lowest of them.
  std::uint8_t rotations = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

// The pieces that the water reaches, in the order it first reaches them.
// Pieces the water never reaches make no difference and are left out.
using Solution = std::vector<Placement>;

enum class SolveOutcome { kSolved, kUnsolvable, kGaveUp };

struct SolveReport {
  SolveOutcome outcome = SolveOutcome::kUnsolvable;
  Solution solution;           // the first solution found, when solved
  std::int64_t nodes = 0;      // decisions tried
  std::int64_t pruned = 0;     // positions cut off by the reach bound
  std::int64_t repeated = 0;   // positions met before, whose outcome was known
  std::int64_t solutions = 0;  // when counting: distinct solutions found
  // When counting: the decisions the same search stopping at its first
  // solution reports (nodes, when it found none), so that one counting
  // search also gives the effort of finding a first solution.
  std::int64_t firstNodes = 0;
  bool capped = false;  // counting stopped at the cap
  // From a board with the player's pieces on it: of the solution found, the
  // pieces it takes back and turns (its placements: solution.size()).
  std::int32_t takeBacks = 0;
  std::int32_t turns = 0;
};

// Searches beyond this many decisions give up rather than run on; no level
// of the shipped set comes near it.
inline constexpr std::int64_t kDefaultNodeLimit = 5'000'000;
inline constexpr std::int64_t kDefaultSolutionCap = 1000;

struct SearchState;

// The steps from a board in play to a solution, in the order they weigh.
struct StepCount {
  std::int32_t takeBacks = 0;
  std::int32_t turns = 0;
  std::int32_t placed = 0;
  friend auto operator<=>(const StepCount&, const StepCount&) = default;
};

struct SolveOptions {
  std::int64_t nodeLimit = kDefaultNodeLimit;
  bool countAll = false;  // go on after the first solution, up to the cap
  std::int64_t solutionCap = kDefaultSolutionCap;
  std::int32_t pieceBudget = 10;  // at most this many pieces reached by water
  // From a board with the player's pieces on it: at most this many of them
  // turned to another rotation, and taken back to the tray.
  std::int32_t turnBudget = 0;
  std::int32_t takeBackBudget = 0;
  // Searches on past the first solution for the one with the fewest
  // take-backs, then the fewest turns, then the fewest placements; a search
  // stopped by the node limit reports the best found so far as solved.
  bool fewestSteps = false;
  // With fewestSteps: only solutions that need fewer steps than this.
  std::optional<StepCount> below;
  // When set, sees every solution found (at most solutionCap of them) and
  // says whether to take it. Under fewestSteps it sees each better solution
  // and its answer is ignored.
  std::function<bool(const SearchState&)> accept;
  // When set, asked every kPollNodes decisions whether to go on: false stops
  // the search as if it had reached the node limit (kGaveUp). The editor's
  // verdict worker cancels a search that an edit made stale this way.
  std::function<bool()> keepGoing;
};

inline constexpr std::int64_t kPollNodes = 1024;

// Complete: reports kSolved whenever some placement solves the level, and
// kUnsolvable only when none does (kGaveUp past the node limit).
SolveReport SolveLevel(const LevelRecord& level, const SolveOptions& options = {});

// A solution with the fewest pieces the water reaches: the search run with
// a piece budget of 0, 1, 2, ... until one solves. nodes adds up every run.
SolveReport SolveFewest(const LevelRecord& level, std::int64_t nodeLimit = kDefaultNodeLimit,
                        const std::function<bool()>& keepGoing = {});

// Moves the solution's pieces from the tray onto the board of a started
// puzzle. False, leaving the rest unplaced, at the first piece that the tray
// does not hold or whose cell is not an empty board cell.
bool PlaceSolution(Puzzle& puzzle, const Solution& solution);

// Sets the pieces on the game's own puzzle, taking each from the tray, and
// runs the water trace: true when the level is then solved.
bool VerifySolution(const LevelRecord& level, const Solution& solution);

// "elbow", "bend" or "splitter".
std::string PieceName(PieceKind kind);
// "elbow@45/r2 bend@46/r7", or "" for no pieces.
std::string SolutionText(const Solution& solution);

}  // namespace qw
