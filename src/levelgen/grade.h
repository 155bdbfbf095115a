// How hard a level is: features measured with the solver on the level and on
// its solution with the fewest pieces, a score that weighs them, and a grade
// from 1 (first steps) to 5 (expert) cut from the score. The weights and the
// cuts are calibrated on the shipped level set (docs/levels.md, "Level generator");
// everything is whole-number arithmetic, so every machine grades alike.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"
#include "model/cell.h"

namespace qw {

// Where the water of a level runs with some pieces placed, by the game's
// water rule. Cell numbers are 10 x row + column.
struct WaterRoute {
  std::bitset<kBoardCells> cells;   // every board cell the water enters
  std::vector<std::int32_t> order;  // the same cells, in the order the water first enters them
  std::int32_t stretches = 0;  // straight runs: one from each source, one from each exit of a piece
  std::int32_t diagonalStretches = 0;
  std::int32_t fires = 0;  // fires the water douses
  bool reachesHazard = false;
};

// The route with the solution's pieces on the board (no pieces for nullptr);
// a solution whose pieces the tray or the board cannot take gives the route
// of the pieces that could be placed.
WaterRoute TraceRoute(const LevelRecord& level, const Solution* solution);

struct LevelFeatures {
  bool solved = false;      // a fewest-pieces solution was found
  std::int32_t pieces = 0;  // fewest pieces a solution needs
  std::int32_t elbows = 0;  // in that solution
  std::int32_t bends = 0;
  std::int32_t splitters = 0;
  std::int32_t diagonalStretches = 0;  // of its water
  std::int32_t decoys = 0;             // tray pieces that solution leaves unused
  std::int32_t hazardsNearRoute = 0;   // hazards next to a cell its water enters
  std::int64_t effort = 0;             // nodes of the search for the first solution
  Solution solution;
};

// The features of a level: the solver's effort for the first solution, and
// the rest from a solution with the fewest pieces.
LevelFeatures MeasureLevel(const LevelRecord& level, std::int64_t nodeLimit = kDefaultNodeLimit);
// The same from a solution known to have the fewest pieces (the only one of
// a level with exactly one) and the effort measured apart.
LevelFeatures FeaturesOf(const LevelRecord& level, const Solution& fewest, std::int64_t effort);

// The search effort the grade model uses: the nodes of the search for the
// first solution.
std::int64_t SearchEffort(const LevelRecord& level, std::int64_t nodeLimit = kDefaultNodeLimit);

// A search that stopped at its node limit, whatever it found before.
inline bool GaveUp(const SolveReport& report, std::int64_t nodeLimit) {
  return report.outcome == SolveOutcome::kGaveUp || report.nodes > nodeLimit;
}

inline constexpr std::int32_t kLowestGrade = 1;
inline constexpr std::int32_t kHighestGrade = 5;
// The lowest score of grades 2, 3, 4 and 5.
inline constexpr std::array<std::int32_t, 4> kGradeCuts{50, 90, 120, 150};
// The lowest score of a grade; below grade 1 and above 5 the int32 limits.
constexpr std::int32_t GradeFloor(std::int32_t grade) {
  if (grade <= kLowestGrade) return INT32_MIN;
  if (grade > kHighestGrade) return INT32_MAX;
  return kGradeCuts[static_cast<std::size_t>(grade - kLowestGrade - 1)];
}

// The weighted sum of the features: higher is harder.
std::int32_t GradeScore(const LevelFeatures& features);
// The part of the score that does not depend on the search effort, and the
// part that does.
std::int32_t ScoreWithoutEffort(const LevelFeatures& features);
std::int32_t EffortScore(std::int64_t effort);
// 1 to 5 from a score.
std::int32_t GradeOfScore(std::int32_t score);
inline std::int32_t GradeOf(const LevelFeatures& features) {
  return GradeOfScore(GradeScore(features));
}

}  // namespace qw
