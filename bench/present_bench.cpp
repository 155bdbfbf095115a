// Presentation under X: the frame (client area and command bar) uploaded and
// shown scaled, at scales 1, 2 and 4, for a whole frame and for the rectangle
// of one drag move; and one drag move handled, painted and presented at
// scale 1, end to end. CPU is counted for this process (every thread) and,
// when the bench started the X server itself, for the server too.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/benchmarks.h"
#include "bench/boards.h"
#include "bench/scene.h"
#include "platform/sdl_window.h"
#include "platform/toolbar.h"
#include "ui/client_area.h"

namespace qw::bench {

namespace {

constexpr std::int32_t kFrameHeight = kClientHeight + Toolbar::kHeight;
// Two pen squares 5 pixels apart: what one drag move asks to repaint.
constexpr Rect kDragRect{100, 140, 125, 165};

std::unique_ptr<SdlWindow> OpenWindow(benchmark::State& state, std::int32_t scale) {
  std::string error;
  std::unique_ptr<SdlWindow> window = SdlWindow::Create(
      WindowConfig{"quenchway-bench", kClientWidth, kFrameHeight, scale, nullptr}, error);
  if (!window) {
    state.SkipWithError(("no window: " + error).c_str());
    return nullptr;
  }
  // Let the window appear before timing.
  InputEvent event;
  for (int i = 0; i < 3; ++i) {
    window->Present(Surface(kClientWidth, kFrameHeight), Rect{0, 0, kClientWidth, kFrameHeight});
    while (window->WaitEvent(event, 10)) {
    }
  }
  if (window->scale() != scale) {
    state.SkipWithError(
        ("the window came out at scale " + std::to_string(window->scale())).c_str());
    return nullptr;
  }
  return window;
}

// The X server's CPU per iteration, when it is ours to measure.
class ServerCpu {
 public:
  explicit ServerCpu(const XDisplay& display)
      : display_(display), start_(display.ServerCpuSeconds()) {}
  void Report(benchmark::State& state) const {
    if (start_ < 0) return;
    state.counters["server_cpu"] = benchmark::Counter(display_.ServerCpuSeconds() - start_,
                                                      benchmark::Counter::kAvgIterations);
  }

 private:
  const XDisplay& display_;
  double start_;
};

Surface SampleFrame() {
  Surface frame(kClientWidth, kFrameHeight);
  for (std::int32_t y = 0; y < frame.height(); ++y) {
    for (std::int32_t x = 0; x < frame.width(); ++x)
      frame.Row(y)[x] = ((x * 7) ^ (y * 13)) * 0x010203u;
  }
  return frame;
}

void Present(benchmark::State& state, const XDisplay& display, std::int32_t scale, bool whole) {
  std::unique_ptr<SdlWindow> window = OpenWindow(state, scale);
  if (!window) return;
  const Surface frame = SampleFrame();
  const Rect changed = whole ? frame.Bounds() : kDragRect;
  const ServerCpu server(display);
  for (auto _ : state) window->Present(frame, changed);
  server.Report(state);
  state.counters["uploaded_pixels"] = static_cast<double>(changed.Width()) * changed.Height();
  state.counters["shown_pixels"] =
      static_cast<double>(kClientWidth * scale) * (kFrameHeight * scale);
}

void DragEndToEnd(benchmark::State& state, const XDisplay& display) {
  std::string error;
  std::unique_ptr<Scene> scene = Scene::Load(DataFolder(), error);
  if (!scene || !StartFirstLevel(*scene) || !PutBoard(scene->puzzle(), MidGameBoard(), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::unique_ptr<SdlWindow> window = OpenWindow(state, 1);
  if (!window) return;
  GameController& controller = scene->controller();
  Surface frame(kClientWidth, kFrameHeight);
  scene->PaintAll();
  const Point press = scene->geometry().CellCentre({2, -1});  // the tray's first piece
  controller.OnPenDown(press);
  controller.OnPenMove(Point{press.x, press.y + 8});
  if (scene->ui().press.dragging != 1) {
    state.SkipWithError("the drag did not start");
    return;
  }
  std::vector<Point> path;
  const Rect board = scene->geometry().board();
  for (std::int32_t x = board.left + 12; x < board.right - 12; x += 5)
    path.push_back(Point{x, 150});
  for (std::int32_t x = board.right - 12; x > board.left + 12; x -= 5)
    path.push_back(Point{x, 155});
  std::size_t step = 0;
  const ServerCpu server(display);
  for (auto _ : state) {
    controller.OnPenMove(path[step]);
    step = step + 1 == path.size() ? 0 : step + 1;
    // What the desktop loop does: paint, copy the painted part into the
    // frame, present it.
    const Rect painted = scene->Dirty().Bounds();
    scene->PaintDirty();
    const Surface& client = scene->client();
    for (std::int32_t y = painted.top; y < painted.bottom; ++y) {
      std::copy(client.Row(y) + painted.left, client.Row(y) + painted.right,
                frame.Row(y) + painted.left);
    }
    window->Present(frame, painted);
  }
  server.Report(state);
}

// The name of the renderer SDL picks for the game's window flags.
std::string RendererName() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return "none";
  std::string name = "none";
  if (SDL_Window* w = SDL_CreateWindow("probe", 0, 0, 16, 16, SDL_WINDOW_HIDDEN)) {
    SDL_Renderer* r = SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED);
    if (!r) r = SDL_CreateRenderer(w, -1, 0);
    SDL_RendererInfo info{};
    if (r && SDL_GetRendererInfo(r, &info) == 0) name = info.name;
    if (r) SDL_DestroyRenderer(r);
    SDL_DestroyWindow(w);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return name;
}

}  // namespace

void RegisterPresentBenchmarks(const XDisplay& display) {
  benchmark::AddCustomContext("display", display.note());
  benchmark::AddCustomContext("sdl_renderer", RendererName());
  for (const std::int32_t scale : {1, 2, 4}) {
    for (const bool whole : {true, false}) {
      const std::string name =
          "Present/scale" + std::to_string(scale) + (whole ? "/whole_frame" : "/drag_rect");
      benchmark::RegisterBenchmark(name.c_str(), [&display, scale, whole](benchmark::State& s) {
        Present(s, display, scale, whole);
      })->MeasureProcessCPUTime();
    }
  }
  benchmark::RegisterBenchmark("DragMove/handle+paint+present/scale1", [&display](
                                                                           benchmark::State& s) {
    DragEndToEnd(s, display);
  })->MeasureProcessCPUTime();
}

}  // namespace qw::bench
