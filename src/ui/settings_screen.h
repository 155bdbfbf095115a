// The settings screen, opened by the menu's gear (or S on the menu): how the
// water moves (Off, Normal, Fast), the sound's volume in steps of ten,
// mute, and the theme (Classic, Dark, High contrast). Each change applies at once and is kept with the player's progress.
// Only a layout that has its items (47 and up) has the screen and the gear.
#pragma once

#include "platform/geometry.h"
#include "ui/session.h"

namespace qw {

class SettingsScreen {
 public:
  static constexpr std::int32_t kVolumeStep = 10;

  explicit SettingsScreen(Session& session) : s_(session) {}

  bool Available() const;
  // A layout with the theme row's items offers the choice of theme.
  bool ThemesShown() const;
  void Open();
  // A press on the menu: true when it was on the gear, which opens the screen.
  bool MenuPress(Point p);
  // A press on the screen; true when it was on Back.
  bool PenDown(Point p);
  // The arrow keys: Left and Right make the water slower or faster, Up and
  // Down turn the volume up or down by a step.
  void CursorKey(std::int32_t dx, std::int32_t dy);
  // Mute turned on or off from anywhere (M) shows on the screen at once.
  void MuteChanged();

 private:
  void Changed();
  void ChooseMotion(std::int32_t k);
  void StepVolume(std::int32_t steps);
  void ChooseTheme(ThemeId theme);

  Session& s_;
};

}  // namespace qw
