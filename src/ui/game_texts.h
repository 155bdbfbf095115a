// The texts the game draws with its font: the play screen's caption and the
// toolbar's tooltips.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/toolbar.h"

namespace qw {

// "Level 3/40": the level in play, counted from 1, and the number of levels.
std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount);
// The toolbar's buttons with their commands and tooltips, left to right.
std::vector<ToolButton> ToolbarButtons();
// Every text above for a set of `levelCount` levels.
std::vector<std::wstring> GameTexts(std::int32_t levelCount);

}  // namespace qw
