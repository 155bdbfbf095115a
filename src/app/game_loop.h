// One game loop for every front end: the game window, the command bar below
// it and the frame both are shown in; input routed to them, paints gathered
// into the frame, the changed part presented, and the game's own message box
// over it. A front end (the SDL window on the desktop, the canvas in a
// browser) only waits for input, presents, keeps time and shows the system's
// message box for the load failures that come before the game's art.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "app/game_window.h"
#include "platform/font.h"
#include "platform/input_event.h"
#include "platform/surface.h"
#include "platform/toolbar.h"
#include "ui/client_area.h"
#include "ui/keyboard.h"
#include "ui/message_box.h"

namespace qw {

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
  // A note has just been put in the command bar.
  virtual void NoteShown(const std::wstring& /*text*/) {}
  virtual void CapturePointer(bool captured) = 0;
  // Milliseconds since some fixed start, for the tooltip's delay.
  virtual std::uint64_t NowMs() const = 0;
};

class GameLoop final : private WindowHost {
 public:
  static constexpr std::int32_t kFrameHeight = kClientHeight + Toolbar::kHeight;

  GameLoop(FrontEnd& front, const std::string& dataFolder, Surface pieceStrip, Surface toolbarStrip);
  ~GameLoop() override;

  // Loads the data files; false (after the message boxes) when one fails.
  bool Create();
  bool running() const { return game_.running(); }

  // One input event; what it changes is presented by the next Flush.
  void Handle(const InputEvent& e);
  // The timer: shows a tooltip whose delay has passed.
  void Tick();
  // Milliseconds until Tick is due, or nothing while no timer is needed.
  std::optional<std::int32_t> TimeoutMs() const;
  // Runs the pending paints and presents what changed since the last time.
  void Flush();

  const Surface& frame() const { return frame_; }
  GameWindow& game() { return game_; }
  // The message box on show, or null.
  const MessageBox* messageBox() const { return box_ ? &*box_ : nullptr; }

 private:
  // WindowHost
  void ShowMessage(const std::wstring& text) override;
  void CapturePointer(bool captured) override { front_.CapturePointer(captured); }
  void ToolbarVisibilityChanged(bool visible) override { toolbar_.SetVisible(visible); }
  void ShowNote(const std::wstring& text) override {
    toolbar_.ShowNote(text, front_.NowMs());
    front_.NoteShown(text);
  }

  // While a box shows, the pen and the keys reach only the box.
  void HandleInBox(const InputEvent& e);
  // Opens the next waiting message, if any.
  void OpenNextMessage();
  void PointerDown(Point p);
  void PointerMove(Point p);
  void PointerUp(Point p);
  void Key(const InputEvent& e);

  FrontEnd& front_;
  Toolbar toolbar_;
  GameWindow game_;
  std::unique_ptr<Font> barFont_;
  Surface frame_;
  Rect changed_;  // to present again without a new paint
  bool penInGame_ = false;
  bool barPress_ = false;
  // The game's messages: the one on show and those waiting for it to close,
  // in the order the game gave them. Until Create has succeeded they go to
  // the front end's system box instead.
  bool ownBoxes_ = false;
  std::optional<MessageBox> box_;
  std::deque<std::wstring> waiting_;
};

}  // namespace qw
