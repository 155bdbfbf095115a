// Making one level of a grade, each iteration from a new seed. Targets: a
// grade-5 level in under 2 s median, a grade-1 level in under 1 ms. The
// median over the seeds is `median_ms` (wall time) and `median_cpu_ms` (this
// process's CPU time, what counts on a machine that other work shares).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "levelgen/generator.h"

namespace qw {
namespace {

void BM_GenerateLevel(benchmark::State& state) {
  const auto grade = static_cast<std::int32_t>(state.range(0));
  std::vector<double> seconds;
  std::vector<double> cpuSeconds;
  std::uint64_t seed = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const auto level = GenerateLevel(seed++, grade, ShippedPasswords());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(level.has_value());
    if (!level) state.SkipWithError("no level made");
    seconds.push_back(took.count());
    cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpuSeconds.begin(), cpuSeconds.end());
  state.counters["median_cpu_ms"] =
      cpuSeconds.empty() ? 0.0 : 1000.0 * cpuSeconds[cpuSeconds.size() / 2];
  state.counters["median_ms"] = seconds.empty() ? 0.0 : 1000.0 * seconds[seconds.size() / 2];
  state.counters["slowest_ms"] = seconds.empty() ? 0.0 : 1000.0 * seconds.back();
}
BENCHMARK(BM_GenerateLevel)->Arg(1)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateLevel)->Arg(3)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateLevel)->Arg(5)->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qw
