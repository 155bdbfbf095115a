// The water on the move: after a step that changes the water, the new
// stretches run one after another in the trace's own order, from where the
// water changed, at the speed the player picked. A fire the new water douses
// burns until the water reaches it and then gives a short puff; water that
// reaches a hazard gives a spark there. Solving ends with a short
// celebration over the doused fires: drops that move outward and never
// change the brightness of the screen. All of it is timed by the clock the
// loop hands in; nothing here draws.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "model/water.h"
#include "platform/geometry.h"
#include "ui/board_geometry.h"

namespace qw {

enum class Motion : std::uint8_t { kOff, kNormal, kFast };

// "off", "normal", "fast", as settings, the command line and scripts name them.
constexpr std::string_view MotionName(Motion m) {
  return m == Motion::kFast ? "fast" : m == Motion::kNormal ? "normal" : "off";
}
constexpr std::optional<Motion> MotionFromName(std::string_view name) {
  for (const Motion m : {Motion::kOff, Motion::kNormal, Motion::kFast}) {
    if (MotionName(m) == name) return m;
  }
  return std::nullopt;
}

// Stretches a second: Normal about 25 cells a second, Fast about 80.
constexpr std::int32_t StretchesPerSecond(Motion m) {
  return m == Motion::kFast ? 80 : m == Motion::kNormal ? 25 : 0;
}

// A puff, a spark or a celebration's drops at the centre of a cell.
struct Burst {
  enum class Kind : std::uint8_t { kPuff, kSpark, kDrops };
  Kind kind = Kind::kPuff;
  Position cell;
  std::uint64_t start = 0;
};

class WaterRun {
 public:
  static constexpr std::uint64_t kPuffMs = 350;
  static constexpr std::uint64_t kSparkMs = 300;
  static constexpr std::uint64_t kDropsMs = 900;

  // What a move of the clock changed.
  struct Moved {
    bool flowEnded = false;    // the water's run is over: its outcome may show
    std::int32_t doused = 0;   // fires the water has just reached
    std::int32_t sparked = 0;  // hazards it has just reached
  };
  using Invalidate = std::function<void(const Rect&)>;

  // Begins the run of the stretches of `after` that `before` does not have,
  // at `now`. False, with nothing running, when there are none or motion is
  // off.
  bool Start(const WaterTrace& before, const WaterTrace& after, const Board& board,
             std::uint64_t now, Motion motion);
  // The solved level's celebration over every doused fire of `board`.
  void Celebrate(const Board& board, std::uint64_t now);
  // Moves the run on to `now`; what looks different goes to `invalidate`.
  Moved Advance(std::uint64_t now, const BoardGeometry& geometry, const Invalidate& invalidate);
  // Completes everything at once, as a press or a key does. flowEnded: the
  // water was still running.
  Moved Finish(const BoardGeometry& geometry, const Invalidate& invalidate);

  // Something moves: the water or a burst.
  bool running() const { return flowing_ || !bursts_.empty(); }
  bool flowing() const { return flowing_; }

  // For the renderer. How much of trace step i shows: 0 nothing, 1 all of it,
  // between for the stretch the water is running along.
  double Shown(std::size_t i) const;
  // A fire the new water douses but has not reached yet.
  bool FireWaiting(Position p) const;
  const std::vector<Burst>& bursts() const { return bursts_; }
  std::uint64_t now() const { return now_; }

  // The rectangle a stretch or a burst may paint in.
  static Rect StretchRect(const BoardGeometry& geometry, const WaterStep& step);
  static Rect BurstRect(const BoardGeometry& geometry, const Burst& burst);

 private:
  // Stretches fully run so far, and how far along the next one.
  std::int32_t whole_ = 0;
  double part_ = 0;
  bool flowing_ = false;
  std::uint64_t start_ = 0;
  std::uint64_t now_ = 0;
  std::int32_t perSecond_ = 0;
  // Rank of each trace step among the new ones; -1: shown from the start.
  std::vector<std::int32_t> rank_;
  // The new stretches in order, with what each reaches: a fire to douse, a
  // hazard, or nothing.
  struct NewStretch {
    WaterStep step;
    Position reaches;
    Burst::Kind burst = Burst::Kind::kPuff;
    bool bursts = false;
  };
  std::vector<NewStretch> stretches_;
  std::vector<Position> waitingFires_;
  std::vector<Burst> bursts_;
};

}  // namespace qw
