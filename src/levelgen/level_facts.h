// What the solver and the grade model say about one level: whether it can be
// solved, by how many distinct solutions, with how few pieces and at which
// grade. `quenchway-levels check --stats` prints these facts and the level
// editor's verdict line is made from them, so both read one measurement.
#pragma once

#include <cstdint>
#include <functional>

#include "data/levels.h"
#include "levelgen/grade.h"
#include "solver/solver.h"

namespace qw {

struct LevelFacts {
  // The counting search, up to kDefaultSolutionCap solutions. A count that
  // ran into the node limit is kGaveUp even after some solution: its number
  // is then only a lower bound.
  SolveReport count;
  // The fewest pieces any solution needs, and the grade model's features
  // (with the search effort of the first solution). Left empty when only
  // unique levels were to be measured and this one is not.
  SolveReport fewest;
  LevelFeatures features;
  bool measured = false;   // fewest and features were measured
  bool cancelled = false;  // keepGoing said stop: nothing here may be trusted
};

struct FactsOptions {
  std::int64_t nodeLimit = kDefaultNodeLimit;
  // Measure the fewest pieces and the grade only when the count found exactly
  // one solution; the only solution then has the fewest pieces.
  bool onlyUnique = false;
  // Polled by every search (see SolveOptions::keepGoing).
  std::function<bool()> keepGoing;
};

LevelFacts MeasureFacts(const LevelRecord& level, const FactsOptions& options = {});

}  // namespace qw
