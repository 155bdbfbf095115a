// The water trace: from every source through the pipe pieces, noting the
// fires it reaches and the hazards it touches.
#include "model/water.h"

#include <algorithm>
#include <cstddef>

namespace qw {

namespace {

constexpr std::int32_t Turn(std::int32_t d, std::int32_t steps) { return (d + steps) & 7; }

WaterPassage Leaving(std::int32_t d) { return WaterPassage{{d, 0}, 1, false, false}; }
WaterPassage Split(std::int32_t first, std::int32_t second) {
  return WaterPassage{{first, second}, 2, false, false};
}

// Every (cell, leaving direction) pair has at most one pair that leads to it,
// and a source passes no water on, so one source's water makes at most
// 100 * 8 steps and the recursion is never deeper than that. Gives the
// number of steps made, this one included.
std::int32_t FlowFrom(const Board& board, WaterTrace& trace, Position from, std::int32_t d) {
  trace.steps.push_back(WaterStep{from, d});
  // Water with no direction goes nowhere. (Taken further it would enter its
  // own cell again: a source stops it, but any other cell would send it back
  // forever.)
  if (d < 0 || d > 7) return 1;

  Position next = from;
  StepPosition(next, d);
  if (!IsBoardCell(next)) return 1;  // off the board's edge

  const std::size_t index = static_cast<std::size_t>(BoardIndex(next.x, next.y));
  const WaterPassage passage = WaterExits(board[index], d);
  if (passage.douses) trace.doused.set(index);
  if (passage.reachesHazard) trace.reachesHazard = true;
  std::int32_t calls = 1;
  for (std::int32_t i = 0; i < passage.exitCount; ++i) {
    calls += FlowFrom(board, trace, next, passage.exits[static_cast<std::size_t>(i)]);
  }
  return calls;
}

}  // namespace

WaterPassage WaterExits(const Cell& cell, std::int32_t d) {
  const std::int32_t r = NormalizeDirection(cell.variant);
  switch (cell.kind) {
    case KIND_EMPTY: return Leaving(d);
    case KIND_FIRE: {
      WaterPassage passage = Leaving(d);
      passage.douses = true;
      return passage;
    }
    case KIND_ELBOW:
      if (d == r) return Leaving(Turn(d, 2));
      if (d == Turn(r, 6)) return Leaving(Turn(d, 6));
      return {};
    case KIND_BEND:
      if (d == r) return Leaving(Turn(d, 1));
      if (d == Turn(r, 5)) return Leaving(Turn(d, 7));
      return {};
    case KIND_SPLITTER:
      if (d == r) return Split(Turn(d, 2), Turn(d, 6));
      return {};
    case KIND_SPARK: {
      WaterPassage passage;
      passage.reachesHazard = true;
      return passage;
    }
    default:  // source, wall and anything else stop the water
      return {};
  }
}

void TraceWater(const Board& board, WaterTrace& trace) {
  trace.steps.clear();
  trace.doused.reset();
  trace.reachesHazard = false;
  TraceStats stats;
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = 0; y < kBoardSize; ++y) {
      const Cell& cell = board[static_cast<std::size_t>(BoardIndex(x, y))];
      if (cell.kind != KIND_SOURCE) continue;
      const std::int32_t calls = FlowFrom(board, trace, Position{x, y}, cell.variant);
      ++stats.sources;
      stats.flowCalls += calls;
      stats.mostFlowCallsPerSource = std::max(stats.mostFlowCallsPerSource, calls);
    }
  }
  trace.stats = stats;
  trace.fireBurning = false;
  for (std::size_t i = 0; i < board.size(); ++i) {
    if (board[i].kind == KIND_FIRE && !trace.doused.test(i)) trace.fireBurning = true;
  }
}

WaterTrace TraceWater(const Board& board) {
  WaterTrace trace;
  TraceWater(board, trace);
  return trace;
}

}  // namespace qw
