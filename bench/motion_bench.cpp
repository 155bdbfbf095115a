// Motion and sound: synthesising every sound as the game does at start; one
// frame of running water (the clock moved on, the changed area painted and
// presented at scale 2) with the area it painted; and the CPU an idle game
// uses over ten seconds with nothing moving.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/game_loop.h"
#include "bench/benchmarks.h"
#include "platform/bitmap.h"
#include "platform/paths.h"
#include "platform/sdl_window.h"
#include "platform/sound_synth.h"
#include "qw_app_resources.h"

namespace qw::bench {

namespace {

void SynthesiseSounds(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SynthesiseAllSounds());
}

class WindowFrontEnd final : public FrontEnd {
 public:
  explicit WindowFrontEnd(SdlWindow& window) : window_(window) {}
  void Present(const Surface& frame, const Rect& changed) override {
    window_.Present(frame, changed);
    pixels += static_cast<std::uint64_t>(changed.Width()) * changed.Height();
  }
  void ToggleFullscreen() override {}
  void ShowMessage(const std::wstring&) override {}
  void CapturePointer(bool) override {}
  std::uint64_t pixels = 0;

 private:
  SdlWindow& window_;
};

InputEvent Command(ToolbarCommand c) {
  InputEvent e;
  e.type = InputEvent::Type::Command;
  e.command = static_cast<std::int32_t>(c);
  return e;
}

// Level 2's first hint runs its water again and again: undo, hint, and the
// frames of the run, each timed.
void WaterFrame(benchmark::State& state) {
  std::string error;
  std::unique_ptr<SdlWindow> window = SdlWindow::Create(
      WindowConfig{"quenchway-bench", kClientWidth, GameLoop::kFrameHeight, 2, nullptr}, error);
  if (!window) {
    state.SkipWithError(("no window: " + error).c_str());
    return;
  }
  WindowFrontEnd front(*window);
  std::uint64_t now = 0;
  GameLoop loop(
      front, [&now] { return now; }, ExecutableFolder() + "/../data",
      *LoadBmpMemory(resources::kPiecesBmp), *LoadBmpMemory(resources::kToolbarBmp));
  if (!loop.Create()) {
    state.SkipWithError("no data files beside the game");
    return;
  }
  loop.SetMotion(Motion::kNormal);
  loop.controller().StartLevel(1);
  loop.Flush();
  std::uint64_t frames = 0;
  front.pixels = 0;
  for (auto _ : state) {
    if (!loop.Animating()) {
      state.PauseTiming();
      const std::uint64_t kept = front.pixels;
      loop.Handle(Command(ID_UNDO));
      loop.Handle(Command(ID_HINT));
      loop.Flush();
      front.pixels = kept;  // the step's own repaint is no frame of the run
      state.ResumeTiming();
    }
    now += 16;
    loop.Tick();
    loop.Flush();
    ++frames;
  }
  state.counters["presented_px_per_frame"] = benchmark::Counter(
      static_cast<double>(front.pixels) / static_cast<double>(frames ? frames : 1));
}

double ChildCpuSeconds(pid_t child) {
  std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The game on its menu for ten seconds after three settling seconds (a busy
// machine can take more than one to start it): its share of one core.
void IdleCpu(benchmark::State& state) {
  const std::string game = ExecutableFolder() + "/../quenchway";
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      execl(game.c_str(), game.c_str(), "--scale", "2", "--no-progress",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double start = ChildCpuSeconds(child);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double used = ChildCpuSeconds(child) - start;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    state.SetIterationTime(10.0);
    state.counters["idle_cpu_percent"] = used / 10.0 * 100.0;
  }
}

}  // namespace

void RegisterSoundBenchmark() {
  benchmark::RegisterBenchmark("Sounds/synthesise_all", SynthesiseSounds);
}

void RegisterMotionBenchmarks() {
  benchmark::RegisterBenchmark("Motion/water_frame/scale2", WaterFrame);
  benchmark::RegisterBenchmark("Motion/idle_cpu_10s", IdleCpu)->Iterations(1)->UseManualTime();
}

}  // namespace qw::bench
