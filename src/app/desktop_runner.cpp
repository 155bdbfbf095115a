#include "app/desktop_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "app/game_window.h"
#include "platform/font.h"
#include "platform/sdl_window.h"
#include "platform/toolbar.h"
#include "platform/utf8.h"
#include "ui/client_area.h"
#include "ui/controller.h"
#include "ui/keyboard.h"

namespace qw {

namespace {

constexpr std::int32_t kFrameHeight = kClientHeight + Toolbar::kHeight;
constexpr Rect kBarRect{0, kClientHeight, kClientWidth, kFrameHeight};

Point ToBar(Point p) { return Point{p.x, p.y - kClientHeight}; }

class DesktopHost final : public WindowHost {
 public:
  DesktopHost(SdlWindow& window, Toolbar& toolbar) : window_(window), toolbar_(toolbar) {}
  void ShowMessage(const std::wstring& text) override { window_.ShowMessage(ToUtf8(text)); }
  void CapturePointer(bool captured) override { window_.CapturePointer(captured); }
  void ToolbarVisibilityChanged(bool visible) override { toolbar_.SetVisible(visible); }
  void ShowNote(const std::wstring& text) override { toolbar_.ShowNote(text, window_.NowMs()); }

 private:
  SdlWindow& window_;
  Toolbar& toolbar_;
};

// The event loop: input first, then the paints it asked for, then one
// present. While idle it sleeps; it wakes on a timer only while a tooltip
// waits for its delay.
class DesktopLoop {
 public:
  DesktopLoop(SdlWindow& window, Toolbar& toolbar, GameWindow& game, const Font* barFont, bool reportFirstFrame)
      : window_(window), toolbar_(toolbar), game_(game), barFont_(barFont),
        frame_(kClientWidth, kFrameHeight), reportFirstFrame_(reportFirstFrame) {}

  void Run() {
    Rect changed = frame_.Bounds();
    while (game_.running()) {
      changed = UnionRect(changed, Paint());
      if (!changed.IsEmpty()) {
        window_.Present(frame_, changed);
        ReportFirstFrame();
      }
      changed = Rect{};
      InputEvent event;
      if (!window_.WaitEvent(event, Timeout())) {
        toolbar_.Tick(window_.NowMs());
        continue;
      }
      changed = UnionRect(changed, Handle(event));
      // Everything already queued is handled before the next paint.
      while (game_.running() && window_.WaitEvent(event, 0)) changed = UnionRect(changed, Handle(event));
    }
  }

 private:
  // For the start-up benchmark: one line once the first frame is shown.
  void ReportFirstFrame() {
    if (!reportFirstFrame_) return;
    reportFirstFrame_ = false;
    std::fputs("quenchway: first frame presented\n", stderr);
    std::fflush(stderr);
  }

  std::int32_t Timeout() const {
    const std::optional<std::uint64_t> due = toolbar_.TooltipDue();
    if (!due) return -1;
    const std::uint64_t now = window_.NowMs();
    return *due <= now ? 0 : static_cast<std::int32_t>(std::min<std::uint64_t>(*due - now, 60000));
  }

  Rect Paint() {
    Rect changed;
    if (const std::optional<Rect> painted = game_.PaintPending()) {
      const Surface& client = game_.client();
      for (std::int32_t y = painted->top; y < painted->bottom; ++y) {
        std::copy(client.Row(y) + painted->left, client.Row(y) + painted->right, frame_.Row(y) + painted->left);
      }
      changed = *painted;
    }
    toolbar_.SetEnabled(static_cast<std::int32_t>(ID_UNDO), game_.controller().CanUndo());
    toolbar_.SetEnabled(static_cast<std::int32_t>(ID_REDO), game_.controller().CanRedo());
    if (toolbar_.dirty()) {
      Canvas canvas(frame_);
      toolbar_.Paint(canvas, Point{kBarRect.left, kBarRect.top}, barFont_);
      changed = UnionRect(changed, kBarRect);
    }
    return changed;
  }

  // Returns what must be presented again without a new paint.
  Rect Handle(const InputEvent& e) {
    switch (e.type) {
      case InputEvent::Type::PointerDown: PointerDown(e.point); break;
      case InputEvent::Type::PointerMove: PointerMove(e.point); break;
      case InputEvent::Type::PointerUp: PointerUp(e.point); break;
      case InputEvent::Type::PointerLeave: toolbar_.PointerLeave(); break;
      case InputEvent::Type::Wheel: game_.Act(MapWheel(e.wheel)); break;
      case InputEvent::Type::KeyDown: Key(e); break;
      case InputEvent::Type::Close: game_.Cancel(); break;
      case InputEvent::Type::Redraw: return frame_.Bounds();
      default: break;
    }
    return Rect{};
  }

  void PointerDown(Point p) {
    if (PtInRect(kClientRect, p)) {
      penInGame_ = true;
      game_.PenDown(p);
    } else if (PtInRect(kBarRect, p)) {
      barPress_ = toolbar_.PointerDown(ToBar(p));
    }
  }

  void PointerMove(Point p) {
    if (barPress_ || PtInRect(kBarRect, p)) toolbar_.PointerMove(ToBar(p), window_.NowMs());
    if (barPress_) return;
    // Moves reach the game over its client area, and anywhere while a press
    // that started there lasts (the pointer is captured then).
    if (penInGame_ || PtInRect(kClientRect, p)) game_.PenMove(p);
  }

  void PointerUp(Point p) {
    if (barPress_) {
      barPress_ = false;
      if (const std::optional<std::int32_t> id = toolbar_.PointerUp(ToBar(p))) {
        if (const std::optional<ToolbarCommand> command = ToolbarCommandFromId(*id)) game_.Command(*command);
      }
      return;
    }
    if (penInGame_ || PtInRect(kClientRect, p)) game_.PenUp(p);
    penInGame_ = false;
  }

  void Key(const InputEvent& e) {
    if (e.key == qw::Key::F11 || (e.key == qw::Key::Enter && e.alt)) {
      if (!e.repeat) window_.ToggleFullscreen();
      return;
    }
    game_.KeyDown(e.key, e.letter, KeyMods{e.ctrl, e.shift}, e.repeat);
  }

  SdlWindow& window_;
  Toolbar& toolbar_;
  GameWindow& game_;
  const Font* barFont_;
  Surface frame_;
  bool penInGame_ = false;
  bool barPress_ = false;
  bool reportFirstFrame_;
};

std::vector<ToolButton> ToolbarButtons() {
  auto id = [](ToolbarCommand c) { return static_cast<std::int32_t>(c); };
  return {{id(ID_ROTATE_CCW), L"Rotate Counter-Clockwise"},
          {id(ID_ROTATE_CW), L"Rotate Clockwise"},
          {id(ID_RESTART), L"Restart Level"},
          {id(ID_PASSWORD), L"Enter Password"},
          {id(ID_UNDO), L"Undo"},
          {id(ID_REDO), L"Redo"},
          {id(ID_HINT), L"Hint"}};
}

}  // namespace

int RunDesktop(const std::string& dataFolder, std::int32_t scale, DesktopArt art) {
  std::string error;
  WindowConfig config{"Quenchway", kClientWidth, kFrameHeight, scale, &art.icon};
  std::unique_ptr<SdlWindow> window = SdlWindow::Create(config, error);
  if (!window) {
    std::fprintf(stderr, "quenchway: cannot open a window: %s; use --script FILE to play without a display\n", error.c_str());
    return 1;
  }
  Toolbar toolbar(std::move(art.toolbarStrip), ToolbarButtons(), kClientWidth);
  DesktopHost host(*window, toolbar);
  GameWindow game(host, dataFolder, std::move(art.pieceStrip));
  if (!game.Create()) return 1;
  const std::unique_ptr<Font> barFont = Font::Open(12, 400, "Arial");
  // QW_REPORT_FIRST_FRAME=1: say on stderr when the first frame is presented.
  const char* report = std::getenv("QW_REPORT_FIRST_FRAME");
  const bool reportFirstFrame = report != nullptr && std::string_view(report) == "1";
  DesktopLoop(*window, toolbar, game, barFont.get(), reportFirstFrame).Run();
  return 0;
}

}  // namespace qw
