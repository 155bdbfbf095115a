#include "solver/search_board.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "solver/played_level.h"
#include "model/water.h"

namespace qw {

namespace {

constexpr std::array<PieceKind, 3> kPieceKinds{KIND_ELBOW, KIND_BEND, KIND_SPLITTER};
constexpr std::uint8_t kAllRotations = 0xff;

std::uint8_t BehaviourCode(const WaterPassage& p) {
  if (p.exitCount == 0) return 0;
  if (p.exitCount == 1) return static_cast<std::uint8_t>(1 + p.exits[0]);
  return static_cast<std::uint8_t>(9 + p.exits[0] * 8 + p.exits[1]);
}

std::int32_t CellNumberOf(std::int32_t boardIndex) {
  return (boardIndex % kBoardSize) * kBoardSize + boardIndex / kBoardSize;
}

}  // namespace

SearchBoard::SearchBoard(const LevelRecord& level) {
  // The level as the game sets it up, out-of-limit values and all.
  const PlayedLevel played(level);
  Init(played.puzzle.board(), played.puzzle.tray());
}

SearchBoard::SearchBoard(const std::array<Cell, kBoardCells>& board,
                         const std::array<Cell, kTraySlots>& tray) {
  Init(board, tray);
}

void SearchBoard::Init(const std::array<Cell, kBoardCells>& board,
                       const std::array<Cell, kTraySlots>& tray) {
  for (std::int32_t x = 0; x < kBoardSize; ++x) {
    for (std::int32_t y = 0; y < kBoardSize; ++y) {
      for (std::int32_t d = 0; d < 8; ++d) {
        Position p{x, y};
        StepPosition(p, d);
        next_[static_cast<std::size_t>(BoardIndex(x, y))][static_cast<std::size_t>(d)] =
            IsBoardCell(p) ? BoardIndex(p.x, p.y) : -1;
      }
    }
  }
  for (std::size_t k = 0; k < kPieceKinds.size(); ++k) {
    for (std::int32_t d = 0; d < 8; ++d) {
      for (std::int32_t r = 0; r < 8; ++r) {
        const WaterPassage p = WaterExits(Cell{kPieceKinds[k], r}, d);
        behaviour_[k][static_cast<std::size_t>(d)][static_cast<std::size_t>(r)] = BehaviourCode(p);
        for (std::int32_t avail = 0; avail < 8; ++avail) {
          if ((avail & (1 << k)) == 0) continue;
          for (std::int32_t i = 0; i < p.exitCount; ++i) {
            turns_[static_cast<std::size_t>(avail)][static_cast<std::size_t>(d)] |=
                static_cast<std::uint8_t>(1u << p.exits[static_cast<std::size_t>(i)]);
          }
        }
      }
    }
  }

  for (std::size_t k = 0; k < kPieceKinds.size(); ++k) {
    for (std::int32_t d = 0; d < 8; ++d) {
      auto& sets = exitsOfSet_[k][static_cast<std::size_t>(d)];
      for (std::int32_t r = 0; r < 8; ++r) {
        const WaterPassage p = WaterExits(Cell{kPieceKinds[k], r}, d);
        std::uint8_t bits = 0;
        for (std::int32_t i = 0; i < p.exitCount; ++i)
          bits |= static_cast<std::uint8_t>(1u << p.exits[static_cast<std::size_t>(i)]);
        sets[static_cast<std::size_t>(1u << r)] = bits;
      }
      for (std::size_t mask = 1; mask < sets.size(); ++mask) {
        const std::size_t low = mask & (~mask + 1);
        sets[mask] = static_cast<std::uint8_t>(sets[low] | sets[mask ^ low]);
      }
    }
  }

  for (std::size_t code = 0; code < fixedExits_.size(); ++code) {
    for (std::int32_t d = 0; d < 8; ++d) {
      const WaterPassage p = WaterExits(Cell{static_cast<PieceKind>(code - 1), 0}, d);
      std::uint16_t bits = p.douses ? kDouses : 0;
      for (std::int32_t i = 0; i < p.exitCount; ++i)
        bits |= static_cast<std::uint16_t>(1u << p.exits[static_cast<std::size_t>(i)]);
      fixedExits_[code][static_cast<std::size_t>(d)] = bits;
    }
  }

  start_.cells = board;
  playerRotation_.fill(-1);
  for (std::size_t i = 0; i < start_.cells.size(); ++i) {
    Cell& cell = start_.cells[i];
    if (cell.kind == KIND_FIRE) cell.variant = 0;  // the search douses them itself
    start_.open[i] = cell.kind == KIND_EMPTY ? 1 : 0;
    if (cell.kind == KIND_FIRE) ++start_.burning;
    if (IsPipePiece(cell)) {
      cell.variant = NormalizeDirection(cell.variant);
      playerRotation_[i] = static_cast<std::int8_t>(cell.variant);
      playerCells_.push_back(static_cast<std::int32_t>(i));
      start_.rotations[i] = kAllRotations;
    }
  }
  for (const Cell& slot : tray) {
    if (IsPipePiece(slot)) ++start_.tray[static_cast<std::size_t>(KindSlot(slot.kind))];
  }
  // Sources column by column, as the trace runs them; the last one pushed
  // runs first.
  for (std::int32_t b = kBoardCells - 1; b >= 0; --b) {
    const Cell& cell = start_.cells[static_cast<std::size_t>(b)];
    if (cell.kind == KIND_SOURCE) {
      start_.pending.push_back(
          Flow{static_cast<std::int8_t>(b), static_cast<std::int8_t>(cell.variant)});
    }
  }
}

std::int32_t SearchBoard::Untouched(const SearchState& s) const {
  std::int32_t count = 0;
  for (const std::int32_t i : playerCells_)
    count += IsUntouched(s, static_cast<std::size_t>(i)) ? 1 : 0;
  return count;
}

bool SearchBoard::SameForAll(PieceKind kind, std::uint8_t mask, std::int32_t d) const {
  const auto& codes =
      behaviour_[static_cast<std::size_t>(KindSlot(kind))][static_cast<std::size_t>(d)];
  const std::uint8_t first = codes[static_cast<std::size_t>(Lowest(mask))];
  for (std::int32_t r = 0; r < 8; ++r) {
    if ((mask >> r & 1) != 0 && codes[static_cast<std::size_t>(r)] != first) return false;
  }
  return true;
}

std::int32_t SearchBoard::Behaviours(PieceKind kind, std::uint8_t mask, std::int32_t d,
                                     std::array<std::uint8_t, 8>& groups) const {
  const auto& codes =
      behaviour_[static_cast<std::size_t>(KindSlot(kind))][static_cast<std::size_t>(d)];
  std::array<std::uint8_t, 8> groupCode{};
  std::int32_t count = 0;
  std::uint8_t stopping = 0;
  for (std::int32_t r = 0; r < 8; ++r) {
    if ((mask >> r & 1) == 0) continue;
    const std::uint8_t code = codes[static_cast<std::size_t>(r)];
    if (code == 0) {
      stopping |= static_cast<std::uint8_t>(1u << r);
      continue;
    }
    std::int32_t g = 0;
    while (g < count && groupCode[static_cast<std::size_t>(g)] != code) ++g;
    if (g == count) {
      groupCode[static_cast<std::size_t>(g)] = code;
      groups[static_cast<std::size_t>(g)] = 0;
      ++count;
    }
    groups[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>(1u << r);
  }
  if (stopping != 0) groups[static_cast<std::size_t>(count++)] = stopping;
  return count;
}

bool SearchBoard::Propagate(SearchState& s) const {
  FlowList work = s.pending;
  s.pending.clear();
  while (!work.empty()) {
    const Flow f = work.back();
    work.pop_back();
    const std::int32_t n = Next(f);
    if (n < 0) continue;  // off the board's edge
    const auto ni = static_cast<std::size_t>(n);
    Cell& cell = s.cells[ni];
    Cell rule = cell;
    if (s.open[ni] != 0) {
      s.pending.push_back(f);
      continue;
    }
    if (IsPipePiece(cell)) {
      if (!SameForAll(cell.kind, s.rotations[ni], f.dir)) {
        s.pending.push_back(f);
        continue;
      }
      rule.variant = Lowest(s.rotations[ni]);
    }
    const WaterPassage passage = WaterExits(rule, f.dir);
    if (passage.reachesHazard) return false;
    if (passage.douses && cell.variant == 0) {
      cell.variant = 1;
      --s.burning;
    }
    for (std::int32_t i = passage.exitCount - 1; i >= 0; --i) {
      work.push_back(Flow{static_cast<std::int8_t>(n),
                          static_cast<std::int8_t>(passage.exits[static_cast<std::size_t>(i)])});
    }
  }
  return true;
}

StateKey SearchBoard::Key(const SearchState& s, std::int32_t piecesLeft,
                          const CellSet& reached) const {
  // Two 64-bit FNV-1a hashes with different offsets over the same bytes.
  StateKey key{0xcbf29ce484222325ull, 0x84222325cbf29ce4ull};
  auto add = [&key](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t byte = static_cast<std::uint8_t>(v >> (8 * i));
      key.a = (key.a ^ byte) * 0x100000001b3ull;
      key.b = (key.b ^ byte) * 0x100000001b3ull + 0x9e3779b9ull;
    }
  };
  std::array<std::uint16_t, FlowList::kCapacity> flows;
  std::size_t count = 0;
  for (const Flow& f : s.pending) {
    if (count < flows.size()) flows[count++] = static_cast<std::uint16_t>(f.cell * 8 + f.dir);
  }
  std::sort(flows.begin(), flows.begin() + static_cast<std::ptrdiff_t>(count));
  add(static_cast<std::uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) add(flows[i]);
  add(static_cast<std::uint32_t>(s.tray[0] | s.tray[1] << 8 | s.tray[2] << 16 | piecesLeft << 24));
  // The player's untouched pieces that the water cannot reach may still be
  // taken back and used anywhere: only how many of each kind matters.
  add(static_cast<std::uint32_t>(s.turns | s.takenBack << 8));
  std::array<std::uint32_t, 3> spare{};
  for (const std::int32_t i : playerCells_) {
    const auto ii = static_cast<std::size_t>(i);
    if (!reached.test(ii) && IsUntouched(s, ii))
      ++spare[static_cast<std::size_t>(KindSlot(s.cells[ii].kind))];
  }
  add(spare[0] | spare[1] << 8 | spare[2] << 16);
  for (std::size_t i = 0; i < kBoardCells; ++i) {
    if (!reached.test(i)) continue;
    const Cell& cell = s.cells[i];
    const std::uint32_t content =
        IsPipePiece(cell) ? s.rotations[i] : static_cast<std::uint32_t>(cell.variant & 0xff);
    add(static_cast<std::uint32_t>(i) | static_cast<std::uint32_t>(s.open[i]) << 8 |
        static_cast<std::uint32_t>(KindCode(cell.kind) & 0xff) << 16 | content << 24);
  }
  return key;
}

Flow SearchBoard::ChooseFlow(const SearchState& s) const {
  // A piece whose rotations still differ costs nothing to settle: first.
  for (const Flow& f : s.pending) {
    if (s.open[static_cast<std::size_t>(Next(f))] == 0) return f;
  }
  // Then the stream that runs into a hazard past the fewest open cells: it
  // has the fewest ways out, and a dead end shows soonest.
  Flow best = s.pending.back();
  std::int32_t fewest = kNoHazard;
  for (const Flow* it = s.pending.end(); it != s.pending.begin();) {
    --it;
    const std::int32_t open = OpenCellsBeforeHazard(s, *it);
    if (open < fewest) {
      fewest = open;
      best = *it;
    }
  }
  return best;
}

std::int32_t SearchBoard::Choices(const SearchState& s, Flow f, bool mayPlace, bool mayTakeBack,
                                  const CellSet& reached,
                                  std::array<Choice, kMaxChoices>& out) const {
  const std::int32_t n = Next(f);
  const auto ni = static_cast<std::size_t>(n);
  std::array<std::uint8_t, 8> groups{};
  std::int32_t count = 0;
  auto add = [&out, &count](const Choice& choice) {
    out[static_cast<std::size_t>(count++)] = choice;
  };
  if (s.open[ni] == 0) {
    const PieceKind kind = s.cells[ni].kind;
    const std::int32_t g = Behaviours(kind, s.rotations[ni], f.dir, groups);
    // A player's piece: first the rotations that need no turn.
    const std::int32_t own = s.removed.test(ni) ? -1 : PlayerRotation(n);
    for (const bool turned : {false, true}) {
      for (std::int32_t i = 0; i < g; ++i) {
        const std::uint8_t mask = groups[static_cast<std::size_t>(i)];
        if (own >= 0 && turned == ((mask >> own & 1) != 0)) continue;
        if (own < 0 && turned) continue;
        add(Choice{kind, mask});
      }
    }
    if (!mayTakeBack || !IsUntouched(s, ni)) return count;
    // Or the piece goes back to the tray, and the cell stays empty or takes
    // a piece of another kind.
    add(Choice{KIND_EMPTY, 0, true});
    if (!mayPlace) return count;
    for (std::size_t k = 0; k < kPieceKinds.size(); ++k) {
      if (kPieceKinds[k] != kind) AddPlacements(s, k, f.dir, n, true, reached, add);
    }
    return count;
  }
  add(Choice{KIND_EMPTY, 0});
  if (!mayPlace) return count;
  // Pieces that take the water before pieces that block it.
  std::array<Choice, 3> blocking{};
  std::int32_t blockingCount = 0;
  for (std::size_t k = 0; k < kPieceKinds.size(); ++k) {
    if (s.tray[k] == 0) continue;
    const std::int32_t g = Behaviours(kPieceKinds[k], kAllRotations, f.dir, groups);
    for (std::int32_t i = 0; i < g; ++i) {
      const std::uint8_t mask = groups[static_cast<std::size_t>(i)];
      const bool stops =
          behaviour_[k][static_cast<std::size_t>(f.dir)][static_cast<std::size_t>(Lowest(mask))] ==
          0;
      if (stops) {
        blocking[static_cast<std::size_t>(blockingCount++)] = Choice{kPieceKinds[k], mask};
      } else {
        add(Choice{kPieceKinds[k], mask});
      }
    }
  }
  for (std::int32_t i = 0; i < blockingCount; ++i) add(blocking[static_cast<std::size_t>(i)]);
  if (!mayTakeBack) return count;
  // A kind the tray has run out of: one of the player's untouched pieces,
  // taken from where it stands.
  for (std::size_t k = 0; k < kPieceKinds.size(); ++k) {
    if (s.tray[k] == 0) AddPlacements(s, k, f.dir, n, false, reached, add);
  }
  return count;
}

template <typename Add>
void SearchBoard::AddPlacements(const SearchState& s, std::size_t k, std::int32_t d,
                                std::int32_t cell, bool takesBack, const CellSet& reached,
                                Add&& add) const {
  std::array<std::uint8_t, 8> groups{};
  const std::int32_t g = Behaviours(kPieceKinds[k], kAllRotations, d, groups);
  auto addFrom = [&](std::int8_t from) {
    for (std::int32_t i = 0; i < g; ++i)
      add(Choice{kPieceKinds[k], groups[static_cast<std::size_t>(i)], takesBack, from});
  };
  if (s.tray[k] > 0) {
    addFrom(-1);
    return;
  }
  // Pieces the water cannot reach are all alike: the first of them stands
  // for the others.
  bool spare = false;
  for (const std::int32_t from : playerCells_) {
    const auto fi = static_cast<std::size_t>(from);
    if (from == cell || s.cells[fi].kind != kPieceKinds[k] || !IsUntouched(s, fi)) continue;
    if (!reached.test(fi)) {
      if (spare) continue;
      spare = true;
    }
    addFrom(static_cast<std::int8_t>(from));
  }
}

void SearchBoard::Apply(SearchState& s, std::int32_t cell, const Choice& choice) const {
  const auto ci = static_cast<std::size_t>(cell);
  // A player's piece leaves board index i for the tray.
  auto takeBack = [&s](std::size_t i) {
    ++s.tray[static_cast<std::size_t>(KindSlot(s.cells[i].kind))];
    ++s.takenBack;
    s.removed.set(i);
    s.cells[i] = Cell{KIND_EMPTY, 0};
    s.rotations[i] = 0;
  };
  if (choice.takesBack) {
    takeBack(ci);
  } else if (s.open[ci] == 0) {
    const std::int32_t own = s.removed.test(ci) ? -1 : PlayerRotation(cell);
    if (own >= 0 && (s.rotations[ci] >> own & 1) != 0 && (choice.rotations >> own & 1) == 0)
      ++s.turns;
    s.rotations[ci] = choice.rotations;
    return;
  }
  s.open[ci] = 0;
  if (choice.kind == KIND_EMPTY) return;
  if (choice.takeFrom >= 0) {
    // Its cell is open again, for the water to reach later.
    const auto fi = static_cast<std::size_t>(choice.takeFrom);
    takeBack(fi);
    s.open[fi] = 1;
  }
  s.cells[ci] = Cell{choice.kind, 0};
  s.rotations[ci] = choice.rotations;
  --s.tray[static_cast<std::size_t>(KindSlot(choice.kind))];
  ++s.placed;
  s.order[ci] = static_cast<std::uint8_t>(s.placed);
}

Solution SearchBoard::Pieces(const SearchState& s) const {
  Solution pieces;
  for (std::int32_t k = 1; k <= s.placed; ++k) {
    for (std::size_t i = 0; i < s.cells.size(); ++i) {
      if (s.order[i] != k) continue;
      const std::uint8_t mask = s.rotations[i];
      pieces.push_back(Placement{s.cells[i].kind, CellNumberOf(static_cast<std::int32_t>(i)),
                                 Lowest(mask), mask});
    }
  }
  return pieces;
}

bool PlaceSolution(Puzzle& puzzle, const Solution& solution) {
  // The player's own steps: the first tray piece of the kind onto the cell,
  // in its rotation.
  for (const Placement& p : solution) {
    if (!IsPipePiece(Cell{p.kind, 0}) || !IsCellNumber(p.cell)) return false;
    const Tray& tray = puzzle.tray();
    const auto slot =
        std::find_if(tray.begin(), tray.end(), [&](const Cell& c) { return c.kind == p.kind; });
    if (slot == tray.end()) return false;
    const Position from{static_cast<std::int32_t>(slot - tray.begin()), -1};
    if (!puzzle.Apply(Step::Move(from, CellNumberPosition(p.cell), NormalizeDirection(p.rotation))))
      return false;
  }
  return true;
}

bool VerifySolution(const LevelRecord& level, const Solution& solution) {
  PlayedLevel played(level);
  return PlaceSolution(played.puzzle, solution) && played.puzzle.GetOutcome() == Outcome::kSolved;
}

}  // namespace qw
