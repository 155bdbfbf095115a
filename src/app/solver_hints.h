// The game's hints from the level solver's hint search. The game window
// owns one and hands it to the controller with SetHintSource.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/levels.h"
#include "solver/hint.h"
#include "ui/hints.h"

namespace qw {

class SolverHints final : public HintSource {
 public:
  // levels must outlive the source.
  explicit SolverHints(const std::vector<LevelRecord>& levels) : levels_(levels) {}
  HintAnswer Next(const Puzzle& puzzle) override;
  void LevelStarted(std::int32_t level) override { Prepare(level); }

 private:
  // Searches the level's fewest-piece solutions unless they are at hand:
  // false for an index outside the level table.
  bool Prepare(std::int32_t level);

  const std::vector<LevelRecord>& levels_;
  // The level's fewest-piece solutions, searched once when the level starts
  // (the longest, level 32's, takes about 0.17 s), so that no hint waits for
  // them.
  std::int32_t level_ = -1;
  std::unique_ptr<LevelHints> hints_;
};

}  // namespace qw
