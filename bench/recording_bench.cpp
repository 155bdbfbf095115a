// A step of the player's as the game makes it and records it: the step on
// the puzzle, the level in play captured (tray, board, the history as step
// texts, counters) and handed to the background saver. The game's thread
// pays only this; it must stay well under a frame (16 ms). Arg: the steps
// already in the history.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/progress_link.h"
#include "bench/boards.h"
#include "data/levels.h"
#include "data/progress_file.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "quenchway-bench_resources.h"
#include "progress/progress_recorder.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

void BM_StepRecordedAndHandedOver(benchmark::State& state) {
  const std::vector<LevelRecord> levels = bench::ShippedLevels();
  const fs::path folder = fs::current_path() / ("qw_bench_recording_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  std::ostringstream err;
  ProgressFile file(folder.string(), err);
  {
    std::unique_ptr<ProgressSink> sink = MakeProgressSink(file, true);
    Puzzle puzzle(levels);
    History history;
    ProgressRecorder recorder(levels, Progress{}, sink.get(), SteadyNowMs);
    puzzle.StartLevel(15);
    recorder.LevelStarted(puzzle, history, false);
    // A piece from the tray to the board, then turns back and forth.
    history.Apply(puzzle, Step::Move(Position{0, -1}, Position{4, 4}));
    for (std::int64_t i = 1; i < state.range(0); ++i)
      history.Apply(puzzle, Step::Turn(Position{4, 4}, i % 2 == 0));
    bool clockwise = true;
    for (auto _ : state) {
      const Step turn = Step::Turn(Position{4, 4}, clockwise);
      history.Apply(puzzle, turn);
      recorder.StepMade(puzzle, history, turn);
      history.Undo(puzzle);  // the history keeps its length
      recorder.StepTakenBack(puzzle, history, false);
      clockwise = !clockwise;
    }
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_StepRecordedAndHandedOver)
    ->Arg(10)
    ->Arg(200)
    ->Arg(2000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
}  // namespace qw
