#include "ui/settings_screen.h"

#include <algorithm>

#include "data/layout_items.h"

namespace qw {

bool SettingsScreen::Available() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kSettingsItemsEnd;
}

bool SettingsScreen::ThemesShown() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kThemeItemsEnd;
}

void SettingsScreen::Open() {
  if (!Available()) return;
  s_.state.hoveredButton = -1;
  s_.SetMode(MODE_SETTINGS);
  s_.effects.InvalidateAll();
}

bool SettingsScreen::MenuPress(Point p) {
  if (!Available() || !PtInRect(ItemRect(s_.layout, kItemMenuSettings), p)) return false;
  s_.effects.PlaySound(Sound::kButton);
  Open();
  return true;
}

bool SettingsScreen::PenDown(Point p) {
  auto hit = [&](std::int32_t item) { return PtInRect(ItemRect(s_.layout, item), p); };
  UiState& state = s_.state;
  if (hit(kItemSettingsBack)) {
    s_.effects.PlaySound(Sound::kButton);
    return true;
  }
  for (std::int32_t k = 0; k < 3; ++k) {
    if (!hit(kItemMotionFirst + k)) continue;
    ChooseMotion(k);
    return false;
  }
  const bool down = hit(kItemVolumeDown), up = hit(kItemVolumeUp);
  if (down || up) {
    StepVolume(up ? 1 : -1);
    return false;
  }
  if (hit(kItemMute)) {
    state.muted = !state.muted;
    if (s_.recorder) s_.recorder->MuteChosen(state.muted);
    Changed();
  }
  for (std::int32_t k = 0; ThemesShown() && k < kThemeCount; ++k) {
    if (hit(kItemThemeFirst + k)) ChooseTheme(static_cast<ThemeId>(k));
  }
  return false;
}

void SettingsScreen::CursorKey(std::int32_t dx, std::int32_t dy) {
  if (dx != 0) {
    const std::int32_t k = std::clamp(static_cast<std::int32_t>(s_.state.motion) + dx, 0, 2);
    if (k != static_cast<std::int32_t>(s_.state.motion)) ChooseMotion(k);
  }
  if (dy != 0) StepVolume(-dy);
}

void SettingsScreen::MuteChanged() {
  if (s_.state.screenMode == MODE_SETTINGS) s_.effects.InvalidateAll();
}

void SettingsScreen::ChooseMotion(std::int32_t k) {
  s_.state.motion = static_cast<Motion>(k);
  if (s_.recorder) s_.recorder->AnimationChosen(static_cast<SavedAnimation>(k));
  Changed();
}

void SettingsScreen::StepVolume(std::int32_t steps) {
  s_.state.volume = std::clamp(s_.state.volume + steps * kVolumeStep, 0, 100);
  if (s_.recorder) s_.recorder->VolumeChosen(s_.state.volume);
  Changed();
}

void SettingsScreen::ChooseTheme(ThemeId theme) {
  s_.state.theme = theme;
  if (s_.recorder) s_.recorder->ThemeChosen(theme);
  // The window takes up the theme's pictures, or stays in Classic without
  // them (the choice is kept all the same).
  s_.effects.ThemeChanged();
  Changed();
}

// Every change shows at once, and is heard: the button's sound at the new
// volume, none once muted.
void SettingsScreen::Changed() {
  s_.effects.SoundSettingsChanged();
  s_.effects.PlaySound(Sound::kButton);
  s_.effects.InvalidateAll();
}

}  // namespace qw
