// Pictures of every screen, composed from the generated files roughly as the
// game draws them, for looking at the art before the game can show it.
#pragma once

#include <string>

#include "skin.h"
#include "style.h"

namespace qw::artgen {

// Writes one BMP per screen into dir. False when a file cannot be written.
bool WritePreviews(const Skin& skin, const Fonts& fonts, const std::string& dir);

}  // namespace qw::artgen
