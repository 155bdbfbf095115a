// The game's levels and their codes: the level a code names, as the game
// starts it, and the code of the level in play, for passing it on.
#pragma once

#include <optional>
#include <string>

#include "data/level_code.h"
#include "model/puzzle.h"
#include "ui/generated_levels.h"

namespace qw {

// How the game plays the level of a code: a daily puzzle or random level as
// the generator makes it, a whole level as a shared one.
GeneratedLevelChoice ChoiceOfCode(const CodedLevel& level);

// The code of the level in play: the daily puzzle's day, the random level's
// seed and grade, or the whole level (a table or shared level). nullopt
// before any level, or for a table level a code cannot carry.
std::optional<std::string> CodeOfLevelInPlay(const Puzzle& puzzle,
                                             const std::optional<GeneratedLevelChoice>& generated);

}  // namespace qw
