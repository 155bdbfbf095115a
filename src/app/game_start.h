// What the command line asks of a game beyond its data: a generated level to
// begin with, and where the player's solved daily puzzles are recorded.
#pragma once

#include <optional>

#include "data/progress.h"
#include "ui/generated_levels.h"

namespace qw {

struct GameStart {
  // A generated level to start the game on, instead of the menu.
  std::optional<GeneratedLevelChoice> level;
  // Where solved daily puzzles are recorded; none: nowhere.
  Progress* progress = nullptr;
};

}  // namespace qw
