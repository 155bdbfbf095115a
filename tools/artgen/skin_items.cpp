// The pictures of the menu, password and outcome screens. Each screen is
// painted whole, in the game's drawing order, and every item is cut from it,
// so that an item's corners show exactly what lies below it in the game.
#include <array>
#include <string>

#include "data/keypad.h"
#include "pieces.h"
#include "shapes.h"
#include "skin.h"

namespace qw::artgen {
namespace {

// A row of board cells in the tray's style: frame, panel, grid lines.
void DrawCellRow(Image& img, int x, int y, int cells) {
  const int w = cells * 21 + 1;
  img.Fill(x, y, w, 22, Look().frame);
  img.Fill(x + 1, y + 1, w - 2, 20, Look().panel);
  for (int i = 1; i < cells; ++i) img.Fill(x + 21 * i, y + 1, 1, 20, Look().grid);
}

void DrawTitle(Image& img, const Fonts& fonts) {
  // Sky fading into the panel colour.
  for (int y = 0; y < 88; ++y) {
    const double t = std::min(1.0, y / 80.0);
    img.Fill(0, y, kClientWidth, 1, Mix(Look().background, Look().panel, t * t));
  }
  const TextFont& font = *fonts.title;
  const std::string name = "Quenchway";
  const int x = (kClientWidth - font.Width(name)) / 2;
  const int y = 6;
  font.DrawOutlined(img, x + 2, y + 2, name, Look().titleShadow, Look().titleShadow, 2);
  font.DrawOutlined(img, x, y, name, Look().paper, Look().ink, 2);

  // A strip of the board: the nozzle's water douses a fire and stops at a
  // wall; a fire still burns beyond it, next to a lightning hazard.
  const int sx = 14, sy = 56;
  DrawCellRow(img, sx, sy, 10);
  const int cy = sy + 1 + 10;
  img.Fill(sx + 1 + 10 - 1, cy - 1, 21 * 6, 2, Look().water);  // nozzle to wall
  const std::array<int, 10> pieces{26, -1, -1, 33, -1, -1, 35, 32, -1, 34};
  for (int i = 0; i < 10; ++i) {
    if (pieces[i] >= 0) img.Paste(DrawPiece(pieces[i]), sx + 1 + 21 * i, sy + 1, true);
  }
}

void DrawPasswordPage(Image& img, const Fonts& fonts) {
  fonts.heading->DrawCentred(img, kClientWidth / 2, 94, "Enter a password", Look().ink);
  const ItemPlace& text = ItemPlaces()[24];
  DrawField(img, text.x - 4, text.y - 4, text.w + 8, text.h + 8);
  fonts.small->DrawCentred(img, kClientWidth / 2, 236, "Solving a level shows the", Look().inkSoft);
  fonts.small->DrawCentred(img, kClientWidth / 2, 249, "password of the next one.", Look().inkSoft);
}

void DrawBanner(Image& img, const Fonts& fonts, int index, int piece, const char* line1,
                const char* line2) {
  const ItemPlace& p = ItemPlaces()[index];
  DrawRoundPanel(img, p.x, p.y + 1, p.w, p.h - 1, 7, Look().ink, Look().ink);
  DrawRoundPanelGradient(img, p.x, p.y, p.w, p.h - 2, 7, Look().paper, Look().bannerBottom,
                         Look().ink);
  const int iconX = p.x + 7;
  const int iconY = p.y + (p.h - 2 - 20) / 2;
  img.Fill(iconX - 1, iconY - 1, 22, 22, Look().ink);
  img.Fill(iconX, iconY, 20, 20, Look().panel);
  img.Paste(DrawPiece(piece), iconX, iconY, true);
  const int tx = iconX + 26;
  DrawFitted(img, *fonts.heading, tx, p.y + 5, line1, Look().ink, p.x + p.w - 4);
  DrawFitted(img, *fonts.small, tx, p.y + 23, line2, Look().inkSoft, p.x + p.w - 4);
}

void DrawTwoLineButton(Image& img, const Fonts& fonts, int index, const char* small,
                       const char* label) {
  const ItemPlace& p = ItemPlaces()[index];
  DrawButton(img, fonts, p.x, p.y, p.w, p.h, "", false);
  fonts.small->DrawCentred(img, p.x + p.w / 2, p.y + 4, small, Look().inkSoft);
  fonts.button->DrawCentred(img, p.x + p.w / 2, p.y + 16, label, Look().ink);
}

}  // namespace

std::map<int, Image> DrawItemPictures(const Fonts& fonts) {
  std::map<int, Image> items;
  const auto& places = ItemPlaces();

  Image common(kClientWidth, kClientHeight, Look().panel);
  DrawTitle(common, fonts);
  DrawPasswordPage(common, fonts);
  items[0] = common;

  // Menu: the lower panel hides the password field, the card holds the buttons.
  Image menu = common;
  menu.Fill(places[1].x, places[1].y, places[1].w, places[1].h, Look().panel);
  items[1] = Cut(menu, 1);
  DrawRaisedCard(menu, places[2], 10);
  items[2] = Cut(menu, 2);
  CutButtonPairs(menu, fonts, 3, {"New game", "Password", "Instructions", "Exit"}, items);
  items[11] = DrawHelpPage(fonts);

  // Outcome screens: background colour around the board.
  Image outcome(kClientWidth, kClientHeight, Look().background);
  Image solved = outcome;
  DrawBanner(solved, fonts, 18, 33, "Level solved!", "Every fire is out.");
  items[18] = Cut(solved, 18);
  Image failed = outcome;
  DrawBanner(failed, fonts, 19, 34, "Short circuit!", "Water hit the lightning.");
  items[19] = Cut(failed, 19);
  Image buttons = outcome;
  DrawButton(buttons, fonts, places[12].x, places[12].y, places[12].w, places[12].h, "Next level",
             false);
  items[12] = Cut(buttons, 12);
  buttons = outcome;
  DrawButton(buttons, fonts, places[13].x, places[13].y, places[13].w, places[13].h, "Try again",
             false);
  items[13] = Cut(buttons, 13);
  buttons = outcome;
  DrawTwoLineButton(buttons, fonts, 14, "All levels done!", "Menu");
  items[14] = Cut(buttons, 14);

  // Password screen keys over the common picture.
  Image password = common;
  const std::array<const char*, 3> keyLabels{"OK", "Back", "Clear"};
  for (int k = 0; k < 3; ++k) {
    const ItemPlace& p = places[20 + k];
    DrawButton(password, fonts, p.x, p.y, p.w, p.h, keyLabels[k], false);
    items[20 + k] = Cut(password, 20 + k);
  }
  const ItemPlace& keypad = places[23];
  for (std::size_t k = 0; k < qw::keypadAlphabet.size(); ++k) {
    const char letter[2] = {static_cast<char>(qw::keypadAlphabet[k]), 0};
    DrawKeyTile(password, fonts, keypad.x + 20 * static_cast<int>(k), keypad.y, letter);
  }
  items[23] = Cut(password, 23);
  DrawChooserPictures(fonts, items);
  DrawCodePictures(fonts, items);
  DrawSettingsPictures(fonts, items);
  DrawThemePictures(fonts, items);
  DrawEditorPictures(fonts, items);
  return items;
}

Image Cut(const Image& screen, int index) {
  const ItemPlace& p = ItemPlaces()[index];
  return screen.Crop(p.x, p.y, p.w, p.h);
}

void DrawRaisedCard(Image& img, const ItemPlace& p, int radius) {
  DrawRoundPanel(img, p.x, p.y + 2, p.w, p.h - 2, radius, Look().cardLip, Look().cardLip);
  DrawRoundPanelGradient(img, p.x, p.y, p.w, p.h - 3, radius, Look().cardTop, Look().cardBottom,
                         Look().ink);
}

void CutButtonPairs(const Image& under, const Fonts& fonts, int first,
                    const std::vector<const char*>& labels, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();
  for (std::size_t b = 0; b < labels.size(); ++b) {
    for (int lit = 0; lit < 2; ++lit) {
      const int index = first + 2 * static_cast<int>(b) + lit;
      const ItemPlace& p = places[static_cast<std::size_t>(index)];
      Image screen = under;
      DrawButton(screen, fonts, p.x, p.y, p.w, p.h, labels[b], lit == 1);
      items[index] = Cut(screen, index);
    }
  }
}

}  // namespace qw::artgen
