// The game's sounds through SDL's audio: synthesised once when the device
// opens, mixed in SDL's callback.
#pragma once

#include <memory>

#include "platform/audio_out.h"

namespace qw {

// Opens the default audio device. Without one, says so in one line on
// stderr and returns null: the game then plays on silently.
std::unique_ptr<AudioOut> OpenSdlAudio();

}  // namespace qw
