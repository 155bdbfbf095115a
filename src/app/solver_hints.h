// The game's hints from the level solver's hint search. The game window
// owns one and hands it to the controller with SetHintSource.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "data/levels.h"
#include "solver/hint.h"
#include "ui/hints.h"

namespace qw {

class SolverHints final : public HintSource {
 public:
  Hint Next(const Puzzle& puzzle) override;
  void LevelStarted(const Puzzle& puzzle) override { Prepare(puzzle); }

 private:
  // Searches the fewest-piece solutions of the puzzle's level unless they
  // are at hand: false when no level is in play.
  bool Prepare(const Puzzle& puzzle);

  // The level's fewest-piece solutions, searched once when the level starts
  // (the longest, level 32's, takes about 0.17 s), so that no hint waits for
  // them. The level is kept whole: a generated level has no index.
  std::optional<LevelRecord> level_;
  std::unique_ptr<LevelHints> hints_;
};

}  // namespace qw
