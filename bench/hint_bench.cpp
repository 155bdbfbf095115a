// A hint from boards a player can reach on every shipped level: the start,
// and boards after random moves. Every hint must answer within 100 ms; the
// counters give the mean and the slowest hint of the set.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "data/levels.h"
#include "levels/hint.h"
#include "levels/played_level.h"
#include "levels/random_play.h"
#include "quenchway-bench_resources.h"

namespace qw {
namespace {

struct PlayerBoard {
  std::array<Cell, kTraySlots> tray;
  std::array<Cell, kBoardCells> board;
};

std::vector<PlayerBoard> HintPositions() {
  std::wstring text;
  for (std::uint8_t byte : bench::kQwLevelsDat) {
    if (byte == 0) break;
    text.push_back(static_cast<wchar_t>(byte));
  }
  std::mt19937 rng(12);
  std::vector<PlayerBoard> positions;
  for (const LevelRecord& level : ParseLevels(std::move(text))) {
    for (int i = 0; i < 16; ++i) {
      const PlayedLevel played(level);
      PlayerBoard p{played.puzzle.tray, played.puzzle.board};
      RandomMoves(rng, p.tray, p.board, 3 * i);
      positions.push_back(p);
    }
  }
  return positions;
}

void BM_HintReachableBoards(benchmark::State& state) {
  const std::vector<PlayerBoard> positions = HintPositions();
  double slowest = 0;
  std::int64_t mostNodes = 0;
  std::int64_t limited = 0;
  std::int64_t nodes = 0;
  for (auto _ : state) {
    limited = 0;
    nodes = 0;
    for (const PlayerBoard& p : positions) {
      const auto start = std::chrono::steady_clock::now();
      const Hint hint = FindHint(p.tray, p.board);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      slowest = std::max(slowest, took.count());
      mostNodes = std::max(mostNodes, hint.nodes);
      nodes += hint.nodes;
      limited += hint.kind == HintKind::kLimitReached ? 1 : 0;
    }
  }
  state.counters["boards"] = static_cast<double>(positions.size());
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["slowest_ms"] = slowest;
  state.counters["most_nodes"] = static_cast<double>(mostNodes);
  state.counters["limit_reached"] = static_cast<double>(limited);
}
BENCHMARK(BM_HintReachableBoards)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace qw
