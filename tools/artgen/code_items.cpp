// The pictures of shared levels: the chooser's Share and Code buttons, the
// code screen, and the Share button on a generated level's solved screen.
#include "skin.h"

namespace qw::artgen {

void DrawCodePictures(const Fonts& fonts, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();
  auto button = [&](Image& under, int index, const char* label) {
    const ItemPlace& p = places[static_cast<std::size_t>(index)];
    DrawButton(under, fonts, p.x, p.y, p.w, p.h, label, false);
    items[index] = Cut(under, index);
  };
  // The chooser's two buttons sit in its heading's corners.
  Image chooser = items.at(30);
  button(chooser, 43, "Share");
  button(chooser, 44, "Code");

  // The code screen: a heading as the chooser's, a line on codes, the
  // field where the game writes the code (on the chooser's line), and the
  // chooser's Back key with Play over its two page keys.
  Image page(kClientWidth, kClientHeight, Look().panel);
  for (int y = 0; y < 26; ++y)
    page.Fill(0, y, kClientWidth, 1, Mix(Look().headingBand, Look().panel, y / 26.0));
  fonts.heading->DrawCentred(page, kClientWidth / 2, 4, "Play a shared level", Look().ink);
  // One line only: every line of text costs the browser's download.
  fonts.body->DrawCentred(page, kClientWidth / 2, 208, "Type or paste (Ctrl+V) a level's code.",
                          Look().ink);
  const ItemPlace& line = places[37];
  DrawField(page, line.x - 2, line.y - 3, line.w + 4, line.h + 3);
  const ItemPlace& back = places[32];
  DrawButton(page, fonts, back.x, back.y, back.w, back.h, "Back", false);
  const ItemPlace& prev = places[33];
  const ItemPlace& next = places[34];
  DrawButton(page, fonts, prev.x, prev.y, next.x + next.w - prev.x, prev.h, "Play", false);
  items[45] = page;

  // On the solved screen of a generated level, over the board's lowest rows
  // where a set level's best shows.
  Image board(kClientWidth, kClientHeight, Look().panel);
  button(board, 46, "Share");
}

}  // namespace qw::artgen
