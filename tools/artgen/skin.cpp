#include "skin.h"

#include <algorithm>
#include <cstdio>

namespace qw::artgen {

const std::array<ItemPlace, kItemCount>& ItemPlaces() {
  static const std::array<ItemPlace, kItemCount> kPlaces{{
      {"common picture: title, strip of pieces, password field and hint", 0, 0, 240, 268, true},
      {"menu: panel covering the password field and hint", 0, 88, 240, 180, true},
      {"menu: card behind the buttons", 26, 94, 188, 166, true},
      {"menu button 0, new game", 44, 106, 152, 30, true},
      {"menu button 0, new game, highlighted", 44, 106, 152, 30, true},
      {"menu button 1, password entry", 44, 144, 152, 30, true},
      {"menu button 1, password entry, highlighted", 44, 144, 152, 30, true},
      {"menu button 2, instructions", 44, 182, 152, 30, true},
      {"menu button 2, instructions, highlighted", 44, 182, 152, 30, true},
      {"menu button 3, exit", 44, 220, 152, 30, true},
      {"menu button 3, exit, highlighted", 44, 220, 152, 30, true},
      {"instructions page, a tap anywhere returns to the menu", 0, 0, 240, 268, true},
      {"solved screen: continue button", 152, 6, 84, 38, true},
      {"failed screen: retry button", 152, 6, 84, 38, true},
      {"solved screen after the last level: back-to-menu button", 152, 6, 84, 38, true},
      {"not used", 0, 0, 0, 0, false},
      {"tray: 211 x 22, drawn by the game", 14, 19, 211, 22, false},
      {"board: 211 x 211, drawn by the game", 14, 51, 211, 211, false},
      {"solved banner", 4, 4, 142, 42, true},
      {"failed banner", 4, 4, 142, 42, true},
      {"password screen: confirm key", 160, 196, 68, 28, true},
      {"password screen: back key", 12, 196, 68, 28, true},
      {"password screen: clear key", 86, 196, 68, 28, true},
      {"password screen: the eight letter keys, also the glyph strip", 40, 158, 160, 20, true},
      {"password screen: entered letters, drawn by the game", 20, 118, 200, 20, false},
      {"menu: band behind the levels and continue buttons", 10, 52, 220, 30, true},
      {"menu: continue button, shown while a level is in play", 122, 54, 100, 26, true},
      {"menu: continue button, highlighted", 122, 54, 100, 26, true},
      {"menu: levels button, opens the level chooser", 18, 54, 100, 26, true},
      {"menu: levels button, highlighted", 18, 54, 100, 26, true},
      {"level chooser: page", 0, 0, 240, 268, true},
      {"level chooser: list of ten rows, 20 pixels each, drawn by the game", 8, 30, 224, 200,
       false},
      {"level chooser: back button", 8, 245, 64, 21, true},
      {"level chooser: previous page button", 152, 245, 38, 21, true},
      {"level chooser: next page button", 194, 245, 38, 21, true},
      {"level chooser: solved mark, placed in the first row, stamped in each row", 12, 33, 14, 14,
       true},
      {"level chooser: lock mark, placed in the first row, stamped in each row", 12, 33, 14, 14,
       true},
      {"level chooser: line about the highlighted level, drawn by the game", 12, 232, 216, 13,
       false},
      {"level chooser: page number, drawn by the game", 76, 248, 72, 14, false},
      {"solved screen: panel for the level's best over the board, its text drawn by the game", 18,
       236, 204, 22, true},
      {"solved screen of a daily puzzle or random level: back-to-levels button", 152, 6, 84, 38,
       true},
      {"solved screen of a random level: another of the same grade, below the levels button", 152,
       46, 84, 30, true},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"level chooser: share button, copies the highlighted level's code", 4, 3, 50, 20, true},
      {"level chooser: code button, opens the code screen", 186, 3, 50, 20, true},
      {"code screen: page with back and play keys where the chooser's back and page keys are", 0, 0,
       240, 268, true},
      {"solved screen of a generated or shared level: share button", 78, 236, 84, 22, true},
      {"settings: page, its heading and labels", 0, 0, 240, 268, true},
      {"settings: water off", 16, 56, 66, 26, true},
      {"settings: water normal", 87, 56, 66, 26, true},
      {"settings: water fast", 158, 56, 66, 26, true},
      {"settings: water off, chosen", 16, 56, 66, 26, true},
      {"settings: water normal, chosen", 87, 56, 66, 26, true},
      {"settings: water fast, chosen", 158, 56, 66, 26, true},
      {"settings: volume down", 16, 118, 36, 26, true},
      {"settings: volume up", 116, 118, 36, 26, true},
      {"settings: volume, drawn by the game", 54, 124, 60, 14, false},
      {"settings: mute", 158, 118, 66, 26, true},
      {"settings: mute, chosen", 158, 118, 66, 26, true},
      {"settings: back button", 8, 245, 64, 21, true},
      {"menu: settings button, opens the settings", 218, 2, 20, 20, true},
      {"menu: enter code button, opens the code screen", 2, 2, 20, 20, true},
      {"settings: the theme row's label", 16, 162, 60, 14, true},
      {"settings: theme classic", 16, 180, 66, 26, true},
      {"settings: theme dark", 87, 180, 66, 26, true},
      {"settings: theme high contrast", 158, 180, 66, 26, true},
      {"settings: theme classic, chosen", 16, 180, 66, 26, true},
      {"settings: theme dark, chosen", 87, 180, 66, 26, true},
      {"settings: theme high contrast, chosen", 158, 180, 66, 26, true},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"kept for another screen", 0, 0, 0, 0, false},
      {"editor: strip below the board, its verdict field and the counts' panel", 0, 214, 240, 54,
       true},
      {"editor: board, 211 x 211, drawn by the game", 2, 2, 211, 211, false},
      {"editor: nozzle tool, the game stamps the piece", 216, 2, 22, 22, true},
      {"editor: fire tool", 216, 26, 22, 22, true},
      {"editor: lightning tool", 216, 50, 22, 22, true},
      {"editor: wall tool", 216, 74, 22, 22, true},
      {"editor: eraser tool", 216, 98, 22, 22, true},
      {"editor: nozzle tool, chosen", 216, 2, 22, 22, true},
      {"editor: fire tool, chosen", 216, 26, 22, 22, true},
      {"editor: lightning tool, chosen", 216, 50, 22, 22, true},
      {"editor: wall tool, chosen", 216, 74, 22, 22, true},
      {"editor: eraser tool, chosen", 216, 98, 22, 22, true},
      {"editor: verdict line, drawn by the game", 6, 216, 228, 13, false},
      {"editor: one elbow fewer", 3, 232, 18, 18, true},
      {"editor: one bend fewer", 82, 232, 18, 18, true},
      {"editor: one splitter fewer", 161, 232, 18, 18, true},
      {"editor: one elbow more", 61, 232, 18, 18, true},
      {"editor: one bend more", 140, 232, 18, 18, true},
      {"editor: one splitter more", 219, 232, 18, 18, true},
      {"editor: elbows in the tray, drawn by the game", 23, 231, 36, 20, false},
      {"editor: bends in the tray, drawn by the game", 102, 231, 36, 20, false},
      {"editor: splitters in the tray, drawn by the game", 181, 231, 36, 20, false},
      {"editor: undo button", 2, 251, 38, 17, true},
      {"editor: redo button", 42, 251, 38, 17, true},
      {"editor: test play button", 82, 251, 38, 17, true},
      {"editor: save button", 122, 251, 38, 17, true},
      {"editor: share button", 162, 251, 38, 17, true},
      {"editor: back button", 202, 251, 36, 17, true},
      {"editor: title button, opens the title keys", 216, 122, 22, 22, true},
      {"editor: the first of the title keys over the board, the game writes their letters", 12, 111,
       22, 22, true},
  }};
  return kPlaces;
}

Skin BuildSkin(const Fonts& fonts) {
  const std::map<int, Image> pictures = DrawItemPictures(fonts);
  // Shelf packing, tallest pictures first, into a skin 480 pixels wide.
  // The original items are packed first, then the chooser's, then those of
  // shared levels, then the settings', then the themes', then the editor's,
  // each group from a shelf of its own, so
  // that the places in the skin stay where they were before the later items
  // joined. The menu's Enter code, as small as the gear, takes the room
  // beside it on the last shelf.
  auto group = [](int index) {
    return index < kOriginalItemCount   ? 0
           : index < kFirstCodeItem     ? 1
           : index < kFirstSettingsItem ? 2
           : index < kFirstThemeItem    ? 3
           : index < kFirstEditorItem   ? 4
                                        : 5;
  };
  std::vector<int> order;
  for (const auto& [index, picture] : pictures) order.push_back(index);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (group(a) != group(b)) return group(a) < group(b);
    return pictures.at(a).height() > pictures.at(b).height();
  });
  constexpr int kSkinWidth = 480;
  Skin skin;
  skin.items.resize(kItemCount);
  for (int i = 0; i < kItemCount; ++i) skin.items[i].place = ItemPlaces()[i];
  int shelfX = 0, shelfY = 0, shelfHeight = 0;
  int shelfGroup = 0;  // each later group starts a shelf of its own
  for (int index : order) {
    const Image& picture = pictures.at(index);
    if (shelfX + picture.width() > kSkinWidth || group(index) != shelfGroup) {
      shelfGroup = group(index);
      shelfY += shelfHeight;
      shelfX = 0;
      shelfHeight = 0;
    }
    skin.items[index].srcX = shelfX;
    skin.items[index].srcY = shelfY;
    shelfX += picture.width();
    shelfHeight = std::max(shelfHeight, picture.height());
  }
  skin.image = Image(kSkinWidth, shelfY + shelfHeight, Look().panel);
  for (int index : order) {
    skin.image.Paste(pictures.at(index), skin.items[index].srcX, skin.items[index].srcY);
  }
  return skin;
}

std::string LayoutFileText(const Skin& skin) {
  std::string text =
      "; Quenchway screen layout. Written by tools/artgen (run `make art`); edit\r\n"
      "; the generator, not this file.\r\n"
      "; One item per line: x, y, w, h, srcX, srcY. y counts from the top of the\r\n"
      "; handheld's screen, 26 pixels above the game's client area; srcX and srcY\r\n"
      "; are the item's picture in qw_images.dat.\r\n";
  for (std::size_t i = 0; i < skin.items.size(); ++i) {
    const LayoutEntry& e = skin.items[i];
    char line[160];
    std::snprintf(line, sizeof line, "; %zu: %s\r\n%d,%d,%d,%d,%d,%d\r\n", i, e.place.name,
                  e.place.x, e.place.y + kLayoutYOffset, e.place.w, e.place.h, e.srcX, e.srcY);
    text += line;
  }
  return text;
}

}  // namespace qw::artgen
