// What every hostile-data case expects of the game: a clean refusal with the
// load-failure messages and status 1, or a game that loads and plays, and
// never a signal, a hang or a sanitizer report.
#pragma once

#include <string>
#include <vector>

#include "sandbox.h"

namespace qw::testing {

// The lines the script mode prints for each refused file.
inline const std::string kImageRefused = "message: Could not load image.\\r\\nExiting...\n";
inline const std::string kLayoutRefused = "message: Could not load layout.\\r\\nExiting...\n";
inline const std::string kLevelsRefused = "message: Could not load levels.\\r\\nExiting...\n";

// New game, drags from the tray onto the board, turns, a screenshot, a
// restart and the password screen, with the state dumped twice. The points
// are those of the shipped layout.
std::string PlayScript(const Sandbox& box);

// Exit status 1, and exactly these message lines.
void ExpectRefused(const Outcome& run, const std::string& messages);
// Exit status 0 after the whole play script: two dumps of a sound state and
// a screenshot of the client area.
void ExpectPlayed(const Outcome& run, const Sandbox& box);

}  // namespace qw::testing
