// Headless play for tests, automation and level authors: the same game loop
// and the same paints, driven by one command a line turned into the input
// events a window delivers, with no window on screen and no display needed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/game_start.h"
#include "app/progress_link.h"
#include "platform/surface.h"

namespace qw {

// Where a script's lines come from and where what it prints goes: the
// standard streams or a file on the desktop, strings in the browser.
struct ScriptIo {
  // The next line, without its line end; false at the end of the script.
  std::function<bool(std::string& line)> readLine;
  std::function<void(std::string_view text)> out;
  std::function<void(std::string_view text)> err;
};

// Runs the script read from `io`, writing what it prints to its `out` and
// its errors to its `err`. Returns the process exit status: 0 at the end of the
// input or when the game closes, 1 when a data file fails to load or the
// generated level to start on cannot be made, 2 for a line that is not a
// command. With progress, the game records it from the first command and
// hands it over once more when the script ends.
int RunScript(const ScriptIo& io, const std::string& dataFolder, Surface pieceStrip,
              Surface toolbarStrip, ProgressSetup* progress = nullptr, const GameStart& start = {});

}  // namespace qw
