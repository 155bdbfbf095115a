// The search's bounds: whether the fires can still all be reached with the
// pieces left, and how many open cells a flow passes before a hazard. They
// cut off branches that cannot lead to a solution.
#include <algorithm>
#include <bit>
#include <limits>

#include "solver/search_board.h"

namespace qw {

bool SearchBoard::FiresReachable(const SearchState& s, std::int32_t piecesLeft, bool mayTakeBack,
                                 CellSet& reached) const {
  reached.reset();
  // 0-1 breadth-first search over (cell, leaving direction): a turn in an
  // open cell costs one piece, everything else is free.
  constexpr std::int32_t kStates = kBoardCells * 8;
  constexpr std::uint8_t kUnreached = std::numeric_limits<std::uint8_t>::max();
  std::array<std::uint8_t, kStates> cost;
  cost.fill(kUnreached);
  std::array<std::uint8_t, kBoardCells> fireCost;
  fireCost.fill(kUnreached);
  constexpr std::size_t kRing = 1 << 14;  // above the most pushes: 800 states x 11 costs
  std::array<std::int16_t, kRing> ring;
  std::size_t head = 0;
  std::size_t tail = 0;
  auto relax = [&](std::int32_t cell, std::int32_t dir, std::int32_t c, bool front) {
    const auto i = static_cast<std::size_t>(cell * 8 + dir);
    if (c >= cost[i]) return;
    cost[i] = static_cast<std::uint8_t>(c);
    if (front) {
      head = (head + kRing - 1) % kRing;
      ring[head] = static_cast<std::int16_t>(i);
    } else {
      ring[tail] = static_cast<std::int16_t>(i);
      tail = (tail + 1) % kRing;
    }
  };
  for (const Flow& f : s.pending) relax(f.cell, f.dir, 0, false);
  std::int32_t avail = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    if (s.tray[k] > 0) avail |= 1 << k;
  }
  if (mayTakeBack) {
    for (const std::int32_t i : playerCells_) {
      const auto ii = static_cast<std::size_t>(i);
      if (IsUntouched(s, ii)) avail |= 1 << KindSlot(s.cells[ii].kind);
    }
  }
  const std::uint8_t noTurns = 0;
  while (head != tail) {
    const std::int32_t state = ring[head];
    head = (head + 1) % kRing;
    const std::int32_t c = cost[static_cast<std::size_t>(state)];
    const Flow f{static_cast<std::int8_t>(state / 8), static_cast<std::int8_t>(state % 8)};
    const std::int32_t n = Next(f);
    if (n < 0) continue;
    const auto ni = static_cast<std::size_t>(n);
    reached.set(ni);
    const Cell& cell = s.cells[ni];
    const bool untouched = IsUntouched(s, ni);
    if (s.open[ni] != 0 || (mayTakeBack && untouched)) {
      relax(n, f.dir, c, true);
      const std::uint8_t turns =
          c < piecesLeft ? turns_[static_cast<std::size_t>(avail)][static_cast<std::size_t>(f.dir)]
                         : noTurns;
      for (unsigned bits = turns; bits != 0; bits &= bits - 1)
        relax(n, std::countr_zero(bits), c + 1, false);
      if (!untouched) continue;
    }
    if (IsPipePiece(cell)) {
      const std::uint8_t exits = exitsOfSet_[static_cast<std::size_t>(KindSlot(cell.kind))]
                                            [static_cast<std::size_t>(f.dir)][s.rotations[ni]];
      for (unsigned bits = exits; bits != 0; bits &= bits - 1)
        relax(n, std::countr_zero(bits), c, true);
      continue;
    }
    // The game's rule, as WaterExits gave it for the cell's kind.
    const auto code = static_cast<std::size_t>(KindCode(cell.kind) + 1);
    const std::uint16_t passage =
        code < fixedExits_.size() ? fixedExits_[code][static_cast<std::size_t>(f.dir)] : 0;
    if ((passage & kDouses) != 0)
      fireCost[ni] = std::min<std::uint8_t>(fireCost[ni], static_cast<std::uint8_t>(c));
    for (unsigned exits = passage & 0xffu; exits != 0; exits &= exits - 1)
      relax(n, std::countr_zero(exits), c, true);
  }
  for (std::size_t i = 0; i < s.cells.size(); ++i) {
    const Cell& cell = s.cells[i];
    if (cell.kind == KIND_FIRE && cell.variant == 0 && fireCost[i] > piecesLeft) return false;
  }
  return true;
}

std::int32_t SearchBoard::OpenCellsBeforeHazard(const SearchState& s, Flow f) const {
  // Follows the water as if every open cell stayed empty, as far as it runs
  // without branching; kNoHazard when it ends harmlessly.
  std::int32_t open = 0;
  for (std::int32_t steps = 0; steps < kBoardCells * 8; ++steps) {
    const std::int32_t n = Next(f);
    if (n < 0) return kNoHazard;
    const auto ni = static_cast<std::size_t>(n);
    const Cell& cell = s.cells[ni];
    Cell rule = cell;
    if (s.open[ni] != 0) {
      ++open;
      rule = Cell{KIND_EMPTY, 0};
    } else if (IsPipePiece(cell)) {
      if (!SameForAll(cell.kind, s.rotations[ni], f.dir)) return kNoHazard;
      rule.variant = Lowest(s.rotations[ni]);
    }
    const WaterPassage passage = WaterExits(rule, f.dir);
    if (passage.reachesHazard) return open;
    if (passage.exitCount != 1) return kNoHazard;
    f = Flow{static_cast<std::int8_t>(n), static_cast<std::int8_t>(passage.exits[0])};
  }
  return kNoHazard;
}

}  // namespace qw
