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

class NullSink final : public WaterSink {
 public:
  void WaterLine(Point, Point) override {}
};

class PenSink final : public WaterSink {
 public:
  explicit PenSink(Canvas& canvas) : canvas_(canvas) {}
  void WaterLine(Point from, Point to) override { canvas_.DrawLine(from, to, kWaterWidth, kWaterColor); }

 private:
  Canvas& canvas_;
};

constexpr std::int32_t kItemBoard = 17;

void TraceBoard(benchmark::State& state, const BoardPicture& board, bool drawn) {
  std::string error;
  std::unique_ptr<Scene> scene = Scene::Load(DataFolder(), error);
  if (!scene || !scene->puzzle().StartLevel(0) || !PutBoard(scene->puzzle(), board, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Puzzle& puzzle = scene->puzzle();
  Surface surface(scene->client().width(), scene->client().height());
  Canvas canvas(surface);
  canvas.IntersectClipRect(ItemRect(scene->layout(), kItemBoard));
  NullSink nullSink;
  PenSink penSink(canvas);
  WaterSink& sink = drawn ? static_cast<WaterSink&>(penSink) : nullSink;
  for (auto _ : state) {
    puzzle.screenMode = MODE_PLAY;
    puzzle.TraceWater(sink);
    benchmark::DoNotOptimize(puzzle.board.data());
  }
  const TraceStats& stats = puzzle.LastTrace();
  state.counters["flow_calls"] = stats.flowCalls;
  state.counters["sources"] = stats.sources;
  state.counters["most_per_source"] = stats.mostFlowCallsPerSource;
  // Seconds per FlowFrom step.
  state.counters["per_step"] = benchmark::Counter(static_cast<double>(stats.flowCalls),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
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
