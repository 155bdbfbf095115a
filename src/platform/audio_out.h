// Where the game's sounds go: the SDL audio device on the desktop, or
// nowhere. The game loop decides what is heard (volume, mute).
#pragma once

#include <cstdint>

#include "platform/sound.h"

namespace qw {

class AudioOut {
 public:
  virtual ~AudioOut() = default;
  // Starts a sound at volume 1..100.
  virtual void Play(Sound sound, std::int32_t volume) = 0;
  virtual void Stop(Sound sound) = 0;
};

}  // namespace qw
