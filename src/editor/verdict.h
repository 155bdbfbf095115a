// The editor's verdict on a level being made: the line under the board that
// says whether the level can be played as it stands. Made from the same
// facts `quenchway-levels check --stats` prints (MeasureFacts), in this
// order of questions:
//   "No nozzle yet"          no nozzle stands on the board
//   "No fire yet"            no fire stands on the board
//   "No solution"            the search shows that no placement solves it
//   "Too hard to decide"     the search reached its node limit first
//   "N solutions — not unique"   (N+ when the count stopped at its cap or
//                            its limit after finding N)
//   "Solvable: P pieces, 1 solution, grade G"   P the fewest pieces
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/level_draft.h"
#include "solver/solver.h"

namespace qw {

struct Verdict {
  enum class Kind : std::uint8_t {
    kNoNozzle,
    kNoFire,
    kNoSolution,
    kTooHard,
    kNotUnique,
    kSolvable,
    kCancelled
  };
  Kind kind = Kind::kCancelled;
  std::string text;            // UTF-8; empty when cancelled
  std::int64_t solutions = 0;  // kNotUnique, kSolvable (1)
  std::int32_t pieces = 0;     // kSolvable
  std::int32_t grade = 0;      // kSolvable
  // A level with a solution may be shared; one without a unique solution
  // only with a warning.
  bool Shareable() const { return kind == Kind::kSolvable || kind == Kind::kNotUnique; }
};

struct VerdictOptions {
  std::int64_t nodeLimit = kDefaultNodeLimit;
  // Polled during the search: false cancels it (the verdict is kCancelled).
  std::function<bool()> keepGoing;
};

Verdict VerdictOf(const Draft& draft, const VerdictOptions& options = {});

}  // namespace qw
