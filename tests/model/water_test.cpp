#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "fakes.h"
#include "model/puzzle.h"

namespace qw {
namespace {

using testing::AllEffect;
using testing::RecordingEffects;
using testing::RecordingSink;

// Board item at the origin: cell (x, y) has its centre at (11 + 21x, 11 + 21y).
Point Centre(std::int32_t x, std::int32_t y) { return Point{11 + 21 * x, 11 + 21 * y}; }

class WaterTest : public ::testing::Test {
 protected:
  WaterTest() { puzzle.screenMode = MODE_PLAY; }

  void Put(std::int32_t x, std::int32_t y, std::int32_t kind, std::int32_t variant = 0) {
    *puzzle.BoardCell(x, y) = Cell{kind, variant};
  }
  RecordingSink Trace() {
    RecordingSink sink;
    puzzle.TraceWater(sink);
    EXPECT_EQ(puzzle.LastTrace().flowCalls, static_cast<std::int32_t>(sink.lines.size()));
    return sink;
  }
  // The directions in which water leaves cell (x, y), in the order drawn.
  static std::vector<std::int32_t> Leaving(const RecordingSink& sink, Point centre) {
    std::vector<std::int32_t> out;
    for (const auto& [from, to] : sink.lines) {
      if (!(from == centre)) continue;
      for (std::int32_t d = 0; d < 8; ++d) {
        Point p = from;
        StepPoint(p, d, 21);
        if (p == to) out.push_back(d);
      }
    }
    return out;
  }

  std::vector<LevelRecord> levels;
  RecordingEffects effects;
  Puzzle puzzle{levels, Rect{0, 300, 211, 322}, Rect{0, 0, 211, 211}, effects};
};

using Taken = std::map<std::int32_t, std::vector<std::int32_t>>;  // arriving -> leaving

// Water arriving in any direction leaves in one direction.
template <typename F>
Taken Every(F leaving) {
  Taken taken;
  for (std::int32_t d = 0; d < 8; ++d) taken[d] = {leaving(d)};
  return taken;
}

struct Row {
  std::int32_t kind;
  std::int32_t rotation;
  Taken taken;  // water arriving in any other direction stops
};

TEST_F(WaterTest, EachKindTakesOnlyItsOpeningsInEveryTestedRotation) {
  const std::vector<Row> table = {
      {KIND_ELBOW, 0, {{0, {2}}, {6, {4}}}},
      {KIND_ELBOW, 3, {{3, {5}}, {1, {7}}}},
      {KIND_ELBOW, 7, {{7, {1}}, {5, {3}}}},
      {KIND_BEND, 0, {{0, {1}}, {5, {4}}}},
      {KIND_BEND, 3, {{3, {4}}, {0, {7}}}},
      {KIND_BEND, 7, {{7, {0}}, {4, {3}}}},
      {KIND_SPLITTER, 0, {{0, {2, 6}}}},
      {KIND_SPLITTER, 3, {{3, {5, 1}}}},
      {KIND_SPLITTER, 7, {{7, {1, 5}}}},
      {KIND_EMPTY, 0, Every([](std::int32_t d) { return d; })},
      {KIND_FIRE, 1, Every([](std::int32_t d) { return d; })},
      {KIND_SOURCE, 4, Every([](std::int32_t) { return 4; })},  // only its own water
      {KIND_WALL, 0, {}},
      {KIND_SPARK, 0, {}},
  };
  for (const Row& row : table) {
    for (std::int32_t d = 0; d < 8; ++d) {
      puzzle.board.fill(Cell{});
      Put(5, 5, row.kind, row.rotation);
      Position behind{5, 5};
      StepPoint(behind, (d + 4) % 8, 1);
      Put(behind.x, behind.y, KIND_SOURCE, d);
      const RecordingSink sink = Trace();
      // The arriving stretch ends at the piece's centre, taken or not.
      const auto arriving = std::make_pair(Centre(behind.x, behind.y), Centre(5, 5));
      EXPECT_EQ(std::count(sink.lines.begin(), sink.lines.end(), arriving), 1);
      const auto it = row.taken.find(d);
      const std::vector<std::int32_t> expected =
          it == row.taken.end() ? std::vector<std::int32_t>{} : it->second;
      EXPECT_EQ(Leaving(sink, Centre(5, 5)), expected)
          << "kind " << row.kind << " rotation " << row.rotation << " arriving " << d;
    }
  }
}

TEST_F(WaterTest, SplitterRunsEastArmToTheEdgeBeforeTheWestArm) {
  Put(5, 6, KIND_SOURCE, 0);
  Put(5, 5, KIND_SPLITTER, 0);
  const RecordingSink sink = Trace();
  std::vector<std::pair<Point, Point>> expected{{Centre(5, 6), Centre(5, 5)}};
  for (std::int32_t x = 5; x <= 9; ++x) expected.emplace_back(Centre(x, 5), Centre(x + 1, 5));
  for (std::int32_t x = 5; x >= 0; --x) expected.emplace_back(Centre(x, 5), Centre(x - 1, 5));
  EXPECT_EQ(sink.lines, expected);  // the edge lines end past the board, at 221 and -10
  EXPECT_EQ(puzzle.LastTrace().sources, 1);
}

TEST_F(WaterTest, SourcesRunColumnByColumnAndStreamsCross) {
  Put(9, 3, KIND_SOURCE, 2);  // off the board at once
  Put(9, 0, KIND_SOURCE, 0);
  Put(0, 9, KIND_SOURCE, 4);
  Put(0, 5, KIND_SOURCE, 2);  // east along row 5
  Put(5, 0, KIND_SOURCE, 4);  // south along column 5, through (5, 5) as well
  Put(3, 5, KIND_FIRE);
  const RecordingSink sink = Trace();
  ASSERT_EQ(sink.lines.size(), 3u + 10u + 10u);
  EXPECT_EQ(sink.lines[0].first, Centre(0, 5));
  EXPECT_EQ(sink.lines[10].first, Centre(0, 9));
  EXPECT_EQ(sink.lines[11].first, Centre(5, 0));
  EXPECT_EQ(sink.lines[21].first, Centre(9, 0));
  EXPECT_EQ(sink.lines[22].first, Centre(9, 3));
  EXPECT_EQ(Leaving(sink, Centre(5, 5)), (std::vector<std::int32_t>{2, 4}));
  EXPECT_EQ(puzzle.LastTrace().sources, 5);
  EXPECT_EQ(puzzle.LastTrace().mostFlowCallsPerSource, 10);
  EXPECT_EQ(puzzle.screenMode, MODE_SOLVED);  // the fire on row 5 is doused
}

TEST_F(WaterTest, FailingBeatsSolvingAndHappensOnce) {
  Put(5, 6, KIND_SOURCE, 0);
  Put(5, 5, KIND_SPLITTER, 0);
  Put(7, 5, KIND_SPARK);  // east arm first: the hazard
  Put(2, 5, KIND_FIRE);   // the west arm still runs and douses the only fire
  Trace();
  EXPECT_EQ(puzzle.board[25].variant, 1);
  EXPECT_EQ(puzzle.screenMode, MODE_FAILED);
  EXPECT_EQ(effects.calls, (std::vector{AllEffect()}));
  Trace();
  EXPECT_EQ(puzzle.screenMode, MODE_FAILED);
  EXPECT_EQ(effects.calls.size(), 1u);
}

TEST_F(WaterTest, BoardWithoutFiresIsSolvedOnlyFromPlay) {
  puzzle.screenMode = MODE_MENU;
  Trace();
  EXPECT_EQ(puzzle.screenMode, MODE_MENU);
  puzzle.screenMode = MODE_PLAY;
  Trace();
  EXPECT_EQ(puzzle.screenMode, MODE_SOLVED);
  Trace();
  EXPECT_EQ(effects.calls, (std::vector{AllEffect()}));
  EXPECT_EQ(puzzle.LastTrace().sources, 0);
}

TEST_F(WaterTest, FiresAreDousedAfreshOnEveryRun) {
  Put(0, 0, KIND_SOURCE, 4);
  for (std::int32_t y = 2; y <= 8; y += 3) Put(0, y, KIND_FIRE, 1);
  Put(4, 4, KIND_FIRE, 1);  // never reached: burns again at once
  Trace();
  for (std::int32_t y = 2; y <= 8; y += 3) EXPECT_EQ(puzzle.BoardCell(0, y)->variant, 1);
  EXPECT_EQ(puzzle.BoardCell(4, 4)->variant, 0);
  Put(0, 4, KIND_BEND, 0);  // cuts the water off below row 3
  Trace();
  EXPECT_EQ(puzzle.BoardCell(0, 2)->variant, 1);
  EXPECT_EQ(puzzle.BoardCell(0, 5)->variant, 0);
  EXPECT_EQ(puzzle.BoardCell(0, 8)->variant, 0);
  EXPECT_EQ(puzzle.screenMode, MODE_PLAY);
}

TEST_F(WaterTest, WaterWithoutADirectionStops) {
  RecordingSink sink;
  EXPECT_EQ(puzzle.FlowFrom(sink, 4, 4, 8), 1);
  EXPECT_EQ(puzzle.FlowFrom(sink, 4, 4, -1), 1);
  EXPECT_EQ(sink.lines.size(), 2u);
  EXPECT_EQ(sink.lines[0], std::make_pair(Centre(4, 4), Centre(4, 4)));
}

}  // namespace
}  // namespace qw
