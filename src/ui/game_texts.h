// The texts the game draws with its font: the play screen's caption, the
// toolbar's tooltips and the message boxes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "data/levels.h"
#include "platform/toolbar.h"

namespace qw {

class Font;

// "Level 3/40": the level in play, counted from 1, and the number of levels.
std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount);
// The toolbar's buttons with their commands and tooltips, left to right.
std::vector<ToolButton> ToolbarButtons();
// Every text above for a set of `levelCount` levels.
std::vector<std::wstring> GameTexts(std::int32_t levelCount);
// The message that says a data file cannot be loaded.
std::wstring LoadFailureText(DataFile file);
// The message that tells the password of the level the player goes on to.
std::wstring PasswordMessage(const std::wstring& password);
// Every line the message boxes draw for these levels and for a solved
// generated level, as `font` breaks them, with the boxes' title and button.
std::vector<std::wstring> MessageTexts(const std::vector<LevelRecord>& levels, const Font* font);

}  // namespace qw
