// What the game asks of its window: repaints, the toolbar and the state of
// its undo and redo, a modal message box, pointer capture and the end of the
// window's run. The game loop implements it; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

#include "platform/geometry.h"
#include "platform/sound.h"

namespace qw {

class WindowEffects {
 public:
  virtual ~WindowEffects() = default;
  // Both invalidations leave the background as it is.
  virtual void InvalidateRect(const Rect& rect) = 0;
  virtual void InvalidateAll() = 0;
  virtual void ShowToolbar(bool visible) = 0;
  // A modal message box owned by the window. It may return before the box
  // is closed: the window then keeps the game's input and paints from the
  // player until it is.
  virtual void ShowMessage(const std::wstring& text) = 0;
  virtual void CapturePointer() = 0;
  virtual void ReleasePointer() = 0;
  // Ends the window's modal run; the game then ends.
  virtual void EndModalRun() = 0;
  // A short note in the command bar, shown for a few seconds.
  virtual void ShowNote(const std::wstring& /*text*/) {}
  // Whether an undo, a redo and a hint would act now; told whenever one of
  // them changes.
  virtual void StepButtonsChanged(bool /*canUndo*/, bool /*canRedo*/, bool /*canHint*/) {}
  // Puts text on the system's clipboard; false when there is none to use.
  virtual bool CopyText(const std::wstring& /*text*/) { return false; }
  // The window's clock, in milliseconds: what times the water's run.
  virtual std::uint64_t NowMs() const { return 0; }
  // Starts a sound, or ends one that is still playing.
  virtual void PlaySound(Sound /*sound*/) {}
  virtual void StopSound(Sound /*sound*/) {}
  // The volume or mute has just changed.
  virtual void SoundSettingsChanged() {}
  // The state's theme has just changed: the window takes up its art.
  virtual void ThemeChanged() {}
};

// A window that shows nothing: for tools that drive the game headless.
class NoWindowEffects : public WindowEffects {
 public:
  void InvalidateRect(const Rect&) override {}
  void InvalidateAll() override {}
  void ShowToolbar(bool) override {}
  void ShowMessage(const std::wstring&) override {}
  void CapturePointer() override {}
  void ReleasePointer() override {}
  void EndModalRun() override {}
};

}  // namespace qw
