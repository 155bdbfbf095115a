// Input events as a front end hands them to the game, and pictures compared
// pixel by pixel: for the tests that drive the game's loop, its box and its bar.
#pragma once

#include "platform/input_event.h"
#include "platform/surface.h"

namespace qw::testing {

inline InputEvent KeyEvent(Key key, char letter = 0, bool repeat = false) {
  InputEvent e;
  e.type = InputEvent::Type::KeyDown;
  e.key = key;
  e.letter = letter;
  e.repeat = repeat;
  return e;
}

inline InputEvent PointerEvent(InputEvent::Type type, Point p) {
  InputEvent e;
  e.type = type;
  e.point = p;
  return e;
}

// Whether a and b hold the same pixels inside r.
inline bool SamePixels(const Surface& a, const Surface& b, const Rect& r) {
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    for (std::int32_t x = r.left; x < r.right; ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    }
  }
  return true;
}

}  // namespace qw::testing
