// Input from the window, free of SDL: pointer positions are already mapped to
// frame pixels (the game's client area on top, the command bar below it).
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace qw {

enum class Key : std::uint8_t {
  Unknown,
  Letter,  // A to Z or 0 to 9; see InputEvent::letter
  Escape,
  Enter,
  Backspace,
  Delete,
  Left,
  Right,
  F11,
  Up,
  Down,
  Space,
};

struct InputEvent {
  enum class Type : std::uint8_t {
    None,
    PointerDown,  // left button or touch
    PointerMove,
    PointerUp,
    PointerLeave,  // the pointer left the window
    Wheel,         // wheel: positive away from the user
    KeyDown,
    Close,    // the window's close button
    Redraw,   // exposed, resized or rescaled: everything must be repainted
    Command,  // a toolbar command by its identifier, as the bar's buttons send it
  };
  Type type = Type::None;
  Point point;  // frame pixels, for pointer events
  std::int32_t wheel = 0;
  Key key = Key::Unknown;
  char letter = 0;  // 'A'..'Z' or '0'..'9' for Key::Letter
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  bool repeat = false;       // a key held down
  std::int32_t command = 0;  // for Command
  // The handheld's pen, as script mode plays it: the point is a point of the
  // game's client area wherever it lies, and presses go to the game even
  // below it (the command bar still sees the pen's moves).
  bool pen = false;
};

}  // namespace qw
