#include "levelgen/level_facts.h"

namespace qw {

LevelFacts MeasureFacts(const LevelRecord& level, const FactsOptions& options) {
  LevelFacts facts;
  auto stopped = [&] { return options.keepGoing && !options.keepGoing(); };
  SolveOptions solve;
  solve.nodeLimit = options.nodeLimit;
  solve.keepGoing = options.keepGoing;
  solve.countAll = true;
  facts.count = SolveLevel(level, solve);
  if (GaveUp(facts.count, options.nodeLimit)) facts.count.outcome = SolveOutcome::kGaveUp;
  if (stopped()) {
    facts.cancelled = true;
    return facts;
  }
  const bool unique = facts.count.outcome == SolveOutcome::kSolved && facts.count.solutions == 1;
  if (options.onlyUnique && !unique) return facts;

  // The count's first solution came after as many decisions as a search for
  // one takes.
  const std::int64_t effort = facts.count.firstNodes;
  if (options.onlyUnique) {
    facts.fewest = facts.count;
    facts.fewest.solutions = 0;
    facts.fewest.capped = false;
  } else {
    facts.fewest = SolveFewest(level, options.nodeLimit, options.keepGoing);
  }
  if (stopped()) {
    facts.cancelled = true;
    return facts;
  }
  facts.features.effort = effort;
  if (facts.fewest.outcome == SolveOutcome::kSolved)
    facts.features = FeaturesOf(level, facts.fewest.solution, effort);
  facts.measured = true;
  return facts;
}

}  // namespace qw
