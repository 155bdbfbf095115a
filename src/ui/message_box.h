// A message box in the game's own art, drawn over the client area: a framed
// panel with a title band, the text (broken into lines at its line breaks
// and between words) and an OK button. It is modal: while it is open, every
// pen event and key belongs to it. Enter, Escape, Space and a click on OK
// close it. It draws onto any canvas, so a window, the headless mode or a
// test can show it.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/input_event.h"
#include "platform/theme.h"

namespace qw {

class Font;

class MessageBox {
 public:
  // The texts every box shows besides its own.

  // font may be null: the box then keeps its size but shows no text.
  MessageBox(const Font* font, const std::wstring& text);

  bool open() const { return open_; }
  void Close() { open_ = false; }

  // The pen and the keys; true when the event closed the box. Held keys
  // that repeat close nothing: the key that opened the box may still be down.
  bool OnEvent(const InputEvent& e);

  // Everything the box covers (the panel and its shadow), in client pixels.
  Rect Bounds() const;
  Rect Panel() const { return panel_; }
  Rect OkButton() const { return ok_; }
  // The lines the text was broken into, in order.
  const std::vector<std::wstring>& lines() const { return lines_; }
  // The rectangle of line i: as wide as the panel's inside, one line high.
  Rect LineRect(std::size_t i) const;

  void Paint(Canvas& canvas, const Theme& theme = kClassicTheme) const;

 private:
  std::int32_t TextWidth(const std::wstring& text) const;

  const Font* font_;
  std::vector<std::wstring> lines_;
  Rect panel_;
  Rect ok_;
  bool open_ = true;
  bool pressed_ = false;        // the pen went down on OK
  bool pressedInside_ = false;  // ... and is over it now
};

}  // namespace qw
