// Where hints come from: something that looks at the puzzle and answers
// with one step toward a solution. The game only makes the step; the search
// lives behind this interface.
#pragma once

#include <cstdint>

#include "model/puzzle.h"
#include "model/step.h"

namespace qw {

class HintSource {
 public:
  virtual ~HintSource() = default;
  virtual Hint Next(const Puzzle& puzzle) = 0;
  // A level has just started: the moment to prepare what its hints need, so
  // that the first hint answers as quickly as the later ones.
  virtual void LevelStarted(const Puzzle& /*puzzle*/) {}
};

}  // namespace qw
