// Saving progress after a step: a realistic file (two hundred levels solved,
// a level in play with a long history) written, read, and saved the way the
// game saves it (read and merge what is on disk, write, flush, rename). The
// whole save should stay well under a frame (16 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "data/progress_file.h"
#include "data/progress_saver.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

Progress Realistic() {
  Progress p;
  p.scale = 3;
  for (LevelKey k = 1; k <= 200; ++k) {
    const auto v = static_cast<std::int32_t>(k);
    p.solved[k * 0x9e3779b97f4a7c15ull] = LevelBest{v % 10, 10 + v, v % 3, 30000 + 100 * v};
  }
  p.play = SavedPlay{};
  p.play->level = 77;
  for (int i = 0; i < 10; ++i)
    p.play->tray[static_cast<std::size_t>(i)] = SavedCell{8 * (i % 3), i % 8};
  for (int i = 0; i < 2000; ++i)
    p.play->undo.push_back("move 3 -1 " + std::to_string(i % 10) + " 7 turn cw 5");
  for (int i = 0; i < 50; ++i) p.play->redo.push_back("turn 4 5 ccw " + std::to_string(i));
  return p;
}

void BM_ProgressWrite(benchmark::State& state) {
  const Progress p = Realistic();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = WriteProgress(p);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProgressWrite)->Unit(benchmark::kMicrosecond);

void BM_ProgressRead(benchmark::State& state) {
  const std::string text = WriteProgress(Realistic());
  for (auto _ : state) benchmark::DoNotOptimize(ParseProgress(text).progress.has_value());
}
BENCHMARK(BM_ProgressRead)->Unit(benchmark::kMicrosecond);

// One step and its save: a step added to the history, then the save. Arg 0:
// a folder on the disk of the build (its flushes reach the disk); arg 1: a
// folder in memory (/dev/shm), the cost of the save without the disk.
void BM_ProgressStepAndSave(benchmark::State& state) {
  const bool inMemory = state.range(0) == 1;
  const fs::path base = inMemory ? fs::path("/dev/shm") : fs::current_path();
  const fs::path folder = base / ("qw_bench_progress_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  std::ostringstream err;
  ProgressFile file(folder.string(), err);
  Progress p = Realistic();
  file.Save(p);
  std::int64_t failed = 0;
  for (auto _ : state) {
    p.play->undo.push_back("move 3 -1 4 7 turn cw 5");
    p.play->undo.erase(p.play->undo.begin());
    failed += file.Save(p) ? 0 : 1;
  }
  fs::remove_all(folder);
  state.counters["failed"] = static_cast<double>(failed);
  state.SetLabel(inMemory ? "in memory" : "on disk");
}
BENCHMARK(BM_ProgressStepAndSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same step with the save handed to the saver's thread: what the game's
// own thread pays (the copy handed over), on disk.
void BM_ProgressStepAndSaveInBackground(benchmark::State& state) {
  const fs::path folder =
      fs::current_path() / ("qw_bench_progress_bg_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  std::ostringstream err;
  ProgressFile file(folder.string(), err);
  Progress p = Realistic();
  {
    ProgressSaver saver(file);
    for (auto _ : state) {
      p.play->undo.push_back("move 3 -1 4 7 turn cw 5");
      p.play->undo.erase(p.play->undo.begin());
      saver.Save(p);
    }
    saver.Flush();
    state.counters["failed"] = saver.lastSaveFailed() ? 1 : 0;
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_ProgressStepAndSaveInBackground)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace qw
