#include <gtest/gtest.h>

#include <vector>

#include "model/water.h"

namespace qw {
namespace {

class WaterTest : public ::testing::Test {
 protected:
  void Put(std::int32_t x, std::int32_t y, PieceKind kind, std::int32_t variant = 0) {
    board[static_cast<std::size_t>(BoardIndex(x, y))] = Cell{kind, variant};
  }
  const Cell& At(std::int32_t x, std::int32_t y) const {
    return board[static_cast<std::size_t>(BoardIndex(x, y))];
  }
  WaterTrace Trace() {
    WaterTrace trace = TraceWater(board);
    EXPECT_EQ(trace.stats.flowCalls, static_cast<std::int32_t>(trace.steps.size()));
    return trace;
  }
  bool Doused(const WaterTrace& trace, std::int32_t x, std::int32_t y) {
    return trace.doused.test(static_cast<std::size_t>(BoardIndex(x, y)));
  }
  // The directions in which water leaves cell (x, y), in the order run.
  static std::vector<std::int32_t> Leaving(const WaterTrace& trace, Position cell) {
    std::vector<std::int32_t> out;
    for (const WaterStep& step : trace.steps) {
      if (step.cell == cell) out.push_back(step.direction);
    }
    return out;
  }

  Board board{};
};

TEST_F(WaterTest, SplitterRunsEastArmToTheEdgeBeforeTheWestArm) {
  Put(5, 6, KIND_SOURCE, 0);
  Put(5, 5, KIND_SPLITTER, 0);
  const WaterTrace trace = Trace();
  std::vector<WaterStep> expected{{{5, 6}, 0}};
  for (std::int32_t x = 5; x <= 9; ++x) expected.push_back({{x, 5}, 2});
  for (std::int32_t x = 5; x >= 0; --x) expected.push_back({{x, 5}, 6});
  EXPECT_EQ(trace.steps, expected);  // the edge steps lead off the board
  EXPECT_EQ(trace.stats.sources, 1);
}

TEST_F(WaterTest, SourcesRunColumnByColumnAndStreamsCross) {
  Put(9, 3, KIND_SOURCE, 2);  // off the board at once
  Put(9, 0, KIND_SOURCE, 0);
  Put(0, 9, KIND_SOURCE, 4);
  Put(0, 5, KIND_SOURCE, 2);  // east along row 5
  Put(5, 0, KIND_SOURCE, 4);  // south along column 5, through (5, 5) as well
  Put(3, 5, KIND_FIRE);
  const WaterTrace trace = Trace();
  ASSERT_EQ(trace.steps.size(), 3u + 10u + 10u);
  EXPECT_EQ(trace.steps[0].cell, (Position{0, 5}));
  EXPECT_EQ(trace.steps[10].cell, (Position{0, 9}));
  EXPECT_EQ(trace.steps[11].cell, (Position{5, 0}));
  EXPECT_EQ(trace.steps[21].cell, (Position{9, 0}));
  EXPECT_EQ(trace.steps[22].cell, (Position{9, 3}));
  EXPECT_EQ(Leaving(trace, Position{5, 5}), (std::vector<std::int32_t>{2, 4}));
  EXPECT_EQ(trace.stats.sources, 5);
  EXPECT_EQ(trace.stats.mostFlowCallsPerSource, 10);
  EXPECT_TRUE(Doused(trace, 3, 5));
  EXPECT_FALSE(trace.fireBurning);
  EXPECT_FALSE(trace.reachesHazard);
}

TEST_F(WaterTest, HazardsAndFiresAreReportedTogether) {
  Put(5, 6, KIND_SOURCE, 0);
  Put(5, 5, KIND_SPLITTER, 0);
  Put(7, 5, KIND_SPARK);  // east arm first: the hazard stops it
  Put(8, 5, KIND_FIRE);   // behind the hazard: never reached
  Put(2, 5, KIND_FIRE);   // the west arm still runs and douses this one
  WaterTrace trace = Trace();
  EXPECT_TRUE(trace.reachesHazard);
  EXPECT_TRUE(Doused(trace, 2, 5));
  EXPECT_FALSE(Doused(trace, 8, 5));
  EXPECT_TRUE(trace.fireBurning);
  EXPECT_EQ(Leaving(trace, Position{7, 5}), std::vector<std::int32_t>{});
  // The trace reads the board and leaves it as it was.
  EXPECT_EQ(At(2, 5), (Cell{KIND_FIRE, 0}));

  Put(8, 5, KIND_EMPTY);
  TraceWater(board, trace);  // reusing a trace starts it afresh
  EXPECT_FALSE(trace.fireBurning);
  EXPECT_TRUE(trace.reachesHazard);
  EXPECT_EQ(trace.stats.flowCalls, static_cast<std::int32_t>(trace.steps.size()));
  board.fill(Cell{});
  TraceWater(board, trace);
  EXPECT_TRUE(trace.steps.empty());
  EXPECT_FALSE(trace.reachesHazard || trace.fireBurning || trace.doused.any());
  EXPECT_EQ(trace.stats.sources, 0);
}

TEST_F(WaterTest, WaterWithoutADirectionStops) {
  Put(4, 4, KIND_SOURCE, 8);
  Put(6, 6, KIND_SOURCE, -1);
  const WaterTrace trace = Trace();
  EXPECT_EQ(trace.steps, (std::vector<WaterStep>{{{4, 4}, 8}, {{6, 6}, -1}}));
}

}  // namespace
}  // namespace qw
