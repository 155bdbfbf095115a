// The pictures of the settings screen: its page with the heading and the
// labels of its rows, the water's three speeds and the sound's buttons, each
// plain and chosen, the small gear button that opens it from the menu, and
// the row of themes below the sound's.
#include <cmath>
#include <numbers>

#include "shapes.h"
#include "skin.h"

namespace qw::artgen {
namespace {

// A gear: a ring with eight teeth and a hole, centred in the box.
void DrawGear(Image& img, const ItemPlace& p, Rgb colour) {
  const Vec2 c{p.x + p.w / 2.0, p.y + (p.h - 2) / 2.0};
  ShadeSoft(img, p.x, p.y, p.w, p.h, [&](double x, double y) {
    const Vec2 d{x - c.x, y - c.y};
    const double r = Length(d);
    const double angle = std::atan2(d.y, d.x);
    // Teeth: the outline reaches out where the angle is near one of eight.
    const double tooth = std::cos(8 * angle) > 0.3 ? 6.8 : 5.2;
    if (r > tooth || r < 2.2) return Paint{};
    return Solid(colour);
  });
}

}  // namespace

void DrawSettingsPictures(const Fonts& fonts, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();
  // The page: the chooser's heading band, and a label over each row; the
  // space below the sound's row is kept for the theme.
  Image page(kClientWidth, kClientHeight, Look().panel);
  for (int y = 0; y < 26; ++y)
    page.Fill(0, y, kClientWidth, 1, Mix(Look().headingBand, Look().panel, y / 26.0));
  fonts.heading->DrawCentred(page, kClientWidth / 2, 4, "Settings", Look().ink);
  fonts.bodyBold->Draw(page, 16, 38, "Water", Look().ink);
  fonts.bodyBold->Draw(page, 16, 100, "Sound", Look().ink);
  const ItemPlace& volume = places[kFirstSettingsItem + 9];
  DrawField(page, volume.x, places[kFirstSettingsItem + 7].y, volume.w,
            places[kFirstSettingsItem + 7].h);
  items[kFirstSettingsItem] = page;
  Image buttons = page;
  const char* labels[] = {"Off", "Normal", "Fast"};
  for (const bool chosen : {false, true}) {
    for (int k = 0; k < 3; ++k) {
      const int index = kFirstSettingsItem + 1 + k + (chosen ? 3 : 0);
      const ItemPlace& p = places[index];
      DrawButton(buttons, fonts, p.x, p.y, p.w, p.h, labels[k], chosen);
      items[index] = Cut(buttons, index);
    }
    const int mute = kFirstSettingsItem + 10 + (chosen ? 1 : 0);
    DrawButton(buttons, fonts, places[mute].x, places[mute].y, places[mute].w, places[mute].h,
               "Mute", chosen);
    items[mute] = Cut(buttons, mute);
  }
  const char* steps[] = {"-", "+"};
  for (int k = 0; k < 2; ++k) {
    const int index = kFirstSettingsItem + 7 + k;
    const ItemPlace& p = places[index];
    DrawButton(buttons, fonts, p.x, p.y, p.w, p.h, steps[k], false);
    items[index] = Cut(buttons, index);
  }
  const int back = kFirstSettingsItem + 12;
  DrawButton(buttons, fonts, places[back].x, places[back].y, places[back].w, places[back].h, "Back",
             false);
  items[back] = Cut(buttons, back);
  // The menu's gear, over the corner of the title picture.
  const int gear = kFirstSettingsItem + 13;
  Image menu = items.at(0);
  const ItemPlace& g = places[gear];
  DrawButton(menu, fonts, g.x, g.y, g.w, g.h, "", false);
  DrawGear(menu, g, Look().ink);
  items[gear] = Cut(menu, gear);
}

void DrawThemePictures(const Fonts& fonts, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();
  Image page = items.at(kFirstSettingsItem);
  const ItemPlace& label = places[kFirstThemeItem];
  fonts.bodyBold->Draw(page, label.x, label.y, "Theme", Look().ink);
  items[kFirstThemeItem] = Cut(page, kFirstThemeItem);
  const char* labels[] = {"Classic", "Dark", "Contrast"};
  for (const bool chosen : {false, true}) {
    for (int k = 0; k < 3; ++k) {
      const int index = kFirstThemeItem + 1 + k + (chosen ? 3 : 0);
      const ItemPlace& p = places[index];
      DrawButton(page, fonts, p.x, p.y, p.w, p.h, labels[k], chosen);
      items[index] = Cut(page, index);
    }
  }
}

}  // namespace qw::artgen
