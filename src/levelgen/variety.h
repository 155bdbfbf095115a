// How varied a set of levels is: tray mixes, where fires sit, where the
// nozzles point from, and levels that are one another turned or mirrored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"

namespace qw {

// The same text for two levels that are equal up to the board's eight
// symmetries (turns by quarters and mirror images): nozzle, fires, hazards,
// walls and tray. Titles and passwords do not count.
std::string SymmetryKey(const LevelRecord& level);

struct Variety {
  std::int32_t levels = 0;
  std::int32_t trayMixes = 0;  // distinct elbow, bend and splitter counts
  // Fires the solution's water reaches, and those of them whose next cell
  // along the water's way is past the edge or a wall.
  std::int32_t fires = 0;
  std::int32_t firesBeforeStop = 0;
  std::int32_t nozzleCells = 0;                  // distinct nozzle cells
  std::array<std::int32_t, 4> nozzleQuarters{};  // top left, top right, bottom left, bottom right
  std::array<std::int32_t, 8> nozzleDirections{};
  std::int32_t repeats = 0;  // levels equal to an earlier one up to symmetry
};

// `solutions[i]` solves `levels[i]` (an empty one for a level without).
Variety MeasureVariety(const std::vector<LevelRecord>& levels,
                       const std::vector<Solution>& solutions);

// A few lines for `check --stats`.
std::string VarietyText(const Variety& v);

}  // namespace qw
