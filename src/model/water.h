// The water trace reports each stretch of water it runs, in order, to a sink:
// the renderer draws them as lines, tests record them.
#pragma once

#include <array>
#include <cstdint>

#include "model/cell.h"
#include "platform/geometry.h"

namespace qw {

class WaterSink {
 public:
  virtual ~WaterSink() = default;
  // One stretch, from the centre of the cell the water leaves to the centre
  // of the next cell in its direction (which may lie past the board's edge).
  virtual void WaterLine(Point from, Point to) = 0;
};

// Counts of the last complete run. Each FlowFrom call draws one line.
struct TraceStats {
  std::int32_t sources = 0;
  std::int32_t flowCalls = 0;               // all sources together
  std::int32_t mostFlowCallsPerSource = 0;  // never above 800
};

// What water does in the cell it enters: the directions it leaves in, in the
// order they run, and what else happens there.
struct WaterPassage {
  std::array<std::int32_t, 2> exits{};
  std::int32_t exitCount = 0;
  bool douses = false;         // the cell is a fire
  bool reachesHazard = false;  // the cell is an electrical hazard
};

// The water rule of one cell, shared by the trace and by anything that
// reasons about the water: water travelling in direction d (0..7) enters
// `cell`. Empty cells and fires let it run straight on; an elbow takes it at
// d = r (leaving d + 2) or d = r + 6 (leaving d + 6); a bend at d = r
// (leaving d + 1) or d = r + 5 (leaving d + 7); a splitter only at d = r
// (leaving d + 2, then d + 6); everything else stops it. A rotation outside
// 0..7 is read modulo 8, so that the rule stays one-to-one.
WaterPassage WaterExits(const Cell& cell, std::int32_t d);

// The water of one source never visits a (cell, direction) pair twice.
inline constexpr std::int32_t kMaxFlowCallsPerSource = 100 * 8;

}  // namespace qw
