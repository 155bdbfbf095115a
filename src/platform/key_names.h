// Keys by name, mapped once for every front end: SDL's key names (what the
// desktop window gets and what script mode's `key` command takes) and the
// browser's KeyboardEvent.key names.
#pragma once

#include <string_view>

#include "platform/input_event.h"

namespace qw {

// The key a name stands for, matched in any case ("Left", "ArrowLeft",
// "Return", "Enter", "Keypad Enter", "Space", " ", "Escape", "Backspace",
// "Delete", "F11", "Up", ...); a single letter or digit is Key::Letter with
// `letter` its upper-case form. Key::Unknown for any other name.
Key KeyFromName(std::string_view name, char& letter);

}  // namespace qw
