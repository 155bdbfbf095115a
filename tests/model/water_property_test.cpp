#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/water.h"

namespace qw {
namespace {

class WaterProperty : public ::testing::Test {
 protected:
  // Hazards, fires, walls and turned pipe pieces at random, and one source.
  void Scatter() {
    const std::int32_t density = Pick(0, 40);
    for (Cell& cell : board) cell = Pick(0, 99) < density ? RandomCell() : Cell{};
    AddSource();
  }

  void AddSource() { board[static_cast<std::size_t>(Pick(0, 99))] = Cell{KIND_SOURCE, Pick(0, 7)}; }

  // Changes a cell where some water stops or leaves the board, and keeps the
  // change unless the longest flow got shorter: the boards grow long,
  // branching and crossing flows.
  void Grow() {
    // Depth first: water taken at a step's end goes on with the next step.
    std::vector<Position> ends;
    for (std::size_t i = 0; i < trace.steps.size(); ++i) {
      Position end = trace.steps[i].cell;
      StepPosition(end, trace.steps[i].direction);
      if (i + 1 < trace.steps.size() && trace.steps[i + 1].cell == end) continue;
      ends.push_back(IsBoardCell(end) ? end : trace.steps[i].cell);
    }
    const Position at =
        ends[static_cast<std::size_t>(Pick(0, static_cast<std::int32_t>(ends.size()) - 1))];
    Cell& cell = board[static_cast<std::size_t>(BoardIndex(at.x, at.y))];
    if (cell.kind == KIND_SOURCE) return;
    const Cell before = cell;
    const std::int32_t longest = trace.stats.mostFlowCallsPerSource;
    cell = RandomCell();
    if (Trace() < longest) {
      cell = before;
      Trace();
    }
  }

  // Runs the water and checks the bound; gives the longest flow of a source.
  std::int32_t Trace() {
    std::int32_t sources = 0;
    for (const Cell& cell : board) sources += cell.kind == KIND_SOURCE;
    TraceWater(board, trace);
    const TraceStats& stats = trace.stats;
    EXPECT_EQ(stats.sources, sources);
    EXPECT_LE(stats.mostFlowCallsPerSource, kMaxFlowCallsPerSource);
    EXPECT_EQ(stats.flowCalls, static_cast<std::int32_t>(trace.steps.size()));
    return stats.mostFlowCallsPerSource;
  }

  std::int32_t Pick(std::int32_t lo, std::int32_t hi) {
    return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
  }
  // Mostly pipe pieces; now and then a rotation no level or turn produces.
  Cell RandomCell() {
    static constexpr PieceKind kKinds[] = {KIND_EMPTY,    KIND_ELBOW, KIND_BEND,
                                           KIND_SPLITTER, KIND_ELBOW, KIND_BEND,
                                           KIND_FIRE,     KIND_SPARK, KIND_WALL};
    const std::int32_t variant = Pick(0, 49) == 0 ? Pick(-20, 20) : Pick(0, 7);
    return Cell{kKinds[Pick(0, 8)], variant};
  }

  Board board{};
  std::mt19937 random{20240611u};
  WaterTrace trace;  // of the last run
};

// Whatever stands on the board, the water of each source ends after at most
// 800 steps.
TEST_F(WaterProperty, EveryRandomBoardEndsWithinTheBound) {
  std::int32_t longest = 0;
  for (std::int32_t board = 0; board < 2000 && !HasFailure(); ++board) {
    Scatter();
    Trace();
    for (std::int32_t step = 0; step < 60; ++step) Grow();
    longest = std::max(longest, trace.stats.mostFlowCallsPerSource);
    // More sources on the grown board, cutting into its flow or not.
    for (std::int32_t n = Pick(0, 3); n > 0; --n) AddSource();
    Trace();
  }
  EXPECT_GT(longest, 60);  // the boards do grow long flows (78 with this seed)
}

}  // namespace
}  // namespace qw
