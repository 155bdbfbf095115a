#include "ui/controller.h"

#include "data/layout_items.h"
#include "ui/game_texts.h"

namespace qw {

GameController::GameController(Puzzle& puzzle, const Layout& layout,
                               const std::vector<LevelRecord>& levels, WindowEffects& effects)
    : session_(puzzle, layout, levels, effects),
      play_(session_),
      launcher_(session_),
      flow_(session_, launcher_, play_),
      editor_(session_) {
  session_.openEditor = [this](const LevelRecord* level, std::int32_t own) {
    if (!editor_.Available()) return;
    std::string why;
    std::optional<Draft> draft = level ? FromRecord(*level, &why) : Draft{};
    if (!draft) {
      session_.effects.ShowMessage(kCannotEditMessage + std::wstring(why.begin(), why.end()));
      return;
    }
    editor_.Open(std::move(*draft), own);
  };
  session_.endTestPlay = [this] {
    session_.testPlay = false;
    session_.DropWater();
    editor_.Reopen();
  };
  session_.SyncStepButtons();
}

void GameController::SetRecorder(ProgressRecorder* recorder) {
  session_.recorder = recorder;
  flow_.SetRecorder(recorder);
}

void GameController::SetGeneratedLevelSource(GeneratedLevelSource* source) {
  launcher_.SetSource(source);
  flow_.ShowGenerated(source != nullptr);
}

// Every pen point enters the game through these three, from the window, the
// browser, scripts and tools alike: each is clamped here, once.
void GameController::OnPenDown(Point p) {
  p = ClampPoint(p);
  if (session_.state.screenMode == MODE_EDITOR) {
    EditorActs(editor_.PenDown(p));
    return;
  }
  session_.HideCursor();  // the pen takes over from the keys
  flow_.NotePress(session_.state.screenMode == MODE_LEVELS);
  switch (session_.state.screenMode) {
    case MODE_MENU: flow_.MenuPenDown(p); break;
    case MODE_PLAY: play_.PenDown(p); break;
    case MODE_SOLVED: flow_.SolvedPenDown(p); break;
    case MODE_FAILED: flow_.FailedPenDown(p); break;
    case MODE_SETTINGS: flow_.SettingsPenDown(p); break;
    default: break;  // the instructions, password and chooser screens act on pen up
  }
}

void GameController::OnPenMove(Point p) {
  p = ClampPoint(p);
  if (session_.state.keyCarry) return;
  if (session_.state.screenMode == MODE_EDITOR) {
    editor_.PenMove(p);
  } else if (session_.state.screenMode == MODE_MENU) {
    flow_.MenuPenMove(p);
  } else if (session_.state.screenMode == MODE_PLAY) {
    play_.PenMove(p);
  }
}

void GameController::OnPenUp(Point p) {
  p = ClampPoint(p);
  if (session_.state.keyCarry) return;
  session_.effects.ReleasePointer();
  const bool chooserPressed = flow_.TakeChooserPress();
  switch (session_.state.screenMode) {
    case MODE_MENU: flow_.MenuPenUp(); break;
    case MODE_HELP: flow_.HelpPenUp(); break;
    case MODE_PLAY: play_.PenUp(p); break;
    case MODE_PASSWORD: flow_.PasswordPenUp(p); break;
    case MODE_LEVELS:
      if (chooserPressed) flow_.ChooserPenUp(p);
      break;
    case MODE_CODE: flow_.CodePenUp(p); break;
    case MODE_EDITOR: editor_.PenUp(); break;
    default: break;  // the outcome screens' buttons act on pen down
  }
}

void GameController::OnRotateClockwise() {
  if (session_.state.screenMode == MODE_PLAY) play_.Turn(true);
}

void GameController::OnRotateCounterClockwise() {
  if (session_.state.screenMode == MODE_PLAY) play_.Turn(false);
}

void GameController::OnCommand(ToolbarCommand command) {
  if (session_.state.screenMode == MODE_EDITOR) {
    // The editor's undo and redo are its own; Z and X turn the nozzle.
    switch (command) {
      case ID_UNDO: editor_.Undo(); break;
      case ID_REDO: editor_.Redo(); break;
      case ID_ROTATE_CW: editor_.Make(Edit::TurnNozzle(1)); break;
      case ID_ROTATE_CCW: editor_.Make(Edit::TurnNozzle(7)); break;
      default: break;
    }
    return;
  }
  switch (command) {
    case ID_ROTATE_CCW: OnRotateCounterClockwise(); break;
    case ID_ROTATE_CW: OnRotateClockwise(); break;
    case ID_RESTART:
      if (session_.state.screenMode != MODE_MENU) play_.Restart();
      break;
    case ID_PASSWORD: OnPasswordCommand(); break;
    case ID_UNDO: OnUndo(); break;
    case ID_REDO: OnRedo(); break;
    case ID_HINT: OnHint(); break;
  }
}

void GameController::OnHint() {
  if (session_.state.screenMode == MODE_PLAY) {
    play_.Hint();
  } else if (session_.state.screenMode == MODE_FAILED && session_.TakeBack(false)) {
    // No step leads on from a lost board: the hint takes back the one that lost.
    session_.effects.ShowNote(kTookBackLossNote);
  }
}

void GameController::OnCursorKey(std::int32_t dx, std::int32_t dy) {
  switch (session_.state.screenMode) {
    case MODE_MENU: flow_.MenuCursorKey(dx, dy); break;
    case MODE_LEVELS: flow_.ChooserCursorKey(dx, dy); break;
    case MODE_PLAY: play_.CursorKey(dx, dy); break;
    case MODE_SETTINGS: flow_.SettingsCursorKey(dx, dy); break;
    case MODE_EDITOR: editor_.CursorKey(dx, dy); break;
    default: break;
  }
}

void GameController::OnPickKey() {
  if (session_.state.screenMode == MODE_PLAY) play_.PickKey();
  if (session_.state.screenMode == MODE_EDITOR) editor_.PickKey();
}

void GameController::OnOkCommand() {
  const ScreenMode mode = session_.state.screenMode;
  if (editor_.naming()) {
    editor_.EndNaming(false);
  } else if (mode == MODE_EDITOR) {
    EditorActs(EditorAction::kBack);
  } else if (session_.testPlay && !session_.state.keyCarry &&
             (mode == MODE_PLAY || mode == MODE_SOLVED || mode == MODE_FAILED)) {
    session_.endTestPlay();
  } else {
    flow_.Ok();
  }
}

void GameController::OnCreateKey() {
  if (session_.state.screenMode == MODE_LEVELS) session_.openEditor(nullptr, -1);
}

void GameController::OnToolKey(std::int32_t tool) {
  if (session_.state.screenMode == MODE_EDITOR) editor_.ChooseTool(tool);
}

void GameController::EditorActs(EditorAction action) {
  switch (action) {
    case EditorAction::kBack:
      // Back where levels are chosen, or to the menu of a layout without.
      if (static_cast<std::int32_t>(session_.layout.size()) >= kChooserItemsEnd) {
        flow_.OpenChooser();
      } else {
        flow_.EnterMenu(true);
      }
      break;
    case EditorAction::kTest:
      // Played as a shared level is: with undo and hints, its own history.
      if (editor_.Playable() &&
          launcher_.StartGenerated(GeneratedLevelChoice::Shared(ToRecord(editor_.draft()))))
        session_.testPlay = true;
      break;
    case EditorAction::kSave: editor_.Save(); break;
    case EditorAction::kShare: editor_.Share(); break;
    case EditorAction::kNone: break;
  }
}

void GameController::OnActivateKey() {
  if (editor_.naming()) {
    editor_.EndNaming(true);
  } else if (session_.state.screenMode == MODE_MENU) {
    if (session_.state.hoveredButton != -1) flow_.MenuPenUp();
  } else if (session_.state.screenMode == MODE_LEVELS) {
    flow_.ChooserActivate();
  } else if (session_.state.screenMode == MODE_CODE) {
    flow_.PlayCode(session_.state.enteredCode);
  } else if (session_.state.screenMode == MODE_SETTINGS) {
    flow_.Ok();  // Enter leaves the settings as Back does
  }
}

void GameController::OnCodeKey(char letter) {
  if (editor_.naming()) editor_.TypeTitle(letter);
  if (session_.state.screenMode == MODE_CODE) flow_.CodeKey(letter);
}

void GameController::OnPaste(const std::string& text) {
  const ScreenMode mode = session_.state.screenMode;
  if (mode == MODE_MENU || mode == MODE_LEVELS || mode == MODE_CODE) flow_.Paste(text);
}

void GameController::OnEnterCode() {
  const ScreenMode mode = session_.state.screenMode;
  if (mode == MODE_MENU || mode == MODE_LEVELS) flow_.OpenCodeEntry();
  if (mode == MODE_EDITOR) editor_.StartNaming();
}

void GameController::OnDailyKey() {
  if (session_.state.screenMode == MODE_MENU)
    launcher_.StartGenerated(GeneratedLevelChoice::Daily());
}

void GameController::OnRandomKey(std::int32_t grade) {
  if (session_.state.screenMode == MODE_MENU) launcher_.StartRandom(grade);
}

}  // namespace qw
