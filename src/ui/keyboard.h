// Keys for desktop players. A key only does what the game's own inputs do:
// a toolbar command, the OK action, or a tap on a key of the password screen.
#pragma once

#include <cstdint>

#include "data/layout.h"
#include "platform/geometry.h"
#include "platform/input_event.h"
#include "ui/ui_state.h"

namespace qw {

struct KeyAction {
  // Cursor: move the keyboard cursor, or the menu's highlight, by (dx, dy);
  // Pick: pick up or drop the piece under the cursor; Activate: press the
  // highlighted menu button; Daily: play today's daily puzzle; Random: play a
  // random level of `grade`, or for 0 of the grade chosen last. Type: a
  // character typed on the code screen (`letter`, '\b' rubs one out);
  // Paste: the clipboard's text pasted; Share: the code of the level shown
  // copied; EnterCode: the code screen opens; Mute: turn the sound off, or
  // back on; Settings: open the settings screen.
  enum class Kind : std::uint8_t {
    None,
    Command,
    Ok,
    Tap,
    Cursor,
    Pick,
    Activate,
    Daily,
    Random,
    Type,
    Paste,
    Share,
    EnterCode,
    Mute,
    Settings,
    Tool,
    Create,
    TestPlay,
    Save
  };
  Kind kind = Kind::None;
  ToolbarCommand command = ID_ROTATE_CCW;  // for Kind::Command
  Point tap;                               // for Kind::Tap: where the pen touches and lifts
  std::int32_t dx = 0;                     // for Kind::Cursor
  std::int32_t dy = 0;
  std::int32_t grade = 0;  // for Kind::Random; for Kind::Tool the palette's entry
  char letter = 0;         // for Kind::Type
};

// The modifier keys held with a key.
struct KeyMods {
  bool ctrl = false;
  bool shift = false;
};

// The arrow keys move the cursor in play and the highlight on the menu;
// Space and Enter pick up and drop in play, Enter presses the menu's
// highlighted button and the solved and failed screens' button. Z turns the
// selection counter-clockwise, X clockwise,
// R restarts, P opens password entry, H asks for a hint, Escape is the OK
// action; Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, and Ctrl with any
// other key does nothing. On the password screen the keypad's letters tap
// their key, Enter taps confirm, Delete and Backspace tap clear, and other
// letters do nothing. On the menu D plays today's daily puzzle, 1 to 5 a
// random level of that grade and R a random level of the grade chosen last.
// Shared levels: Ctrl+V pastes a code on the menu, the chooser and the code
// screen; C on the menu opens the code screen, where letters and digits
// type, Backspace and Delete rub out and Enter plays; S on the chooser and
// the solved screen shares the level's code. On the settings screen Left and
// Right make the water slower or faster, Up and Down turn the volume up or
// down, M mutes and Enter, like Escape, goes back to the menu. In the level
// editor the arrows move the cursor over the board, Space and Enter act on
// its cell, 1 to 5 choose from the palette, Z and X turn the nozzle, T
// tries the level out, Ctrl+S saves it, S shares it, N names it (the keys
// then type its title, Enter keeps it and Escape does not) and Escape goes
// back. On the chooser E opens a new level in the editor.
KeyAction MapKey(Key key, char letter, ScreenMode screenMode, const Layout& layout,
                 KeyMods mods = {});

// The mouse wheel turns the selection: away from the user counter-clockwise.
KeyAction MapWheel(std::int32_t wheel);

}  // namespace qw
