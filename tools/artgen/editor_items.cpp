// The pictures of the level editor: its page, with the field of the verdict
// line and the tray's counts below the board, the palette of what to place
// (the game stamps each piece on its button), the counts' minus and plus
// buttons, the row of Undo, Redo, Test, Save, Share and Back, the title
// button and the blank key the title keys are drawn with.
#include "skin.h"

namespace qw::artgen {

void DrawEditorPictures(const Fonts& fonts, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();
  const int page = kFirstEditorItem;
  // The page: the play screen's background colour around the board, a
  // field for the verdict line and a panel behind the tray's counts.
  Image screen(kClientWidth, kClientHeight, Look().background);
  const ItemPlace& verdict = places[page + 12];
  DrawField(screen, verdict.x - 4, verdict.y - 2, verdict.w + 8, verdict.h + 3);
  DrawRoundPanel(screen, 1, 230, kClientWidth - 2, 22, 4, Look().panel, Look().inkSoft);
  // Only the strip below the board: the game fills the rest with the
  // background colour, and a whole page would cost the browser's download.
  items[page] = Cut(screen, page);

  Image under = screen;
  auto button = [&](int index, const char* label, bool chosen) {
    const ItemPlace& p = places[static_cast<std::size_t>(index)];
    Image drawn = under;
    DrawSmallButton(drawn, fonts, p.x, p.y, p.w, p.h, label, chosen);
    items[index] = Cut(drawn, index);
  };
  // The palette: nozzle, fire, lightning and wall blank (the game stamps
  // their pieces), the eraser with an X; each plain and chosen.
  for (const bool chosen : {false, true}) {
    for (int k = 0; k < 5; ++k) button(page + 2 + k + (chosen ? 5 : 0), k == 4 ? "X" : "", chosen);
  }
  for (int k = 0; k < 3; ++k) {
    button(page + 13 + k, "-", false);
    button(page + 16 + k, "+", false);
  }
  const char* labels[] = {"Undo", "Redo", "Test", "Save", "Share", "Back"};
  for (int k = 0; k < 6; ++k) button(page + 22 + k, labels[k], false);
  button(page + 28, "Aa", false);
  // A blank key of the title keys, on the panel the game lays under them.
  under = Image(kClientWidth, kClientHeight, Look().panel);
  button(page + 29, "", false);
}

}  // namespace qw::artgen
