// The water trace: from every source through the pipe pieces, dousing fires,
// failing on a hazard and solving when no fire burns.
#include <algorithm>
#include <cstddef>

#include "model/puzzle.h"

namespace qw {

namespace {

constexpr std::int32_t Turn(std::int32_t d, std::int32_t steps) { return (d + steps) & 7; }

WaterPassage Leaving(std::int32_t d) { return WaterPassage{{d, 0}, 1, false, false}; }
WaterPassage Split(std::int32_t first, std::int32_t second) {
  return WaterPassage{{first, second}, 2, false, false};
}

}  // namespace

WaterPassage WaterExits(const Cell& cell, std::int32_t d) {
  const std::int32_t r = NormalizeDirection(cell.variant);
  switch (cell.kind) {
    case KIND_EMPTY:
      return Leaving(d);
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

void Puzzle::TraceWater(WaterSink& sink) {
  // Doused is decided afresh on every run: a fire whose water has been cut
  // off burns again.
  for (Cell& cell : board) {
    if (cell.kind == KIND_FIRE) cell.variant = 0;
  }

  TraceStats stats;
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = 0; y < kBoardSize; ++y) {
      const Cell& cell = board[static_cast<std::size_t>(BoardIndex(x, y))];
      if (cell.kind != KIND_SOURCE) continue;
      const std::int32_t calls = FlowFrom(sink, x, y, cell.variant);
      ++stats.sources;
      stats.flowCalls += calls;
      stats.mostFlowCallsPerSource = std::max(stats.mostFlowCallsPerSource, calls);
    }
  }
  lastTrace_ = stats;

  // A hazard reached in this run has already left MODE_PLAY, so failing
  // beats solving.
  const bool burning = std::any_of(board.begin(), board.end(), [](const Cell& c) {
    return c.kind == KIND_FIRE && c.variant == 0;
  });
  if (!burning && screenMode == MODE_PLAY) {
    screenMode = MODE_SOLVED;
    effects_.InvalidateAll();
  }
}

// Every (cell, leaving direction) pair has at most one pair that leads to it,
// and a source passes no water on, so one source's water makes at most
// 100 * 8 calls and the recursion is never deeper than that.
std::int32_t Puzzle::FlowFrom(WaterSink& sink, std::int32_t x, std::int32_t y, std::int32_t d) {
  const Point from = RectCenter(CellRect(x, y));
  Point to = from;
  StepPoint(to, d, 21);
  sink.WaterLine(from, to);
  // Water with no direction goes nowhere. (Taken further it would enter its
  // own cell again: a source stops it, but any other cell would send it back
  // forever.)
  if (d < 0 || d > 7) return 1;

  Position next{x, y};
  StepPoint(next, d, 1);
  if (!IsBoardCell(next)) return 1;  // off the board's edge

  Cell& cell = board[static_cast<std::size_t>(BoardIndex(next.x, next.y))];
  const WaterPassage passage = WaterExits(cell, d);
  if (passage.douses) cell.variant = 1;
  if (passage.reachesHazard && screenMode != MODE_FAILED) {
    screenMode = MODE_FAILED;
    effects_.InvalidateAll();
  }
  std::int32_t calls = 1;
  for (std::int32_t i = 0; i < passage.exitCount; ++i) {
    calls += FlowFrom(sink, next.x, next.y, passage.exits[static_cast<std::size_t>(i)]);
  }
  return calls;
}

}  // namespace qw
