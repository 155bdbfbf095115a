#include "ui/water_run.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace qw {

namespace {

// The reach of a burst from its cell's centre, in pixels.
constexpr std::int32_t kBurstReach = 16;
constexpr std::int32_t kDropsReach = 28;
// How far a 2-pixel line of water reaches past its ends.
constexpr std::int32_t kWaterWidthReach = 3;

std::uint64_t DurationOf(Burst::Kind kind) {
  switch (kind) {
    case Burst::Kind::kPuff: return WaterRun::kPuffMs;
    case Burst::Kind::kSpark: return WaterRun::kSparkMs;
    case Burst::Kind::kDrops: return WaterRun::kDropsMs;
  }
  return 0;
}

const Cell* CellAt(const Board& board, Position p) {
  if (!IsBoardCell(p)) return nullptr;
  return &board[static_cast<std::size_t>(BoardIndex(p.x, p.y))];
}

}  // namespace

Rect WaterRun::StretchRect(const BoardGeometry& geometry, const WaterStep& step) {
  const auto [from, to] = geometry.WaterLine(step);
  const Rect line{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                  std::max(from.y, to.y) + 1};
  return InflateRect(line, kWaterWidthReach, kWaterWidthReach);
}

Rect WaterRun::BurstRect(const BoardGeometry& geometry, const Burst& burst) {
  const Point c = geometry.CellCentre(burst.cell);
  const std::int32_t r = burst.kind == Burst::Kind::kDrops ? kDropsReach : kBurstReach;
  return Rect{c.x - r, c.y - r, c.x + r + 1, c.y + r + 1};
}

bool WaterRun::Start(const WaterTrace& before, const WaterTrace& after, const Board& board,
                     std::uint64_t now, Motion motion) {
  *this = WaterRun{};
  now_ = now;
  if (motion == Motion::kOff) return false;
  // A stretch the old water already ran shows at once; the new ones run.
  auto key = [](const WaterStep& s) {
    return std::make_pair(BoardIndex(s.cell.x, s.cell.y), s.direction);
  };
  std::set<std::pair<std::int32_t, std::int32_t>> old;
  for (const WaterStep& s : before.steps) old.insert(key(s));
  rank_.assign(after.steps.size(), -1);
  for (std::size_t i = 0; i < after.steps.size(); ++i) {
    const WaterStep& s = after.steps[i];
    if (old.count(key(s))) continue;
    rank_[i] = static_cast<std::int32_t>(stretches_.size());
    NewStretch stretch{s, s.cell};
    StepPosition(stretch.reaches, s.direction);
    if (const Cell* reached = CellAt(board, stretch.reaches)) {
      const std::size_t index =
          static_cast<std::size_t>(BoardIndex(stretch.reaches.x, stretch.reaches.y));
      if (reached->kind == KIND_FIRE && after.doused[index] && !before.doused[index] &&
          std::find(waitingFires_.begin(), waitingFires_.end(), stretch.reaches) ==
              waitingFires_.end()) {
        stretch.bursts = true;
        waitingFires_.push_back(stretch.reaches);
      } else if (reached->kind == KIND_SPARK) {
        stretch.bursts = true;
        stretch.burst = Burst::Kind::kSpark;
      }
    }
    stretches_.push_back(stretch);
  }
  if (stretches_.empty()) return false;
  flowing_ = true;
  start_ = now;
  perSecond_ = StretchesPerSecond(motion);
  return true;
}

void WaterRun::Celebrate(const Board& board, std::uint64_t now) {
  now_ = now;
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = 0; y < kBoardSize; ++y) {
      const Cell& cell = board[static_cast<std::size_t>(BoardIndex(x, y))];
      if (cell.kind == KIND_FIRE && cell.variant == 1)
        bursts_.push_back(Burst{Burst::Kind::kDrops, {x, y}, now});
    }
  }
}

WaterRun::Moved WaterRun::Advance(std::uint64_t now, const BoardGeometry& geometry,
                                  const Invalidate& invalidate) {
  Moved moved;
  now_ = std::max(now, now_);
  const auto total = static_cast<std::int32_t>(stretches_.size());
  if (flowing_) {
    const double at = static_cast<double>(now_ - start_) * perSecond_ / 1000.0;
    const std::int32_t whole = std::min(total, static_cast<std::int32_t>(std::floor(at)));
    const double part = whole < total ? at - whole : 0.0;
    for (std::int32_t i = whole_; i < std::min(total, whole + 1); ++i) {
      const NewStretch& s = stretches_[static_cast<std::size_t>(i)];
      invalidate(StretchRect(geometry, s.step));
      if (i >= whole || !s.bursts) continue;
      // The stretch has reached its cell: the burst starts when it did.
      const std::uint64_t reached = start_ + static_cast<std::uint64_t>(i + 1) * 1000 / perSecond_;
      bursts_.push_back(Burst{s.burst, s.reaches, reached});
      if (s.burst == Burst::Kind::kPuff) {
        std::erase(waitingFires_, s.reaches);
        invalidate(geometry.CellRect(s.reaches));
        ++moved.doused;
      } else {
        ++moved.sparked;
      }
    }
    whole_ = whole;
    part_ = part;
  }
  // Bursts move every frame; those that are over leave their area to repaint.
  for (const Burst& b : bursts_) invalidate(BurstRect(geometry, b));
  std::erase_if(bursts_, [&](const Burst& b) { return now_ >= b.start + DurationOf(b.kind); });
  const bool waiting = std::any_of(bursts_.begin(), bursts_.end(),
                                   [](const Burst& b) { return b.kind != Burst::Kind::kDrops; });
  if (flowing_ && whole_ == total && !waiting) {
    flowing_ = false;
    moved.flowEnded = true;
  }
  return moved;
}

WaterRun::Moved WaterRun::Finish(const BoardGeometry& geometry, const Invalidate& invalidate) {
  Moved moved;
  if (flowing_) {
    for (std::size_t i = static_cast<std::size_t>(whole_); i < stretches_.size(); ++i) {
      invalidate(StretchRect(geometry, stretches_[i].step));
      if (!stretches_[i].bursts) continue;
      if (stretches_[i].burst == Burst::Kind::kPuff) {
        ++moved.doused;
      } else {
        ++moved.sparked;
      }
    }
    for (const Position p : waitingFires_) invalidate(geometry.CellRect(p));
    moved.flowEnded = true;
  }
  for (const Burst& b : bursts_) invalidate(BurstRect(geometry, b));
  const std::uint64_t now = now_;
  *this = WaterRun{};
  now_ = now;
  return moved;
}

double WaterRun::Shown(std::size_t i) const {
  if (!flowing_ || i >= rank_.size() || rank_[i] < 0 || rank_[i] < whole_) return 1.0;
  return rank_[i] == whole_ ? part_ : 0.0;
}

bool WaterRun::FireWaiting(Position p) const {
  return flowing_ &&
         std::find(waitingFires_.begin(), waitingFires_.end(), p) != waitingFires_.end();
}

}  // namespace qw
