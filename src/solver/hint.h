// Hints: one step from the tray and board as the player left them toward a
// solution, found by the level solver.
//
// What a hint does, in this order of preference:
// - Every pipe piece on the board is the player's. A solution "keeps" a
//   player's piece when it has a piece of the same kind on the same cell in a
//   rotation that makes the water do the same there (a piece the water never
//   reaches is kept in any rotation). A kept piece may still need a turn when
//   its rotation acts otherwise; a piece that is not kept is taken back.
// - If the player's pieces can all stay where they stand, the hint follows
//   the solution that turns the fewest of them and, among those, places the
//   fewest tray pieces. Its step is one turn or one placement.
// - If they cannot, the hint takes back one piece of the smallest set of the
//   player's pieces whose removal makes a solution possible again (then
//   again the fewest turns and placements). When one piece is not enough,
//   each hint takes back one more until the board can be completed.
// - The water runs after every step and touching a hazard loses the level,
//   so the steps of the chosen solution are put in an order in which the
//   water reaches no hazard after any of them: take-backs first, unless
//   taking a piece back would send the water into a hazard, and then turns
//   and placements that make it safe come first; each piece in any rotation
//   that acts alike in the solution. Solutions with such an order are preferred; when none of the
//   fewest placements has one, solutions with more placements are tried.
// From a level's start, repeated hints therefore solve it in as many steps
// as its fewest-piece solution has pieces, and from any board they solve it
// whenever it can be solved at all.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"
#include "model/cell.h"
#include "model/step.h"

namespace qw {

// Decisions a hint may spend, about 50 ms on the development machine.
inline constexpr std::int64_t kDefaultHintNodeLimit = 40'000;
// The most fewest-piece solutions of a level that LevelHints looks at.
inline constexpr std::int64_t kMostKnownSolutions = 16;

struct HintOptions {
  std::int64_t nodeLimit = kDefaultHintNodeLimit;
  // Solutions offered to the order search for each number of placements,
  // and water runs it may spend on all of them together.
  std::int64_t solutionsTried = 64;
  std::int64_t orderRuns = 8'000;
};

// The hint's step is a Step marked as a hint's: a placement is a move from
// a tray slot (one whose piece already has the rotation, or else the first)
// into the piece's rotation; a take-back a move to the first empty tray
// slot; a turn the shorter way round as one step of 1 to 7 turns, unless
// only the other way keeps the water from hazards at every turn between.
// `known` are solutions of the level from its start (the fewest-piece ones,
// as LevelHints keeps them): the way to one of them from the board is the
// answer whenever the search finds nothing better within its limit.
Hint FindHint(const std::array<Cell, kTraySlots>& tray, const std::array<Cell, kBoardCells>& board,
              const HintOptions& options = {}, const std::vector<Solution>& known = {});

// The hints of one level. The level's fewest-piece solutions (up to the
// first that can be placed in a safe order) are found once, when it is made:
// the one search that may take longer than a hint, bounded by the toolkit's
// node limit. Every hint is then bounded by the hint limit and falls back on
// them, so that from the level's start the hints follow a fewest-piece
// solution, and from any board they reach one.
class LevelHints {
 public:
  explicit LevelHints(const LevelRecord& level, const HintOptions& options = {});
  Hint Next(const std::array<Cell, kTraySlots>& tray,
            const std::array<Cell, kBoardCells>& board) const {
    return FindHint(tray, board, options_, fewest_);
  }
  const std::vector<Solution>& Fewest() const { return fewest_; }

 private:
  HintOptions options_;
  std::vector<Solution> fewest_;
};

}  // namespace qw
