#include "editor/verdict.h"

#include <algorithm>

#include "levelgen/level_facts.h"

namespace qw {

namespace {

Verdict Said(Verdict::Kind kind, std::string text) {
  Verdict v;
  v.kind = kind;
  v.text = std::move(text);
  return v;
}

}  // namespace

Verdict VerdictOf(const Draft& draft, const VerdictOptions& options) {
  if (draft.NozzleCell() < 0) return Said(Verdict::Kind::kNoNozzle, "No nozzle yet");
  if (std::find(draft.items.begin(), draft.items.end(), Item::kFire) == draft.items.end()) {
    return Said(Verdict::Kind::kNoFire, "No fire yet");
  }
  FactsOptions measure;
  measure.nodeLimit = options.nodeLimit;
  measure.onlyUnique = true;
  measure.keepGoing = options.keepGoing;
  const LevelFacts facts = MeasureFacts(ToRecord(draft), measure);
  if (facts.cancelled) return Verdict{};
  const SolveReport& count = facts.count;
  if (count.solutions >= 2) {
    const bool lowerBound = count.capped || count.outcome == SolveOutcome::kGaveUp;
    Verdict v =
        Said(Verdict::Kind::kNotUnique, std::to_string(count.solutions) + (lowerBound ? "+" : "") +
                                            " solutions \u2014 not unique");
    v.solutions = count.solutions;
    return v;
  }
  if (count.outcome == SolveOutcome::kUnsolvable)
    return Said(Verdict::Kind::kNoSolution, "No solution");
  if (count.outcome == SolveOutcome::kGaveUp || !facts.measured || !facts.features.solved) {
    return Said(Verdict::Kind::kTooHard, "Too hard to decide");
  }
  Verdict v;
  v.kind = Verdict::Kind::kSolvable;
  v.solutions = 1;
  v.pieces = facts.features.pieces;
  v.grade = GradeOf(facts.features);
  v.text = "Solvable: " + std::to_string(v.pieces) + (v.pieces == 1 ? " piece" : " pieces") +
           ", 1 solution, grade " + std::to_string(v.grade);
  return v;
}

}  // namespace qw
