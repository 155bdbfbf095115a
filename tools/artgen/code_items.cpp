// The pictures of shared levels: the chooser's Share and Code buttons, the
// code screen, the Share button on a generated level's solved screen, and
// the menu's small Enter code button.
#include "shapes.h"
#include "skin.h"

namespace qw::artgen {
namespace {

// A code's sign: a hash of two leaning strokes across two level ones,
// centred in the box as the gear is in its own.
void DrawHash(Image& img, const ItemPlace& p, Rgb colour) {
  const Vec2 c{p.x + p.w / 2.0, p.y + (p.h - 2) / 2.0};
  const Vec2 strokes[4][2] = {{{c.x - 1.0, c.y - 5.5}, {c.x - 3.0, c.y + 5.5}},
                              {{c.x + 3.0, c.y - 5.5}, {c.x + 1.0, c.y + 5.5}},
                              {{c.x - 5.5, c.y - 2.0}, {c.x + 5.5, c.y - 2.0}},
                              {{c.x - 5.5, c.y + 2.0}, {c.x + 5.5, c.y + 2.0}}};
  ShadeSoft(img, p.x, p.y, p.w, p.h, [&](double x, double y) {
    for (const auto& s : strokes) {
      if (SegmentDistance(Vec2{x, y}, s[0], s[1]) < 0.9) return Solid(colour);
    }
    return Paint{};
  });
}

}  // namespace

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
  // The field's last row is the line's: the cursor the game writes there
  // shows only over a 1-pixel outline.
  const ItemPlace& line = places[37];
  DrawField(page, line.x - 2, line.y - 3, line.w + 4, line.h + 3, 1);
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

  // The menu's Enter code, over the title picture's top-left corner, across
  // from the gear.
  Image menu = items.at(0);
  const ItemPlace& code = places[kMenuCodeItem];
  DrawButton(menu, fonts, code.x, code.y, code.w, code.h, "", false);
  DrawHash(menu, code, Look().ink);
  items[kMenuCodeItem] = Cut(menu, kMenuCodeItem);
}

}  // namespace qw::artgen
