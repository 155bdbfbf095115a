// The water trace reports each stretch of water it runs, in order, to a sink:
// the renderer draws them as lines, tests record them.
#pragma once

#include <cstdint>

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

// The water of one source never visits a (cell, direction) pair twice.
inline constexpr std::int32_t kMaxFlowCallsPerSource = 100 * 8;

}  // namespace qw
