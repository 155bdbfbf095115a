// What the screen shows beyond the puzzle itself: the screen mode, the pen's
// press, the highlighted menu button and the letters typed on the password
// screen. The controller owns it and the renderer reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/cell.h"
#include "platform/geometry.h"
#include "platform/theme.h"
#include "ui/water_run.h"

namespace qw {

enum class ScreenMode : std::int32_t {
  MODE_MENU = 0,
  MODE_HELP = 1,
  MODE_PLAY = 2,
  MODE_SOLVED = 3,
  MODE_FAILED = 4,
  MODE_PASSWORD = 5,
  MODE_LEVELS = 6,  // the level chooser
  MODE_EDITOR = 7,  // the level editor
  MODE_CODE = 8,    // a shared level's code typed or pasted
  MODE_SETTINGS = 9,
};
using enum ScreenMode;

// The toolbar's commands, by the identifiers its buttons send.
enum class ToolbarCommand : std::int32_t {
  ID_ROTATE_CCW = 32771,
  ID_ROTATE_CW = 32772,
  ID_RESTART = 32773,
  ID_PASSWORD = 32776,
  ID_UNDO = 32777,
  ID_REDO = 32778,
  ID_HINT = 32779,
};
using enum ToolbarCommand;

// The command a toolbar button's identifier stands for; nothing for any
// other number.
constexpr std::optional<ToolbarCommand> ToolbarCommandFromId(std::int32_t id) {
  switch (id) {
    case 32771: return ID_ROTATE_CCW;
    case 32772: return ID_ROTATE_CW;
    case 32773: return ID_RESTART;
    case 32776: return ID_PASSWORD;
    case 32777: return ID_UNDO;
    case 32778: return ID_REDO;
    case 32779: return ID_HINT;
    default: return std::nullopt;
  }
}

// The pen's press on a pipe piece.
struct PressState {
  std::int32_t buttonDown = 0;
  std::int32_t dragging = 0;
  Point lastPoint{-1, -1};
  Position dragSource;
};

struct UiState {
  ScreenMode screenMode = MODE_MENU;
  PressState press;
  // The highlighted menu button 0..3, 4 Continue, 5 Levels, or -1.
  std::int32_t hoveredButton = -1;
  // The menu shows Continue: a level is in play.
  bool continueShown = false;
  // The chooser's highlighted entry; its page is the one shown.
  std::int32_t chooserEntry = 0;
  // The solved screen's line about the level's best, when progress is kept.
  std::wstring solvedBest;
  // The solved screen of a random level offers another of its grade.
  bool anotherShown = false;
  // The letters typed on the keypad, in order; no length limit.
  std::wstring enteredPassword;
  // The code typed or pasted on the code screen, as the player gave it.
  std::string enteredCode;
  // The keyboard cursor over a tray slot or board cell; kNoPosition while
  // hidden.
  Position cursor;
  // The press is the keyboard's: the piece travels with the cursor.
  bool keyCarry = false;
  // The water on the move after a step, and the bursts it sets off.
  WaterRun water;
  // The player's settings: how the water moves, the sound's volume 0..100
  // and whether it is muted.
  Motion motion = Motion::kOff;
  std::int32_t volume = 80;
  bool muted = false;
  // The look every screen is drawn in.
  ThemeId theme = ThemeId::kClassic;
};

}  // namespace qw
