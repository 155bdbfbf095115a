#include "levelgen/elements.h"

#include <algorithm>

#include "levelgen/grade.h"
#include "model/water.h"
#include "solver/played_level.h"

namespace qw {

namespace {

std::int32_t BoardIndexOf(std::int32_t cellNumber) {
  const Position at = CellNumberPosition(cellNumber);
  return BoardIndex(at.x, at.y);
}

std::size_t KindSlot(PieceKind kind) { return kind == KIND_ELBOW ? 0 : kind == KIND_BEND ? 1 : 2; }

constexpr std::array<PieceKind, 3> kPieceKinds{KIND_ELBOW, KIND_BEND, KIND_SPLITTER};

void Place(Board& board, const Placement& p) {
  board[static_cast<std::size_t>(BoardIndexOf(p.cell))] = Cell{p.kind, p.rotation};
}

// The hazards (cell numbers) the water of a board touches.
std::vector<std::int32_t> HazardsTouched(const Board& board) {
  std::vector<std::int32_t> touched;
  for (const WaterStep& step : TraceWater(board).steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    if (!IsBoardCell(next)) continue;
    if (board[static_cast<std::size_t>(BoardIndex(next.x, next.y))].kind != KIND_SPARK) continue;
    const std::int32_t n = next.y * kBoardSize + next.x;
    if (std::find(touched.begin(), touched.end(), n) == touched.end()) touched.push_back(n);
  }
  return touched;
}

// The board of a level's start with the first `placed` pieces of `ordered`.
Board PrefixBoard(const LevelRecord& level, const Solution& ordered, std::int32_t placed) {
  const PlayedLevel played(level);
  Board board = played.puzzle.board();
  for (std::int32_t i = 0; i < placed; ++i) Place(board, ordered[static_cast<std::size_t>(i)]);
  return board;
}

bool InSolution(const Solution& solution, std::int32_t cell, PieceKind kind,
                std::int32_t rotation) {
  return std::any_of(solution.begin(), solution.end(), [&](const Placement& p) {
    return p.cell == cell && p.kind == kind && (p.rotations >> rotation & 1) != 0;
  });
}

// Whether a trap of the level is gone once the hazard on `cell` is.
bool TrapLost(const LevelRecord& without, const Solution& ordered,
              const std::vector<Temptation>& traps, std::int32_t cell) {
  for (const Temptation& t : traps) {
    if (t.caughtBy != cell) continue;
    Board board = PrefixBoard(without, ordered, t.placed);
    Place(board, Placement{t.kind, t.cell, t.rotation, 0});
    if (!TraceWater(board).reachesHazard) return true;
  }
  return false;
}

std::wstring WithoutNumber(const std::wstring& list, std::int32_t cell) {
  std::wstring text;
  for (const std::int32_t n : CellNumbers(list)) {
    if (n == cell) continue;
    if (!text.empty()) text += L',';
    text += std::to_wstring(n);
  }
  return text;
}

SolveReport Count(const LevelRecord& level, std::int64_t cap, std::int64_t nodeLimit) {
  SolveOptions options;
  options.nodeLimit = nodeLimit;
  options.countAll = true;
  options.solutionCap = cap;
  return SolveLevel(level, options);
}

}  // namespace

bool SameSolution(const Solution& a, const Solution& b) {
  if (a.size() != b.size()) return false;
  return std::all_of(a.begin(), a.end(), [&](const Placement& p) {
    return std::any_of(b.begin(), b.end(), [&](const Placement& q) {
      return p.kind == q.kind && p.cell == q.cell && (p.rotations & q.rotations) != 0;
    });
  });
}

Solution InWaterOrder(const LevelRecord& level, const Solution& solution) {
  const WaterRoute route = TraceRoute(level, &solution);
  auto rank = [&](const Placement& p) {
    return std::find(route.order.begin(), route.order.end(), p.cell) - route.order.begin();
  };
  Solution ordered = solution;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const Placement& a, const Placement& b) { return rank(a) < rank(b); });
  return ordered;
}

std::vector<Temptation> FindTraps(const LevelRecord& level, const Solution& solution) {
  const Solution ordered = InWaterOrder(level, solution);
  std::array<std::int32_t, 3> tray{level.elbowCount, level.bendCount, level.splitterCount};
  std::vector<Temptation> traps;
  for (std::int32_t placed = 0; placed < static_cast<std::int32_t>(ordered.size()); ++placed) {
    if (placed > 0) --tray[KindSlot(ordered[static_cast<std::size_t>(placed - 1)].kind)];
    const Board board = PrefixBoard(level, ordered, placed);
    const WaterTrace water = TraceWater(board);
    if (water.reachesHazard) break;
    std::vector<std::int32_t> seen;
    for (const WaterStep& step : water.steps) {
      Position next = step.cell;
      StepPosition(next, step.direction);
      if (!IsBoardCell(next)) continue;
      const auto index = static_cast<std::size_t>(BoardIndex(next.x, next.y));
      const std::int32_t cell = next.y * kBoardSize + next.x;
      if (board[index].kind != KIND_EMPTY) continue;
      for (const PieceKind kind : kPieceKinds) {
        if (tray[KindSlot(kind)] <= 0) continue;
        for (std::int32_t r = 0; r < 8; ++r) {
          if (WaterExits(Cell{kind, r}, step.direction).exitCount == 0 ||
              InSolution(solution, cell, kind, r))
            continue;
          const std::int32_t key = (cell * 3 + static_cast<std::int32_t>(KindSlot(kind))) * 8 + r;
          if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
          seen.push_back(key);
          Board tempted = board;
          tempted[index] = Cell{kind, r};
          const std::vector<std::int32_t> touched = HazardsTouched(tempted);
          if (touched.empty()) continue;
          traps.push_back(Temptation{placed, cell, kind, r, touched.size() == 1 ? touched[0] : -1});
        }
      }
    }
  }
  return traps;
}

LevelRecord WithoutElement(const LevelRecord& level, std::int32_t cell) {
  LevelRecord r = level;
  r.fireCells = WithoutNumber(r.fireCells, cell);
  r.hazardCells = WithoutNumber(r.hazardCells, cell);
  r.wallCells = WithoutNumber(r.wallCells, cell);
  return r;
}

std::optional<bool> EarnsPlace(const LevelRecord& level, const Solution& only,
                               const std::vector<Temptation>& traps, std::int32_t cell) {
  const LevelRecord without = WithoutElement(level, cell);
  const SolveReport counted = Count(without, 2, kElementNodeLimit);
  if (GaveUp(counted, kElementNodeLimit)) return std::nullopt;
  if (counted.outcome != SolveOutcome::kSolved || counted.solutions != 1) return true;
  if (!SameSolution(counted.solution, only)) return true;
  return TrapLost(without, InWaterOrder(level, only), traps, cell);
}

ElementReport CheckElements(const LevelRecord& level, std::int64_t nodeLimit) {
  ElementReport report;
  std::vector<std::int32_t> cells;
  {
    const PlayedLevel played(level);
    for (std::int32_t n = 0; n < kBoardCells; ++n) {
      const PieceKind kind = played.puzzle.board()[static_cast<std::size_t>(BoardIndexOf(n))].kind;
      if (kind == KIND_WALL || kind == KIND_SPARK) cells.push_back(n);
    }
  }
  report.elements = static_cast<std::int32_t>(cells.size());
  const SolveReport base = Count(level, kDefaultSolutionCap, nodeLimit);
  if (GaveUp(base, nodeLimit)) report.decided = false;
  if (base.outcome != SolveOutcome::kSolved || !report.decided) return report;
  const SolveReport fewest = SolveFewest(level, nodeLimit);
  if (fewest.outcome != SolveOutcome::kSolved) {
    report.decided = false;
    return report;
  }
  // A level with one solution is tempted on the way to it, as the generator
  // sees it; otherwise on the way to a solution with the fewest pieces.
  const Solution& way = base.solutions == 1 ? base.solution : fewest.solution;
  const std::vector<Temptation> traps = FindTraps(level, way);
  report.traps = static_cast<std::int32_t>(traps.size());
  const Solution ordered = InWaterOrder(level, way);
  for (const std::int32_t cell : cells) {
    std::optional<bool> earns;
    if (base.solutions == 1) {
      earns = EarnsPlace(level, base.solution, traps, cell);
    } else {
      // Many solutions: the count (one past it, to see one more) and the
      // fewest pieces must stay, and so must every trap.
      const LevelRecord without = WithoutElement(level, cell);
      const SolveReport counted =
          Count(without, base.capped ? base.solutions : base.solutions + 1, kElementNodeLimit);
      const SolveReport least = SolveFewest(without, kElementNodeLimit);
      if (GaveUp(counted, kElementNodeLimit) || least.outcome == SolveOutcome::kGaveUp) {
        earns = std::nullopt;
      } else {
        earns = counted.outcome != SolveOutcome::kSolved || counted.solutions != base.solutions ||
                least.solution.size() != fewest.solution.size() ||
                TrapLost(without, ordered, traps, cell);
      }
    }
    if (!earns) ++report.undecidedWithout;
    if (earns && !*earns) report.idle.push_back(cell);
  }
  return report;
}

}  // namespace qw
