// One level set up by the game's own code: a puzzle over a one-level table.
#pragma once

#include <vector>

#include "data/levels.h"
#include "model/puzzle.h"

namespace qw {

// Not copyable or movable: the puzzle keeps a reference to the table.
struct PlayedLevel {
  explicit PlayedLevel(const LevelRecord& level) : levels{level}, puzzle(levels) {
    puzzle.StartLevel(0);
  }
  PlayedLevel(const PlayedLevel&) = delete;
  PlayedLevel& operator=(const PlayedLevel&) = delete;

  std::vector<LevelRecord> levels;
  Puzzle puzzle;
};

}  // namespace qw
