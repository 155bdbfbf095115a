#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes.h"
#include "model/puzzle.h"

namespace qw {
namespace {

class WaterProperty : public ::testing::Test {
 protected:
  // Hazards, fires, walls and turned pipe pieces at random, and one source.
  void Scatter() {
    const std::int32_t density = Pick(0, 40);
    for (Cell& cell : puzzle.board) cell = Pick(0, 99) < density ? RandomCell() : Cell{};
    AddSource();
  }

  void AddSource() {
    puzzle.board[static_cast<std::size_t>(Pick(0, 99))] = Cell{KIND_SOURCE, Pick(0, 7)};
  }

  // Changes a cell where some water stops or leaves the board, and keeps the
  // change unless the longest flow got shorter: the boards grow long,
  // branching and crossing flows.
  void Grow() {
    // Depth first: water taken at a line's end goes on with the next line.
    std::vector<Position> ends;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i + 1 < lines.size() && lines[i + 1].first == lines[i].second) continue;
      const Position end = CellAt(lines[i].second);
      ends.push_back(IsBoardCell(end) ? end : CellAt(lines[i].first));
    }
    Cell& cell = *puzzle.At(
        ends[static_cast<std::size_t>(Pick(0, static_cast<std::int32_t>(ends.size()) - 1))]);
    if (cell.kind == KIND_SOURCE) return;
    const Cell before = cell;
    const std::int32_t longest = puzzle.LastTrace().mostFlowCallsPerSource;
    cell = RandomCell();
    if (Trace() < longest) {
      cell = before;
      Trace();
    }
  }

  // Runs the water and checks the bound; gives the longest flow of a source.
  std::int32_t Trace() {
    std::int32_t sources = 0;
    for (const Cell& cell : puzzle.board) sources += cell.kind == KIND_SOURCE;
    puzzle.screenMode = MODE_PLAY;
    testing::RecordingSink sink;
    puzzle.TraceWater(sink);
    const TraceStats& stats = puzzle.LastTrace();
    EXPECT_EQ(stats.sources, sources);
    EXPECT_LE(stats.mostFlowCallsPerSource, kMaxFlowCallsPerSource);
    EXPECT_EQ(stats.flowCalls, static_cast<std::int32_t>(sink.lines.size()));
    lines = std::move(sink.lines);
    return stats.mostFlowCallsPerSource;
  }

  // The board cell whose centre a line starts or ends at; off the board
  // (-1 or 10) for the ends past its edge.
  static Position CellAt(Point centre) {
    return Position{(centre.x + 10) / 21 - 1, (centre.y + 10) / 21 - 1};
  }

  std::int32_t Pick(std::int32_t lo, std::int32_t hi) {
    return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
  }
  // Mostly pipe pieces; now and then a rotation no level or turn produces.
  Cell RandomCell() {
    static constexpr std::int32_t kKinds[] = {KIND_EMPTY,    KIND_ELBOW, KIND_BEND,
                                              KIND_SPLITTER, KIND_ELBOW, KIND_BEND,
                                              KIND_FIRE,     KIND_SPARK, KIND_WALL};
    const std::int32_t variant = Pick(0, 49) == 0 ? Pick(-20, 20) : Pick(0, 7);
    return Cell{kKinds[Pick(0, 8)], variant};
  }

  std::vector<LevelRecord> levels;
  testing::RecordingEffects effects;
  Puzzle puzzle{levels, Rect{0, 300, 211, 322}, Rect{0, 0, 211, 211}, effects};
  std::mt19937 random{20240611u};
  std::vector<std::pair<Point, Point>> lines;  // of the last run
};

// Whatever stands on the board, the water of each source ends after at most
// 800 steps.
TEST_F(WaterProperty, EveryRandomBoardEndsWithinTheBound) {
  std::int32_t longest = 0;
  for (std::int32_t board = 0; board < 2000 && !HasFailure(); ++board) {
    Scatter();
    Trace();
    for (std::int32_t step = 0; step < 60; ++step) Grow();
    longest = std::max(longest, puzzle.LastTrace().mostFlowCallsPerSource);
    // More sources on the grown board, cutting into its flow or not.
    for (std::int32_t n = Pick(0, 3); n > 0; --n) AddSource();
    Trace();
  }
  EXPECT_GT(longest, 60);  // the boards do grow long flows (78 with this seed)
}

}  // namespace
}  // namespace qw
