#include "app/desktop_runner.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "app/game_loop.h"
#include "platform/sdl_window.h"
#include "platform/utf8.h"

namespace qw {

namespace {

// The SDL window as the game loop's front end.
class DesktopFrontEnd final : public FrontEnd {
 public:
  DesktopFrontEnd(SdlWindow& window, bool reportFirstFrame)
      : window_(window), reportFirstFrame_(reportFirstFrame) {}

  void Present(const Surface& frame, const Rect& changed) override {
    window_.Present(frame, changed);
    // For the start-up benchmark: one line once the first frame is shown.
    if (!reportFirstFrame_) return;
    reportFirstFrame_ = false;
    std::fputs("quenchway: first frame presented\n", stderr);
    std::fflush(stderr);
  }
  void ToggleFullscreen() override { window_.ToggleFullscreen(); }
  void ShowMessage(const std::wstring& text) override { window_.ShowMessage(ToUtf8(text)); }
  void CapturePointer(bool captured) override { window_.CapturePointer(captured); }
  bool CopyText(const std::string& text) override { return window_.CopyText(text); }
  std::string PastedText() override { return window_.PastedText(); }

 private:
  SdlWindow& window_;
  bool reportFirstFrame_;
};

// Input first, then the paints it asked for, then one present. While idle
// it sleeps; it wakes on a timer only while a tooltip waits for its delay.
void Run(SdlWindow& window, GameLoop& loop) {
  while (loop.running()) {
    loop.Flush();
    InputEvent event;
    if (!window.WaitEvent(event, loop.TimeoutMs().value_or(-1))) {
      loop.Tick();
      continue;
    }
    loop.Handle(event);
    // Everything already queued is handled before the next paint.
    while (loop.running() && window.WaitEvent(event, 0)) loop.Handle(event);
  }
}

}  // namespace

int RunDesktop(const std::string& dataFolder, std::int32_t scale, DesktopArt art,
               ProgressSetup progress, const GameStart& start) {
  std::string error;
  // The window opens as the player left it: at the scale of the last run
  // (unless --scale names one, or it no longer fits) and fullscreen if it was.
  WindowConfig config{"Quenchway", kClientWidth, GameLoop::kFrameHeight, scale, &art.icon};
  if (progress.keep) config.rememberedScale = progress.loaded.scale;
  const bool fullscreen = progress.keep && progress.loaded.fullscreen;
  std::unique_ptr<SdlWindow> window = SdlWindow::Create(config, error);
  if (!window) {
    std::fprintf(
        stderr,
        "quenchway: cannot open a window: %s; use --script FILE to play without a display\n",
        error.c_str());
    return 1;
  }
  // QW_REPORT_FIRST_FRAME=1: say on stderr when the first frame is presented.
  const char* report = std::getenv("QW_REPORT_FIRST_FRAME");
  DesktopFrontEnd front(*window, report != nullptr && std::string_view(report) == "1");
  SdlWindow& sdl = *window;
  GameLoop loop(
      front, [&sdl] { return sdl.NowMs(); }, dataFolder, std::move(art.pieceStrip),
      std::move(art.toolbarStrip));
  std::optional<std::pair<Progress, ProgressSink*>> kept;
  if (progress.keep) kept.emplace(std::move(progress.loaded), progress.sink);
  if (fullscreen) window->ToggleFullscreen();
  std::string problem;
  if (!loop.Start(std::move(kept), start, problem)) {
    if (!problem.empty()) std::fprintf(stderr, "quenchway: %s\n", problem.c_str());
    return 1;
  }
  loop.KeepOwnLevels(progress.ownLevels);
  if (!start.motion && !progress.keep) loop.SetMotion(Motion::kNormal);
  loop.OpenAudio();  // the sounds are made at start, not at the first one
  Run(*window, loop);
  loop.SaveProgress(std::make_pair(window->windowedScale(), window->fullscreen()));
  return 0;
}

}  // namespace qw
