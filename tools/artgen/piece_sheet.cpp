#include "piece_sheet.h"

#include "pieces.h"
#include "style.h"

namespace qw::artgen {

Image PieceOnCell(int n, bool wet) {
  Image cell(kCell, kCell, Look().panel);
  const auto water = WaterPixels(PieceOpenings(n));
  for (int y = 0; y < kCell && wet; ++y) {
    for (int x = 0; x < kCell; ++x) {
      if (water[y * kCell + x]) cell.Set(x, y, Look().water);
    }
  }
  cell.Paste(DrawPiece(n), 0, 0, true);
  return cell;
}

namespace {

// The six rows of eight cells at scale 1: the three kinds wet, then dry.
Image DrawBlock() {
  Image block(kSheetBlockWidth, kSheetBlockHeight, Look().grid);
  for (int row = 0; row < 6; ++row) {
    for (int r = 0; r < 8; ++r) {
      block.Paste(PieceOnCell(row % 3 * 8 + r, row < 3), 1 + r * kSheetPitch,
                  1 + row * kSheetPitch);
    }
  }
  return block;
}

}  // namespace

Image DrawPieceSheet() {
  Image sheet(kSheetWidth, kSheetHeight, Look().background);
  const Image block = DrawBlock();
  sheet.Paste(block, kSheetMargin, kSheetMargin);
  sheet.Paste(block.Scaled(kSheetZoom), kSheetMargin, 2 * kSheetMargin + kSheetBlockHeight);
  return sheet;
}

}  // namespace qw::artgen
