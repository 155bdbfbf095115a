#include "piece_sheet.h"

#include "pieces.h"

namespace qw::artgen {

namespace {

constexpr Rgb kBackground{153, 153, 255};
constexpr Rgb kCellColour{204, 204, 255};
constexpr Rgb kGrid{172, 172, 223};
constexpr Rgb kWater{0, 0, 255};

// The three rows of eight cells at scale 1.
Image DrawBlock() {
  Image block(kSheetBlockWidth, kSheetBlockHeight, kGrid);
  for (int kind = 0; kind < 3; ++kind) {
    for (int r = 0; r < 8; ++r) {
      const int n = kind * 8 + r;
      Image cell(kCell, kCell, kCellColour);
      const auto water = WaterPixels(PieceOpenings(n));
      for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
          if (water[y * kCell + x]) cell.Set(x, y, kWater);
        }
      }
      cell.Paste(DrawPiece(n), 0, 0, true);
      block.Paste(cell, 1 + r * kSheetPitch, 1 + kind * kSheetPitch);
    }
  }
  return block;
}

}  // namespace

Image DrawPieceSheet() {
  Image sheet(kSheetWidth, kSheetHeight, kBackground);
  const Image block = DrawBlock();
  sheet.Paste(block, kSheetMargin, kSheetMargin);
  sheet.Paste(block.Scaled(kSheetZoom), kSheetMargin, 2 * kSheetMargin + kSheetBlockHeight);
  return sheet;
}

}  // namespace qw::artgen
