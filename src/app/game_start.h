// What the command line asks of a game beyond its data and progress: a
// generated level to begin with, motion, sound and theme for this run, and
// where the sound goes.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/audio_out.h"
#include "platform/theme.h"
#include "ui/generated_levels.h"
#include "ui/water_run.h"

namespace qw {

struct GameStart {
  // A generated level to start the game on, instead of the menu.
  std::optional<GeneratedLevelChoice> level;
  // --animation and --mute: for this run only, over the kept settings.
  std::optional<Motion> motion;
  bool mute = false;
  // --theme: for this run only, over the kept choice.
  std::optional<ThemeId> theme;
  // The look the page or desktop prefers, taken while the player has chosen
  // none.
  std::optional<ThemeId> preferredTheme;
  // Opens the audio device (none, or null from it: no sound).
  std::function<std::unique_ptr<AudioOut>()> audio;
};

}  // namespace qw
