// The 36 piece images, 20 x 20 each, magenta where the cell shows through.
// Image n is drawn for a cell whose kind + variant is n: elbows 0-7, bends
// 8-15, splitters 16-23, nozzles 24-31, fire 32 (burning) and 33 (doused),
// the lightning hazard 34 and the brick wall 35.
#pragma once

#include <array>
#include <vector>

#include "raster.h"
#include "ui/piece_art.h"

namespace qw::artgen {

inline constexpr int kCell = qw::kPieceSize;
inline constexpr int kPieceCount = 36;

// The directions (0 north, clockwise in eighths) in which image n opens to
// water; empty for the pieces water does not pass.
std::vector<int> PieceOpenings(int n);

// The pixels of a cell that the game's 2-pixel water lines paint when water
// enters or leaves the cell's centre through the given directions.
std::array<bool, kCell * kCell> WaterPixels(const std::vector<int>& directions);

Image DrawPiece(int n);
// All 36 images side by side: 720 x 20.
Image DrawPieceStrip();

}  // namespace qw::artgen
