// The three data files of the game, loaded together: the skin, the layout
// and the level table, or the files that failed.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "platform/surface.h"

namespace qw {

struct GameData {
  Surface skin;
  Layout layout;  // at least kLayoutItemsNeeded items
  std::vector<LevelRecord> levels;
};

enum class DataFile { kImages, kLayout, kLevels };

// Loads qw_images.dat, qw_layout.dat and qw_levels.dat from the folder. All
// three are tried; the failures come in that order. A layout with fewer
// items than the game reads counts as one that cannot be loaded.
std::variant<GameData, std::vector<DataFile>> LoadGameData(const std::string& folder);

}  // namespace qw
