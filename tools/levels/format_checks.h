// The format's limits for one level's seven lines: piece counts, cell
// numbers, the source's rotation, exact "-1" for empty lists, and placements
// that overwrite one another in the order the game sets a level up.
#pragma once

#include <array>
#include <vector>

#include "data/levels.h"
#include "levels/checker.h"
#include "levels/level_text.h"

namespace qw {

std::vector<Finding> CheckLevelLines(const std::array<SourceLine, 7>& lines,
                                     const LevelRecord& record);

}  // namespace qw
