// The game's controller: where the pen, the keys and the toolbar's commands
// enter the game. It sends each to the part that owns it on the screen shown
// (play input on the play screen, the screen flow on the others, the level
// launcher for what starts a level), shows the puzzle's outcome the moment a
// step decides it, never draws, and invalidates exactly the rectangles whose
// picture changed. The parts share one Session.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/puzzle.h"
#include "platform/geometry.h"
#include "ui/editor_screen.h"
#include "ui/level_launcher.h"
#include "ui/play_input.h"
#include "ui/screen_flow.h"
#include "ui/session.h"

namespace qw {

class GameController {
 public:
  GameController(Puzzle& puzzle, const Layout& layout, const std::vector<LevelRecord>& levels,
                 WindowEffects& effects);
  GameController(const GameController&) = delete;
  GameController& operator=(const GameController&) = delete;

  // Pen points: any values; each is clamped to ±kCoordinateLimit first.
  void OnPenDown(Point p);
  void OnPenMove(Point p);
  void OnPenUp(Point p);
  void OnRotateClockwise();
  void OnRotateCounterClockwise();
  void OnPasswordCommand() { flow_.OpenPassword(); }
  // The OK action; in the editor it goes back as its Back button does.
  void OnOkCommand();
  void OnCommand(ToolbarCommand command);
  // Takes the last step back, on the play screen and on the failed one,
  // which then returns to play; the solved screen stays final.
  void OnUndo() { session_.TakeBack(false); }
  // Makes the last undone step again, on the play screen.
  void OnRedo() { session_.TakeBack(true); }
  // Makes the hint source's step as an ordinary step of the player's, on
  // the play screen; a take-back or no step leaves a note in the bar.
  void OnHint();
  // Keyboard play: in play the cursor key moves the cursor over the tray and
  // board; on the menu it moves the highlight; in the chooser Up and Down move
  // the highlight, Left and Right turn the page.
  void OnCursorKey(std::int32_t dx, std::int32_t dy);
  // Picks up the piece under the cursor, or drops the carried one there.
  void OnPickKey();
  // Presses the menu's highlighted button, or starts the chooser's.
  void OnActivateKey();
  // The menu's keys for generated levels: today's daily puzzle, and a random
  // level of a grade (1..5) or, for 0, of the grade chosen last.
  void OnDailyKey();
  void OnRandomKey(std::int32_t grade);
  // Shared levels: a character typed on the code screen ('\b' rubs one
  // out), the clipboard's text pasted on the menu, the chooser or the code
  // screen, the code of the level shown copied (chooser, solved screen), and
  // the code screen opened from the menu or the chooser.
  void OnCodeKey(char letter);
  void OnPaste(const std::string& text);
  void OnShare() {
    if (session_.state.screenMode == MODE_EDITOR) {
      EditorActs(EditorAction::kShare);
    } else {
      flow_.Share();
    }
  }
  void OnEnterCode();
  // Plays the level of a code from anywhere, or refuses the code in a box
  // and leaves the game as it was.
  void PlayCode(std::string_view code) { flow_.PlayCode(code); }
  // The menu's S: the settings screen, where the layout has one.
  void OnSettingsKey() {
    if (session_.state.screenMode == MODE_MENU) flow_.OpenSettings();
  }

  // Where hints come from; none: the hint does nothing. Must outlive the
  // controller.
  void SetHintSource(HintSource* source) {
    session_.hints = source;
    session_.SyncStepButtons();
  }
  // The level editor: a new level (Create level), or one to change.
  void OpenEditor(Draft draft = Draft{}, std::int32_t own = -1) {
    editor_.Open(std::move(draft), own);
  }
  // An edit from a script or a tool, made as the screen makes it.
  bool MakeEdit(const Edit& edit) {
    return session_.state.screenMode == MODE_EDITOR && editor_.Make(edit);
  }
  // The verdict on a revision of the level in the editor, when it arrives.
  void VerdictArrived(const EditorVerdict& verdict) { editor_.VerdictArrived(verdict); }
  // The editor's keys for its buttons.
  void OnEditorKey(EditorAction action) {
    if (session_.state.screenMode == MODE_EDITOR) EditorActs(action);
  }
  // The chooser's E: Create level, a new level in the editor.
  void OnCreateKey();
  // The editor's 1 to 5: the palette's entry 0 to 4.
  void OnToolKey(std::int32_t tool);
  // Where verdicts come from. Must outlive the controller.
  void SetVerdictSource(VerdictSource* source) { editor_.SetVerdictSource(source); }
  // The player's own levels. Must outlive the controller.
  void SetOwnLevels(OwnLevels* own) {
    session_.ownLevels = own;
    editor_.SetOwnLevels(own);
  }
  const EditorScreen& editor() const { return editor_; }

  // Where progress is recorded; none: nothing is, and Continue never shows.
  // Must outlive the controller.
  void SetRecorder(ProgressRecorder* recorder);
  // Where generated levels come from; none: they cannot be played. Must
  // outlive the controller.
  void SetGeneratedLevelSource(GeneratedLevelSource* source);

  using Start = LevelLauncher::Start;
  // Starts level index in play (nothing happens when there is no such
  // level); the toolbar shows.
  void StartLevel(std::int32_t index, Start how = Start::kFresh) {
    launcher_.StartLevel(index, how);
  }
  // The menu's Continue: the level in play as it was left.
  void ContinueLevel() { launcher_.Continue(); }
  // The menu's Levels: the level chooser, at `entry`, or else at the level in
  // play, or else at the first level not solved.
  void OpenChooser(std::optional<std::int32_t> entry = std::nullopt) { flow_.OpenChooser(entry); }
  // Makes the chosen generated level (a shared level as it is) and starts it
  // in play. Its solved screen's button goes straight back to the chooser,
  // with no password. False, with nothing changed, without a source or when
  // the level cannot be made.
  bool StartGeneratedLevel(const GeneratedLevelChoice& choice) {
    return launcher_.StartGenerated(choice);
  }

  // How the water moves after a step; the water's run moves on with the
  // window's clock, and completes at once before any press, key or command.
  void SetMotion(Motion motion) { session_.state.motion = motion; }
  Motion motion() const { return session_.state.motion; }
  // The sound's volume 0..100 and mute, kept with the screen's state for the
  // settings screen; the window plays by them.
  void SetVolume(std::int32_t volume) { session_.state.volume = std::clamp(volume, 0, 100); }
  void SetMuted(bool muted) {
    session_.state.muted = muted;
    flow_.SettingsMuteChanged();
  }
  void SetTheme(ThemeId theme) { session_.state.theme = theme; }
  void AdvanceWater() { session_.AdvanceWater(); }
  void FinishWater() { session_.FinishWater(); }
  // Something on screen moves: the water or a burst.
  bool Animating() const { return session_.state.water.running(); }

  const UiState& state() const { return session_.state; }
  const History& history() const { return session_.history; }
  const LevelChooser& chooser() const { return flow_.chooser(); }
  const BoardGeometry& geometry() const { return session_.geometry; }
  // The generated level in play or last played; nothing once a table level
  // starts.
  const std::optional<GeneratedLevelChoice>& generatedLevel() const { return session_.generated; }
  bool CanUndo() const { return session_.CanUndo(); }
  bool CanRedo() const { return session_.CanRedo(); }
  // Whether the hint button acts now; it looks faded where it does not.
  bool CanHint() const { return session_.CanHint(); }
  Rect GlyphRow() const { return flow_.GlyphRow(); }

 private:
  // What a press on the editor's buttons asks for.
  void EditorActs(EditorAction action);

  Session session_;
  PlayInput play_;
  LevelLauncher launcher_;
  ScreenFlow flow_;
  EditorScreen editor_;
};

}  // namespace qw
