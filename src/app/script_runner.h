// Headless play for tests, automation and level authors: the same game loop
// and the same paints, driven by one command a line turned into the input
// events a window delivers, with no window on screen and no display needed.
#pragma once

#include <iosfwd>
#include <string>

#include "app/game_start.h"
#include "app/progress_link.h"
#include "platform/surface.h"

namespace qw {

// Runs the script read from `in`, writing what it prints to `out` and its
// errors to `err`. Returns the process exit status: 0 at the end of the
// input or when the game closes, 1 when a data file fails to load or the
// generated level to start on cannot be made, 2 for a line that is not a
// command. With progress, the game records it from the first command and
// hands it over once more when the script ends.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err, const std::string& dataFolder,
              Surface pieceStrip, Surface toolbarStrip, ProgressSetup* progress = nullptr,
              const GameStart& start = {});

}  // namespace qw
