// The screen flow: the menu (its buttons, highlight and keys), the
// instructions, the password screen, the solved and failed screens' buttons
// and the level chooser, and the way between them. What starts a level is
// the launcher's; what changes the puzzle is play input's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/layout_items.h"
#include "platform/geometry.h"
#include "ui/level_chooser.h"
#include "ui/level_launcher.h"
#include "ui/play_input.h"
#include "ui/session.h"
#include "ui/settings_screen.h"

namespace qw {

class ScreenFlow {
 public:
  ScreenFlow(Session& session, LevelLauncher& launcher, PlayInput& play)
      : s_(session),
        launcher_(launcher),
        play_(play),
        chooser_(session.levels),
        settings_(session) {
    chooser_.ShowCreate(static_cast<std::int32_t>(session.layout.size()) >= kEditorItemsEnd);
  }

  void MenuPenDown(Point p);
  void MenuPenMove(Point p);
  // Presses the menu button the last pen down or move highlighted.
  void MenuPenUp();
  void MenuCursorKey(std::int32_t dx, std::int32_t dy);
  void HelpPenUp();
  void PasswordPenUp(Point p);
  void SolvedPenDown(Point p);
  void FailedPenDown(Point p);
  // The settings screen, from the menu's gear or S; Back returns to the menu.
  void OpenSettings() { settings_.Open(); }
  void SettingsPenDown(Point p) {
    if (settings_.PenDown(p)) EnterMenu(true);
  }
  void SettingsCursorKey(std::int32_t dx, std::int32_t dy) { settings_.CursorKey(dx, dy); }
  void SettingsMuteChanged() { settings_.MuteChanged(); }
  // The password screen, from the toolbar, the menu or a key.
  void OpenPassword();
  // The OK action: puts a carried piece back, or goes back to the menu, or
  // on the menu ends the game.
  void Ok();
  // The menu with Continue shown when a level is in play.
  void EnterMenu(bool hideToolbar);
  // The level chooser, at `entry`, or else at the level in play, or else at
  // the first level not solved.
  void OpenChooser(std::optional<std::int32_t> entry = std::nullopt);
  // The chooser acts on pen up, but only for a press that began on it: the
  // press that leaves a solved generated level for the chooser must not
  // start the row under it. Every pen press says where it began.
  void NotePress(bool onChooser) { chooserPressed_ = onChooser; }
  void ChooserPenUp(Point p);
  void ChooserCursorKey(std::int32_t dx, std::int32_t dy);
  // Enter: the chooser's highlighted level starts.
  void ChooserActivate() { ChooserStart(s_.state.chooserEntry); }
  // A pen press anywhere: the chooser's press mark is taken.
  bool TakeChooserPress();

  // Shared levels (code_screen.cpp). The code screen opens from the menu
  // and the chooser: letters and digits type, '\b' rubs one out, a paste
  // adds the clipboard's code (and opens the screen from the menu or the
  // chooser), Play or Enter starts its level. A code that does not read is
  // refused in a box that says why, and nothing else changes.
  void OpenCodeEntry();
  // A press on the menu: true when it was on the Enter code button (item
  // 61, in a layout that has it), which opens the code screen.
  bool MenuCodePress(Point p);
  void CodeKey(char letter);
  void Paste(const std::string& text);
  void CodePenUp(Point p);
  // Plays the level of `code` (from any screen: the page's address names
  // one too), or refuses it in a box, nothing else changed.
  void PlayCode(std::string_view code);
  // Copies the code of the level shown (the solved level, the chooser's
  // highlighted one) to the clipboard and says so in the bar; without a
  // clipboard a box shows the code.
  void Share();
  // Items 43 to 46 are in the layout: the Share and Code buttons and the
  // code screen.
  bool HasCodes() const;

  void SetRecorder(ProgressRecorder* recorder);
  void ShowGenerated(bool shown) { chooser_.ShowGenerated(shown); }
  const LevelChooser& chooser() const { return chooser_; }
  // Where the entered letters are drawn: from item 24's top-left corner,
  // 20 pixels high, to the client area's right edge.
  Rect GlyphRow() const;

 private:
  // Items 25 and up are in the layout: Continue, Levels and the chooser.
  bool HasExtras() const;
  bool MenuButtonShown(std::int32_t button) const;
  // Highlights the menu button under p, as a press or a move over it does.
  void MenuHighlight(Point p);
  Rect MenuButtonRect(std::int32_t button) const;
  void EnteredPasswordChanged();
  // Where the game goes once a solved generated level has been
  // acknowledged: the chooser at its entry, or the menu.
  void LeaveGeneratedLevel();
  void ChooserHighlight(std::int32_t entry);
  void ChooserStart(std::int32_t entry);
  // The code of the chooser's entry, or the note that says why it has none.
  std::optional<std::string> ChooserCode(std::int32_t entry, std::wstring& why) const;

  Session& s_;
  LevelLauncher& launcher_;
  PlayInput& play_;
  LevelChooser chooser_;
  bool chooserPressed_ = false;  // the pen went down on the chooser
  SettingsScreen settings_;
};

}  // namespace qw
