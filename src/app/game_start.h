// What the command line asks of a game beyond its data and progress: a
// generated level to begin with.
#pragma once

#include <optional>

#include "ui/generated_levels.h"

namespace qw {

struct GameStart {
  // A generated level to start the game on, instead of the menu.
  std::optional<GeneratedLevelChoice> level;
};

}  // namespace qw
