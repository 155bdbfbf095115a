// Solving the shipped level set: all levels together must take well under a
// second on one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/boards.h"
#include "data/levels.h"
#include "solver/solver.h"
#include "quenchway-bench_resources.h"

namespace qw {
namespace {

void BM_SolveShippedLevels(benchmark::State& state) {
  const std::vector<LevelRecord> levels = bench::ShippedLevels();
  std::int64_t nodes = 0;
  std::int64_t worst = 0;
  for (auto _ : state) {
    nodes = 0;
    for (const LevelRecord& level : levels) {
      const SolveReport report = SolveLevel(level);
      benchmark::DoNotOptimize(report.outcome);
      nodes += report.nodes;
      worst = std::max(worst, report.nodes);
    }
  }
  state.counters["levels"] = static_cast<double>(levels.size());
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["worst_level_nodes"] = static_cast<double>(worst);
}
BENCHMARK(BM_SolveShippedLevels)->Unit(benchmark::kMillisecond);

// The fewest-pieces search that `quenchway-levels solve` runs.
void BM_SolveShippedLevelsFewest(benchmark::State& state) {
  const std::vector<LevelRecord> levels = bench::ShippedLevels();
  for (auto _ : state) {
    for (const LevelRecord& level : levels) benchmark::DoNotOptimize(SolveFewest(level).outcome);
  }
}
BENCHMARK(BM_SolveShippedLevelsFewest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qw
