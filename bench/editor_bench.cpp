// The editor's verdict after an edit, on the shipped levels: each level with
// one edit of each kind an author makes most (a wall on an empty cell, a fire
// taken away, the nozzle turned, one piece fewer in the tray), timed one by
// one. The targets: median under 50 ms, 95th percentile under 250 ms.
// And a pen's edits while a long search runs: each must be taken within a
// frame (16.7 ms at 60 frames a second).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

#include "bench/boards.h"
#include "editor/level_draft.h"
#include "editor/verdict.h"
#include "editor/verdict_worker.h"

namespace qw {
namespace {

// The edits of one level, each made on the level as shipped.
std::vector<Draft> EditedDrafts(const Draft& level) {
  std::vector<Edit> edits;
  for (std::int32_t n = 44; n < kBoardCells; ++n) {
    if (level.items[static_cast<std::size_t>(n)] == Item::kNone) {
      edits.push_back(Edit::Place(Item::kWall, n));
      break;
    }
  }
  const auto fire = std::find(level.items.rbegin(), level.items.rend(), Item::kFire);
  if (fire != level.items.rend())
    edits.push_back(Edit::Remove(static_cast<std::int32_t>(level.items.rend() - fire - 1)));
  edits.push_back(Edit::TurnNozzle(1));
  if (level.elbows > 0) edits.push_back(Edit::SetCount(KIND_ELBOW, level.elbows - 1));
  std::vector<Draft> drafts;
  for (const Edit& edit : edits) {
    LevelEditor editor(level);
    if (!editor.Make(edit)) drafts.push_back(editor.draft());
  }
  return drafts;
}

void BM_VerdictAfterEdit(benchmark::State& state) {
  std::vector<Draft> drafts;
  for (const LevelRecord& record : bench::ShippedLevels()) {
    if (const std::optional<Draft> level = FromRecord(record)) {
      for (Draft& d : EditedDrafts(*level)) drafts.push_back(std::move(d));
    }
  }
  // Wall and processor time: on a shared machine the processor time is the
  // one that compares between runs.
  std::vector<double> ms;
  std::vector<double> cpuMs;
  for (auto _ : state) {
    ms.clear();
    cpuMs.clear();
    for (const Draft& draft : drafts) {
      const auto start = std::chrono::steady_clock::now();
      const std::clock_t cpuStart = std::clock();
      benchmark::DoNotOptimize(VerdictOf(draft).kind);
      cpuMs.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
      ms.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpuMs.begin(), cpuMs.end());
  auto at = [](const std::vector<double>& v, double q) {
    return v.empty() ? 0.0 : v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
  };
  state.counters["edits"] = static_cast<double>(ms.size());
  state.counters["median_ms"] = at(ms, 0.5);
  state.counters["p95_ms"] = at(ms, 0.95);
  state.counters["slowest_ms"] = at(ms, 1.0);
  state.counters["median_cpu_ms"] = at(cpuMs, 0.5);
  state.counters["p95_cpu_ms"] = at(cpuMs, 0.95);
}
BENCHMARK(BM_VerdictAfterEdit)->Iterations(1)->Unit(benchmark::kMillisecond);

// A pen dragging walls across a level whose search runs for minutes: each
// edit, and the request that cancels the search it makes stale, timed as
// the input path sees them.
void BM_EditDuringASearch(benchmark::State& state) {
  const std::optional<Draft> hard = FromRecord(
      LevelRecord{L"Hard", L"", 0, 0, 10, 72, 2, L"34,82,85", L"14,19,33,71,80,86,88,93,96", L""});
  VerdictOptions options;
  options.nodeLimit = INT64_MAX / 2;
  VerdictWorker worker(options);
  LevelEditor editor(*hard);
  std::uint64_t revision = 1;
  worker.Request(editor.draft(), revision);
  std::vector<double> us;
  for (auto _ : state) {
    for (std::int32_t cell = 40; cell < 70; ++cell) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the search gets going
      const auto start = std::chrono::steady_clock::now();
      if (!editor.Make(Edit::Place(Item::kWall, cell))) worker.Request(editor.draft(), ++revision);
      us.push_back(
          std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
              .count());
    }
  }
  std::sort(us.begin(), us.end());
  state.counters["edits"] = static_cast<double>(us.size());
  state.counters["median_us"] = us.empty() ? 0.0 : us[us.size() / 2];
  state.counters["slowest_us"] = us.empty() ? 0.0 : us.back();
}
BENCHMARK(BM_EditDuringASearch)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qw
