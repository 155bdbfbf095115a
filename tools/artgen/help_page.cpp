// The instructions page: what a new player needs to know, one idea a row,
// each beside a picture of what it talks about.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "pieces.h"
#include "skin.h"
#include "toolbar.h"

namespace qw::artgen {
namespace {

enum class Icon { kNozzle, kFires, kHazard, kPipes, kToolbar, kKey };

struct Row {
  Icon icon;
  std::vector<std::string> lines;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> kRows{
      {Icon::kNozzle, {"Water flows from the nozzle in a", "straight line until a pipe turns it."}},
      {Icon::kFires, {"Lead it through every fire to put", "it out. All out: the level is solved!"}},
      {Icon::kHazard, {"Keep the water off the lightning,", "or the level is lost."}},
      {Icon::kPipes, {"Drag pipes from the tray at the top", "onto the board, and back again."}},
      {Icon::kToolbar,
       {"Tap a pipe to select it, again (or Z, X)", "to turn it. Undo: Ctrl+Z, redo: Ctrl+Y,",
        "hint: H. Arrows, Space: play by keys."}},
      {Icon::kKey, {"Each solved level shows a password:", "enter it later with Password."}},
  };
  return kRows;
}

void DrawPieceBox(Image& img, int x, int y, int piece) {
  img.Fill(x - 1, y - 1, 22, 22, kGrid);
  img.Fill(x, y, 20, 20, kPanel);
  img.Paste(DrawPiece(piece), x, y, true);
}

// A toolbar picture with a thin frame, as the buttons look on the toolbar.
void DrawToolButton(Image& img, int x, int y, int button) {
  img.Fill(x - 1, y - 1, 18, 17, kInkSoft);
  img.Paste(DrawToolbarStrip().Crop(16 * button, 0, 16, 15), x, y);
}

// Pictures are centred on (cx, cy).
void DrawIcon(Image& img, Icon icon, int cx, int cy) {
  switch (icon) {
    case Icon::kNozzle: DrawPieceBox(img, cx - 10, cy - 10, 26); break;
    case Icon::kFires:
      DrawPieceBox(img, cx - 21, cy - 10, 32);
      DrawPieceBox(img, cx + 1, cy - 10, 33);
      break;
    case Icon::kHazard: DrawPieceBox(img, cx - 10, cy - 10, 34); break;
    case Icon::kPipes:
      DrawPieceBox(img, cx - 21, cy - 10, 0);
      DrawPieceBox(img, cx + 1, cy - 10, 9);
      break;
    case Icon::kToolbar:
      DrawToolButton(img, cx - 17, cy - 16, 0);
      DrawToolButton(img, cx + 1, cy - 16, 1);
      DrawToolButton(img, cx - 17, cy + 2, 4);
      DrawToolButton(img, cx + 1, cy + 2, 6);
      break;
    case Icon::kKey: DrawToolButton(img, cx - 8, cy - 7, 3); break;
  }
}

}  // namespace

Image DrawHelpPage(const Fonts& fonts) {
  Image page(kClientWidth, kClientHeight, kPanel);
  DrawRoundPanelGradient(page, -8, -8, kClientWidth + 16, 31, 8, Rgb{96, 96, 230}, Rgb{44, 44, 180}, kInk);
  fonts.heading->DrawCentred(page, kClientWidth / 2, 3, "How to play", kWhite);

  const TextFont& body = *fonts.body;
  constexpr int kLineHeight = 12;
  constexpr int kTextX = 54;
  int y = 30;
  for (const Row& row : Rows()) {
    const int lines = static_cast<int>(row.lines.size());
    const int rowHeight = std::max(22, lines * kLineHeight);
    DrawIcon(page, row.icon, 26, y + rowHeight / 2);
    int ty = y + (rowHeight - lines * kLineHeight) / 2 - 1;
    for (const std::string& line : row.lines) {
      DrawFitted(page, body, kTextX, ty, line, kInk, kClientWidth - 3);
      ty += kLineHeight;
    }
    y += rowHeight + 10;
  }
  page.Fill(12, 246, kClientWidth - 24, 1, kGrid);
  fonts.bodyBold->DrawCentred(page, kClientWidth / 2, 251, "Tap anywhere to return to the menu.", kDeepBlue);
  return page;
}

}  // namespace qw::artgen
