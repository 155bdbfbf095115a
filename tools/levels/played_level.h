// One level set up by the game's own code: a puzzle over a one-level table,
// with effects that go nowhere and a water sink that draws nothing.
#pragma once

#include <vector>

#include "data/levels.h"
#include "model/effects.h"
#include "model/puzzle.h"
#include "model/water.h"

namespace qw {

class NoModelEffects : public ModelEffects {
 public:
  void InvalidateRect(const Rect&) override {}
  void InvalidateAll() override {}
  void ShowToolbar(bool) override {}
};

class NoWaterSink : public WaterSink {
 public:
  void WaterLine(Point, Point) override {}
};

// Not copyable or movable: the puzzle keeps references to the table and the
// effects.
struct PlayedLevel {
  explicit PlayedLevel(const LevelRecord& level, const Rect& trayRect = {}, const Rect& boardRect = {})
      : levels{level}, puzzle(levels, trayRect, boardRect, effects) {
    puzzle.StartLevel(0);
  }
  PlayedLevel(const PlayedLevel&) = delete;
  PlayedLevel& operator=(const PlayedLevel&) = delete;

  std::vector<LevelRecord> levels;
  NoModelEffects effects;
  Puzzle puzzle;
};

}  // namespace qw
