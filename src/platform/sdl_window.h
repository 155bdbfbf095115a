// The real window on the desktop: an SDL window that shows a fixed-size frame
// (the game's client area with the command bar below it) at a crisp integer
// scale, letterboxed in fullscreen, and turns SDL's events into InputEvents
// with pointer positions in frame pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/geometry.h"
#include "platform/input_event.h"
#include "platform/surface.h"

namespace qw {

struct WindowConfig {
  std::string title;
  std::int32_t frameWidth = 0;
  std::int32_t frameHeight = 0;
  std::int32_t scale = 0;         // 0: the largest scale whose window fits the desktop
  const Surface* icon = nullptr;  // optional
  // With scale 0: the scale the player chose last time, taken when the
  // window still fits the desktop at it (else the largest that does); 0: none.
  std::int32_t rememberedScale = 0;
};

class SdlWindow {
 public:
  // nullptr, with a one-line reason in `error`, when no window can be opened
  // (no display, for instance).
  static std::unique_ptr<SdlWindow> Create(const WindowConfig& config, std::string& error);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // Sleeps until an event arrives, or until timeoutMs has passed when it is
  // not negative. False on timeout. Events the game has no use for come back
  // as Type::None.
  bool WaitEvent(InputEvent& event, std::int32_t timeoutMs);
  // Milliseconds since start, for timers such as tooltips.
  std::uint64_t NowMs() const;

  // Uploads the changed part of the frame and shows the whole frame.
  void Present(const Surface& frame, const Rect& changed);
  void ToggleFullscreen();
  // A modal message box owned by the window, with one OK button.
  void ShowMessage(const std::string& utf8Text);
  // While captured, pointer moves and the release reach the window even
  // outside it.
  void CapturePointer(bool captured);
  // The system's clipboard, as UTF-8: false when the text cannot be put
  // there; empty when it holds no text.
  bool CopyText(const std::string& utf8Text);
  std::string PastedText();

  std::int32_t scale() const { return drawScale_; }
  // The scale of the window when not fullscreen, in the unit of
  // WindowConfig::scale (window size over frame size), and whether it is
  // fullscreen now: the player's choice, kept for the next start.
  std::int32_t windowedScale() const { return windowedScale_; }
  bool fullscreen() const { return fullscreen_; }

 private:
  struct Handles;
  explicit SdlWindow(std::unique_ptr<Handles> handles, std::int32_t frameWidth,
                     std::int32_t frameHeight);
  void UpdatePlacement();
  Point ToFrame(std::int32_t windowX, std::int32_t windowY) const;

  std::unique_ptr<Handles> sdl_;
  std::int32_t frameWidth_;
  std::int32_t frameHeight_;
  std::int32_t drawScale_ = 1;
  Rect target_;                  // where the frame lands, in output pixels
  double pixelsPerPoint_ = 1.0;  // output pixels per window coordinate (high DPI)
  bool fullscreen_ = false;
  std::int32_t windowedScale_ = 1;
};

}  // namespace qw
