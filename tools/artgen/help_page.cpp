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

enum class Icon { kNozzle, kFires, kHazardAndWall, kPipes, kToolbar, kKey, kLevels };

struct Row {
  Icon icon;
  std::vector<std::string> lines;
};

// Everything a new player needs, on one page: the goal, what stops water,
// the three pieces, how to move and turn them, the keys, the passwords and
// the menu's ways into a level.
const std::vector<Row>& Rows() {
  static const std::vector<Row> kRows{
      {Icon::kNozzle, {"Water runs straight from the nozzle,", "across or diagonally."}},
      {Icon::kFires, {"Lead it through every fire: all out,", "and the level is solved!"}},
      {Icon::kHazardAndWall,
       {"Lightning loses; walls stop water, but", "it slips between two at a corner."}},
      {Icon::kPipes,
       {"Elbows turn water 90\u00b0, bends 45\u00b0;", "a T splitter sends it out both sides.",
        "Drag pieces between tray and board;", "tap one, tap again (or Z, X) to turn it."}},
      {Icon::kToolbar,
       {"Ctrl+Z: undo, Ctrl+Y: redo, H: hint,", "R: restart. Arrows, Space: keyboard",
        "play. F11: full view."}},
      {Icon::kKey, {"Solving a level shows the next one's", "password: enter it in Password (P)."}},
      {Icon::kLevels,
       {"Levels picks a level; Continue goes", "back to the one in play. D: daily",
        "puzzle, 1\u20135: a random level of that", "grade, R: another of the last grade."}},
  };
  return kRows;
}

void DrawPieceBox(Image& img, int x, int y, int piece) {
  img.Fill(x - 1, y - 1, 22, 22, Look().grid);
  img.Fill(x, y, 20, 20, Look().panel);
  img.Paste(DrawPiece(piece), x, y, true);
}

// A toolbar picture with a thin frame, as the buttons look on the toolbar:
// on the bar's colour, where Classic keeps the silver face of its first look.
void DrawToolButton(Image& img, int x, int y, int button) {
  const Rgb silver = ToolbarPalette()[7];
  img.Fill(x - 1, y - 1, 18, 17, Look().inkSoft);
  img.Fill(x, y, 16, 15, Look().id == ThemeId::kClassic ? silver : Look().bar);
  img.Paste(DrawToolbarStrip().Crop(16 * button, 0, 16, 15), x, y, true, silver);
}

// Pictures are centred on (cx, cy).
void DrawIcon(Image& img, Icon icon, int cx, int cy) {
  switch (icon) {
    case Icon::kNozzle: DrawPieceBox(img, cx - 10, cy - 10, 26); break;
    case Icon::kFires:
      DrawPieceBox(img, cx - 21, cy - 10, 32);
      DrawPieceBox(img, cx + 1, cy - 10, 33);
      break;
    case Icon::kHazardAndWall:
      DrawPieceBox(img, cx - 21, cy - 10, 34);
      DrawPieceBox(img, cx + 1, cy - 10, 35);
      break;
    case Icon::kPipes:
      DrawPieceBox(img, cx - 21, cy - 21, 0);
      DrawPieceBox(img, cx + 1, cy - 21, 9);
      DrawPieceBox(img, cx - 10, cy + 1, 16);
      break;
    case Icon::kToolbar:
      DrawToolButton(img, cx - 17, cy - 16, 0);
      DrawToolButton(img, cx + 1, cy - 16, 1);
      DrawToolButton(img, cx - 17, cy + 2, 4);
      DrawToolButton(img, cx + 1, cy + 2, 6);
      break;
    case Icon::kKey: DrawToolButton(img, cx - 8, cy - 7, 3); break;
    case Icon::kLevels:
      img.Paste(SolvedMark(14), cx - 16, cy - 7, true);
      img.Paste(LockMark(14), cx + 2, cy - 7, true);
      break;
  }
}

}  // namespace

Image DrawHelpPage(const Fonts& fonts) {
  Image page(kClientWidth, kClientHeight, Look().panel);
  DrawRoundPanelGradient(page, -8, -8, kClientWidth + 16, 27, 8, Look().bandTop, Look().bandBottom,
                         Look().ink);
  fonts.heading->DrawCentred(page, kClientWidth / 2, 1, "How to play", Look().litText);

  const TextFont& body = *fonts.body;
  constexpr int kLineHeight = 11;
  constexpr int kTextX = 52;
  constexpr int kTextRight = kClientWidth - 8;  // the same margin as the pictures' on the left
  constexpr int kRowsEnd = 246;                 // the line above the last one
  int y = 22;
  for (const Row& row : Rows()) {
    const int lines = static_cast<int>(row.lines.size());
    const int minHeight = row.icon == Icon::kPipes ? 44 : (row.icon == Icon::kToolbar ? 36 : 22);
    const int rowHeight = std::max(minHeight, lines * kLineHeight);
    DrawIcon(page, row.icon, 26, y + rowHeight / 2);
    int ty = y + (rowHeight - lines * kLineHeight) / 2 - 1;
    for (const std::string& line : row.lines) {
      DrawFitted(page, body, kTextX, ty, line, Look().ink, kTextRight);
      ty += kLineHeight;
    }
    y += rowHeight + 2;
  }
  if (y - 2 > kRowsEnd)
    std::fprintf(stderr, "artgen: the instructions run %d pixels too low\n", y - 2 - kRowsEnd);
  page.Fill(12, kRowsEnd, kClientWidth - 24, 1, Look().grid);
  fonts.bodyBold->DrawCentred(page, kClientWidth / 2, 251, "Tap anywhere to return to the menu.",
                              Look().accent);
  return page;
}

}  // namespace qw::artgen
