// Hints on every shipped level. A hint must answer within 100 ms from any
// board a player can reach: the level's start, and boards after random
// moves. slowest_ms is the slowest hint of the set (wall time, so a loaded
// machine adds to it); the time per iteration over `boards` is the mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "bench/boards.h"
#include "data/levels.h"
#include "solver/hint.h"
#include "solver/played_level.h"
#include "levels/random_play.h"
#include "quenchway-bench_resources.h"

namespace qw {
namespace {

struct PlayerBoard {
  std::array<Cell, kTraySlots> tray;
  std::array<Cell, kBoardCells> board;
  std::size_t level = 0;
};

// Sixteen boards a level: its start, then after 3, 6, ... 45 random moves.
std::vector<PlayerBoard> Boards(const std::vector<LevelRecord>& levels) {
  std::mt19937 rng(12);
  std::vector<PlayerBoard> boards;
  for (std::size_t l = 0; l < levels.size(); ++l) {
    for (int i = 0; i < 16; ++i) {
      PlayedLevel played(levels[l]);
      RandomMoves(rng, played.puzzle, 3 * i);
      boards.push_back(PlayerBoard{played.puzzle.tray(), played.puzzle.board(), l});
    }
  }
  return boards;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// What the game does once a level, before its first hint: find its
// fewest-piece solutions.
void BM_HintLevelSetUp(benchmark::State& state) {
  const std::vector<LevelRecord> levels = bench::ShippedLevels();
  double slowest = 0;
  for (auto _ : state) {
    for (const LevelRecord& level : levels) {
      const auto start = std::chrono::steady_clock::now();
      const LevelHints hints(level);
      benchmark::DoNotOptimize(hints.Fewest().size());
      slowest = std::max(slowest, MillisecondsSince(start));
    }
  }
  state.counters["levels"] = static_cast<double>(levels.size());
  state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_HintLevelSetUp)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HintReachableBoards(benchmark::State& state) {
  const std::vector<LevelRecord> levels = bench::ShippedLevels();
  std::vector<LevelHints> hints;
  for (const LevelRecord& level : levels) hints.emplace_back(level);
  const std::vector<PlayerBoard> boards = Boards(levels);
  double slowest = 0;
  std::int64_t mostNodes = 0;
  std::int64_t nodes = 0;
  std::int64_t limited = 0;
  for (auto _ : state) {
    nodes = 0;
    limited = 0;
    for (const PlayerBoard& b : boards) {
      const auto start = std::chrono::steady_clock::now();
      const Hint hint = hints[b.level].Next(b.tray, b.board);
      slowest = std::max(slowest, MillisecondsSince(start));
      mostNodes = std::max(mostNodes, hint.nodes);
      nodes += hint.nodes;
      limited += hint.kind == Hint::Kind::kLimitReached ? 1 : 0;
    }
  }
  state.counters["boards"] = static_cast<double>(boards.size());
  state.counters["slowest_ms"] = slowest;
  state.counters["most_nodes"] = static_cast<double>(mostNodes);
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["limit_reached"] = static_cast<double>(limited);
}
BENCHMARK(BM_HintReachableBoards)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace qw
