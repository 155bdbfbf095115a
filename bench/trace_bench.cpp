// The water trace on the costliest boards: one run from every source, with
// the stretches thrown away (the trace alone) and drawn with the water pen on
// the board as a full paint does.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/benchmarks.h"
#include "bench/boards.h"
#include "bench/scene.h"
#include "platform/canvas.h"
#include "ui/renderer.h"

namespace qw::bench {

namespace {

constexpr std::int32_t kItemBoard = 17;

void TraceBoard(benchmark::State& state, const BoardPicture& board, bool drawn) {
  std::string error;
  std::unique_ptr<Scene> scene = Scene::Load(DataFolder(), error);
  if (!scene || !StartFirstLevel(*scene) || !PutBoard(scene->puzzle(), board, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Puzzle& puzzle = scene->puzzle();
  Surface surface(scene->client().width(), scene->client().height());
  Canvas canvas(surface);
  canvas.IntersectClipRect(ItemRect(scene->layout(), kItemBoard));
  const BoardGeometry& geometry = scene->geometry();
  WaterTrace water;
  for (auto _ : state) {
    TraceWater(puzzle.board(), water);
    if (drawn) {
      for (const WaterStep& step : water.steps) {
        const auto [from, to] = geometry.WaterLine(step);
        canvas.DrawLine(from, to, kWaterWidth, kWaterColor);
      }
    }
    benchmark::DoNotOptimize(water.steps.data());
  }
  const TraceStats& stats = water.stats;
  state.counters["flow_calls"] = stats.flowCalls;
  state.counters["sources"] = stats.sources;
  state.counters["most_per_source"] = stats.mostFlowCallsPerSource;
  // Seconds per trace step.
  state.counters["per_step"] = benchmark::Counter(
      static_cast<double>(stats.flowCalls),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  if (drawn) {
    state.counters["pixels"] =
        static_cast<double>(canvas.PixelsWritten()) / static_cast<double>(state.iterations());
  }
}

}  // namespace

void RegisterTraceBenchmarks() {
  for (const BoardPicture& board : TraceBoards()) {
    const std::string name(board.name);
    benchmark::RegisterBenchmark(("Trace/" + name).c_str(),
                                 [&board](benchmark::State& s) { TraceBoard(s, board, false); });
    benchmark::RegisterBenchmark(("Trace/" + name + "/drawn").c_str(),
                                 [&board](benchmark::State& s) { TraceBoard(s, board, true); });
  }
}

}  // namespace qw::bench
