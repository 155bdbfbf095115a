// The toolbar strip (four 16 x 15 buttons in 16 colours) and the window icon.
#pragma once

#include <array>

#include "raster.h"

namespace qw::artgen {

// The 16-colour palette of the theme being drawn: Classic's is the classic
// one; silver (192, 192, 192) is the button face in every theme.
std::array<Rgb, 16> ToolbarPalette();

// 112 x 15: turn counter-clockwise, turn clockwise, restart (a page with a
// circular arrow), password (a key), undo, redo, hint (a bulb). Only palette
// colours are used.
Image DrawToolbarStrip();

// The window icon, full-bleed, size 32 or 16.
Image DrawIcon(int size);

}  // namespace qw::artgen
