// A sheet of every rotation of the three pipe kinds (elbow, bend, splitter:
// one row each, rotations 0 to 7 left to right) as the board shows them: on
// the cell colour between grid lines, with water running through every
// opening, then the same three rows dry. Once at scale 1 and once at scale 3
// below it, for checking at a glance that each rotation shows where it opens.
#pragma once

#include "raster.h"

namespace qw::artgen {

inline constexpr int kSheetMargin = 4;
inline constexpr int kSheetPitch = 21;  // a cell and one grid line
inline constexpr int kSheetBlockWidth = 8 * kSheetPitch + 1;
inline constexpr int kSheetBlockHeight = 6 * kSheetPitch + 1;
inline constexpr int kSheetZoom = 3;
inline constexpr int kSheetWidth = kSheetBlockWidth * kSheetZoom + 2 * kSheetMargin;
inline constexpr int kSheetHeight = kSheetBlockHeight * (1 + kSheetZoom) + 3 * kSheetMargin;

// Piece image n on a 20 x 20 cell of the board's colour, with the water
// running through its openings when wet.
Image PieceOnCell(int n, bool wet);

Image DrawPieceSheet();

}  // namespace qw::artgen
