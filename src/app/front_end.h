// What the game loop asks of the place it runs in: the SDL window on the
// desktop, the canvas in a browser, or script mode's command reader. A front
// end shows frames and boxes and captures the pointer; it gives the loop its
// input as InputEvents and keeps the loop's clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/geometry.h"
#include "platform/surface.h"

namespace qw {

// Milliseconds since some fixed start: real time on the desktop and in the
// browser, a virtual clock in script mode.
using LoopClock = std::function<std::uint64_t()>;

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Shows the frame; only `changed` differs from the last one presented.
  virtual void Present(const Surface& frame, const Rect& changed) = 0;
  virtual void ToggleFullscreen() = 0;
  // The system's modal message box, for failures before the game has its
  // art; returns once it is closed.
  virtual void ShowMessage(const std::wstring& text) = 0;
  // The game's own box with this text has just opened in the frame, its OK
  // button at `ok`.
  virtual void MessageOpened(const std::wstring& /*text*/, const Rect& /*ok*/) {}
  // A note has just appeared in the command bar.
  virtual void NoteShown(const std::wstring& /*text*/) {}
  virtual void CapturePointer(bool captured) = 0;
  // The system's clipboard. CopyText puts a level's code there for the
  // player to paste elsewhere; false when it cannot (the game then shows the
  // code in its box). PastedText is what Ctrl+V pastes, empty for nothing.
  virtual bool CopyText(const std::string& /*text*/) { return false; }
  virtual std::string PastedText() { return {}; }
  // A theme's pictures are not in the data folder: true when the front end
  // fetches them (the browser's site keeps them apart from the game) and
  // hands them to the loop's ThemeArtArrived later.
  virtual bool FetchThemeArt(const std::string& /*name*/) { return false; }
};

}  // namespace qw
