// The game's sounds in the browser, through the page's Web Audio context,
// which the page opens on the player's first tap or key (the browsers' rule).
#pragma once

#include <memory>

#include "platform/audio_out.h"

namespace qw::web {

// The sounds, synthesised and handed to the page's audio context; null while
// the page has no context yet.
std::unique_ptr<AudioOut> OpenWebAudio();

}  // namespace qw::web
