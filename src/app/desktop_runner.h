// The game in a real window on the desktop.
#pragma once

#include <cstdint>
#include <string>

#include "app/game_start.h"
#include "app/progress_link.h"
#include "platform/surface.h"

namespace qw {

struct DesktopArt {
  Surface pieceStrip;
  Surface toolbarStrip;
  Surface icon;
};

// Opens the window, runs the game until it closes and returns the process
// exit status: 0 after a normal end, 1 when no window can be opened or a
// data file fails to load or the generated level to start on cannot be made.
// Progress is kept from the start to the close.
int RunDesktop(const std::string& dataFolder, std::int32_t scale, DesktopArt art,
               ProgressSetup progress, const GameStart& start = {});

}  // namespace qw
