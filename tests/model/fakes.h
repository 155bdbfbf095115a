// Recording stand-ins for the window's effects and the water renderer.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/effects.h"
#include "model/water.h"

namespace qw::testing {

struct Effect {
  enum Type { kRect, kAll, kToolbar } type;
  Rect rect{};
  bool visible = false;
  friend bool operator==(const Effect&, const Effect&) = default;
};

inline Effect RectEffect(const Rect& r) { return Effect{Effect::kRect, r, false}; }
inline Effect AllEffect() { return Effect{Effect::kAll, {}, false}; }
inline Effect ToolbarEffect(bool visible) { return Effect{Effect::kToolbar, {}, visible}; }

class RecordingEffects : public ModelEffects {
 public:
  void InvalidateRect(const Rect& rect) override { calls.push_back(RectEffect(rect)); }
  void InvalidateAll() override { calls.push_back(AllEffect()); }
  void ShowToolbar(bool visible) override { calls.push_back(ToolbarEffect(visible)); }
  std::vector<Effect> calls;
};

class RecordingSink : public WaterSink {
 public:
  void WaterLine(Point from, Point to) override { lines.emplace_back(from, to); }
  std::vector<std::pair<Point, Point>> lines;
};

}  // namespace qw::testing
