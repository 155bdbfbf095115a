// The hint: the solver, started from the player's board, finds the solution
// with the fewest take-backs, then the fewest turns, then the fewest
// placements; an order search then puts its steps in an order in which the
// water never reaches a hazard. See hint.h.
#include "solver/hint.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <unordered_set>
#include <vector>

#include "solver/played_level.h"
#include "solver/search_board.h"
#include "solver/solver.h"
#include "model/water.h"

namespace qw {

namespace {

using BoardCells = std::array<Cell, kBoardCells>;
using TrayCells = std::array<Cell, kTraySlots>;

constexpr std::int32_t kUnlimited = 100;

Position BoardPosition(std::int32_t index) {
  return Position{index / kBoardSize, index % kBoardSize};
}

Outcome RunWater(const BoardCells& board) { return OutcomeOf(TraceWater(board)); }

bool Safe(const BoardCells& board) { return RunWater(board) != Outcome::kFailed; }

// What a solution needs at one board index: the player's piece taken back,
// turned, or a tray piece placed, in any of the rotations that act alike.
// The order search puts the goals in order; the first becomes the hint's
// Step.
struct Goal {
  enum class Kind : std::uint8_t { kPlace, kTurn, kTakeBack };
  Kind kind = Kind::kPlace;
  std::int32_t cell = 0;
  PieceKind piece = KIND_EMPTY;
  std::uint8_t rotations = 0;  // those that act as the solution needs
};

// Take-backs, turns of the player's pieces, then placements in the order the
// water reaches them.
std::vector<Goal> Plan(const BoardCells& board, const SearchState& end) {
  std::vector<Goal> steps;
  for (std::int32_t i = 0; i < kBoardCells; ++i) {
    const auto ii = static_cast<std::size_t>(i);
    if (IsPipePiece(board[ii]) && end.removed.test(ii))
      steps.push_back(Goal{Goal::Kind::kTakeBack, i, board[ii].kind, 0});
  }
  for (std::int32_t i = 0; i < kBoardCells; ++i) {
    const auto ii = static_cast<std::size_t>(i);
    if (!IsPipePiece(board[ii]) || end.removed.test(ii)) continue;
    const std::uint8_t mask = end.rotations[ii];
    if ((mask >> NormalizeDirection(board[ii].variant) & 1) == 0) {
      steps.push_back(Goal{Goal::Kind::kTurn, i, board[ii].kind, mask});
    }
  }
  for (std::int32_t k = 1; k <= end.placed; ++k) {
    for (std::int32_t i = 0; i < kBoardCells; ++i) {
      const auto ii = static_cast<std::size_t>(i);
      if (end.order[ii] == k)
        steps.push_back(Goal{Goal::Kind::kPlace, i, end.cells[ii].kind, end.rotations[ii]});
    }
  }
  return steps;
}

std::size_t KindIndex(PieceKind kind) {
  return static_cast<std::size_t>(kind == KIND_ELBOW ? 0 : kind == KIND_BEND ? 1 : 2);
}

// The way from the board to a solution of the level's start: the player's
// pieces on the solution's cells stay (turned when their rotation acts
// otherwise), those on its cells in another kind go back to the tray, and so
// do pieces elsewhere whose kind the tray lacks for the placements.
std::vector<Goal> KnownPlan(const BoardCells& board, const TrayCells& tray,
                            const Solution& solution) {
  std::vector<Goal> steps;
  std::array<std::int32_t, 3> inTray{};
  for (const Cell& c : tray) {
    if (IsPipePiece(c)) ++inTray[KindIndex(c.kind)];
  }
  std::array<const Placement*, kBoardCells> wanted{};
  for (const Placement& p : solution) {
    if (!IsCellNumber(p.cell)) return {};
    const Position at = CellNumberPosition(p.cell);
    wanted[static_cast<std::size_t>(BoardIndex(at.x, at.y))] = &p;
  }
  std::vector<Goal> places;
  std::vector<std::int32_t> spare;  // pieces off the solution's cells
  for (std::int32_t i = 0; i < kBoardCells; ++i) {
    const auto ii = static_cast<std::size_t>(i);
    const Cell& cell = board[ii];
    const Placement* p = wanted[ii];
    if (p == nullptr) {
      if (IsPipePiece(cell)) spare.push_back(i);
      continue;
    }
    if (cell.kind == p->kind) {
      if ((p->rotations >> NormalizeDirection(cell.variant) & 1) == 0) {
        steps.push_back(Goal{Goal::Kind::kTurn, i, cell.kind, p->rotations});
      }
      continue;
    }
    if (IsPipePiece(cell)) {
      steps.push_back(Goal{Goal::Kind::kTakeBack, i, cell.kind, 0});
      ++inTray[KindIndex(cell.kind)];
    } else if (cell.kind != KIND_EMPTY) {
      return {};  // a fixed cell: not this level's solution
    }
    places.push_back(Goal{Goal::Kind::kPlace, i, p->kind, p->rotations});
  }
  for (const Goal& place : places) {
    std::int32_t& have = inTray[KindIndex(place.piece)];
    if (have == 0) {
      const auto from = std::find_if(spare.begin(), spare.end(), [&](std::int32_t i) {
        return board[static_cast<std::size_t>(i)].kind == place.piece;
      });
      if (from == spare.end()) return {};
      steps.push_back(Goal{Goal::Kind::kTakeBack, *from, place.piece, 0});
      spare.erase(from);
      ++have;
    }
    --have;
    steps.push_back(place);
  }
  return steps;
}

StepCount CountSteps(const std::vector<Goal>& steps) {
  StepCount count;
  for (const Goal& step : steps) {
    std::int32_t& n = step.kind == Goal::Kind::kTakeBack ? count.takeBacks
                      : step.kind == Goal::Kind::kTurn   ? count.turns
                                                         : count.placed;
    ++n;
  }
  return count;
}

// The rotations of a mask, the nearest to `from` first.
std::vector<std::int32_t> RotationsNear(std::uint8_t mask, std::int32_t from) {
  std::vector<std::int32_t> out;
  for (std::int32_t distance = 0; distance <= 4; ++distance) {
    for (const std::int32_t r : {from + distance, from - distance}) {
      const std::int32_t n = NormalizeDirection(r);
      if ((mask >> n & 1) != 0 && std::find(out.begin(), out.end(), n) == out.end())
        out.push_back(n);
    }
  }
  return out;
}

// Depth-first over the orders of a plan's steps (and the rotations each
// placed or turned piece may take): the first order whose every board is
// safe and whose end is solved. Take-backs are tried first, but a placement
// or turn may come before one whose water would touch a hazard; a piece is
// placed only on an empty cell and while the tray holds one of its kind.
class OrderSearch {
 public:
  OrderSearch(const BoardCells& board, const TrayCells& tray, std::vector<Goal> steps,
              std::int64_t& runsLeft)
      : board_(board), steps_(std::move(steps)), runsLeft_(runsLeft) {
    for (const Cell& c : tray) {
      if (IsPipePiece(c)) ++inTray_[KindIndex(c.kind)];
    }
    // Placements in the order the water meets them on the board the plan
    // ends with (the trace's order from the nozzle): the first safe order
    // found then places the piece the water meets first whenever a safe
    // order begins with it.
    BoardCells end = board;
    for (const bool takeBacks : {true, false}) {
      for (const Goal& s : steps_) {
        if (takeBacks != (s.kind == Goal::Kind::kTakeBack)) continue;
        end[static_cast<std::size_t>(s.cell)] =
            takeBacks ? Cell{KIND_EMPTY, 0}
                      : Cell{s.piece, std::countr_zero(static_cast<unsigned>(s.rotations))};
      }
    }
    std::array<std::int32_t, kBoardCells> met{};
    met.fill(kBoardCells);
    std::int32_t k = 0;
    for (const WaterStep& w : TraceWater(end).steps) {
      Position next = w.cell;
      StepPosition(next, w.direction);
      if (IsBoardCell(next) &&
          met[static_cast<std::size_t>(BoardIndex(next.x, next.y))] == kBoardCells) {
        met[static_cast<std::size_t>(BoardIndex(next.x, next.y))] = k++;
      }
    }
    std::stable_sort(steps_.begin(), steps_.end(), [&](const Goal& a, const Goal& b) {
      auto key = [&](const Goal& s) {
        return s.kind == Goal::Kind::kPlace ? 1 + met[static_cast<std::size_t>(s.cell)] : 0;
      };
      return key(a) < key(b);
    });
  }

  // The first step of a safe order and the rotation it leaves, or nullopt.
  std::optional<std::pair<Goal, std::int32_t>> Find() {
    if (steps_.size() > 30) return std::nullopt;
    if (!Visit(0)) return std::nullopt;
    return std::make_pair(first_, firstRotation_);
  }
  bool OutOfRuns() const { return runsLeft_ <= 0; }

 private:
  bool Visit(std::uint32_t done) {
    if (done == (1u << steps_.size()) - 1) return RunWater(board_) != Outcome::kPlaying;
    if (!seen_.insert(Hash(done)).second) return false;
    for (const bool takeBacks : {true, false}) {
      for (std::size_t i = 0; i < steps_.size(); ++i) {
        const Goal& step = steps_[i];
        if ((done >> i & 1) != 0 || takeBacks != (step.kind == Goal::Kind::kTakeBack)) continue;
        Cell& cell = board_[static_cast<std::size_t>(step.cell)];
        std::int32_t& inTray = inTray_[KindIndex(step.piece)];
        if (step.kind == Goal::Kind::kPlace && (cell.kind != KIND_EMPTY || inTray == 0)) continue;
        const std::int32_t trayChange = step.kind == Goal::Kind::kPlace      ? -1
                                        : step.kind == Goal::Kind::kTakeBack ? 1
                                                                             : 0;
        const Cell before = cell;
        std::vector<std::int32_t> rotations{0};
        if (step.kind != Goal::Kind::kTakeBack) {
          rotations =
              RotationsNear(step.rotations,
                            step.kind == Goal::Kind::kTurn ? NormalizeDirection(cell.variant) : 0);
        }
        for (const std::int32_t r : rotations) {
          if (runsLeft_-- <= 0) return false;
          cell = step.kind == Goal::Kind::kTakeBack ? Cell{KIND_EMPTY, 0} : Cell{step.piece, r};
          inTray += trayChange;
          const Outcome water = RunWater(board_);
          // A board that is solved on the way ends the level: the order is done.
          const bool found =
              water == Outcome::kSolved || (water == Outcome::kPlaying && Visit(done | 1u << i));
          cell = before;
          inTray -= trayChange;
          if (found) {
            first_ = step;
            firstRotation_ = r;
            return true;
          }
        }
      }
    }
    return false;
  }

  std::uint64_t Hash(std::uint32_t done) const {
    std::uint64_t h = 0xcbf29ce484222325ull ^ done;
    for (const Cell& c : board_) {
      h = (h ^ static_cast<std::uint64_t>(KindCode(c.kind) + 1)) * 0x100000001b3ull;
      h = (h ^ static_cast<std::uint64_t>(c.variant)) * 0x100000001b3ull;
    }
    return h;
  }

  BoardCells board_;
  std::vector<Goal> steps_;
  std::int64_t& runsLeft_;
  std::array<std::int32_t, 3> inTray_{};
  std::unordered_set<std::uint64_t> seen_;
  Goal first_;
  std::int32_t firstRotation_ = 0;
};

// The hint's Step for the first goal of a safe order: the tray slot of a
// placement or take-back, or the way of a turn. Nothing when the tray does
// not fit.
std::optional<Step> HintStep(const Goal& goal, std::int32_t rotation, const TrayCells& tray,
                             const BoardCells& board) {
  const Position cell = BoardPosition(goal.cell);
  std::optional<Step> step;
  switch (goal.kind) {
    case Goal::Kind::kPlace: {
      // A slot whose piece already has the rotation, or else the first.
      std::int32_t slot = -1;
      for (std::int32_t k = 0; k < kTraySlots; ++k) {
        const Cell& c = tray[static_cast<std::size_t>(k)];
        if (c.kind != goal.piece) continue;
        if (slot < 0 || NormalizeDirection(c.variant) == rotation) slot = k;
        if (NormalizeDirection(c.variant) == rotation) break;
      }
      if (slot < 0) return std::nullopt;
      step = Step::Move(Position{slot, -1}, cell, rotation);
      break;
    }
    case Goal::Kind::kTakeBack: {
      const auto empty = std::find_if(tray.begin(), tray.end(),
                                      [](const Cell& c) { return c.kind == KIND_EMPTY; });
      if (empty == tray.end()) return std::nullopt;
      step = Step::Move(cell, Position{static_cast<std::int32_t>(empty - tray.begin()), -1});
      break;
    }
    case Goal::Kind::kTurn: {
      const std::int32_t now =
          NormalizeDirection(board[static_cast<std::size_t>(goal.cell)].variant);
      const std::int32_t clockwiseSteps = NormalizeDirection(rotation - now);
      // Every board on the way between, one 45-degree step at a time.
      auto safeWay = [&](bool clockwise) {
        BoardCells b = board;
        Cell& c = b[static_cast<std::size_t>(goal.cell)];
        const std::int32_t count = clockwise ? clockwiseSteps : 8 - clockwiseSteps;
        for (std::int32_t i = 1; i < count; ++i) {
          c.variant = NormalizeDirection(now + (clockwise ? i : -i));
          if (!Safe(b)) return false;
        }
        return true;
      };
      bool clockwise = clockwiseSteps <= 4;
      if (!safeWay(clockwise) && safeWay(!clockwise)) clockwise = !clockwise;
      step = Step::Turn(cell, clockwise, clockwise ? clockwiseSteps : 8 - clockwiseSteps);
      break;
    }
  }
  step->hint = true;
  return step;
}

}  // namespace

LevelHints::LevelHints(const LevelRecord& level, const HintOptions& options) : options_(options) {
  const SearchBoard board(level);
  SolveOptions fewest;
  fewest.fewestSteps = true;
  const SolveReport first = SolveFrom(board, fewest);
  if (first.outcome != SolveOutcome::kSolved) return;
  // Solutions with that many pieces, up to the first that can be placed in
  // a safe order from the start.
  const PlayedLevel played(level);
  const BoardCells& start = played.puzzle.board();
  std::int64_t runsLeft = options.orderRuns;
  SolveOptions all;
  all.pieceBudget = static_cast<std::int32_t>(first.solution.size());
  all.solutionCap = kMostKnownSolutions;
  all.accept = [&](const SearchState& end) {
    fewest_.push_back(board.Pieces(end));
    OrderSearch order(start, played.puzzle.tray(), Plan(start, end), runsLeft);
    return order.Find().has_value() || order.OutOfRuns();
  };
  SolveFrom(board, all);
  if (fewest_.empty()) fewest_.push_back(first.solution);
}

Hint FindHint(const TrayCells& tray, const BoardCells& board, const HintOptions& options,
              const std::vector<Solution>& known) {
  Hint hint;
  if (RunWater(board) == Outcome::kSolved) {
    hint.kind = Hint::Kind::kSolved;
    return hint;
  }
  const SearchBoard searchBoard(board, tray);
  const std::int32_t players = static_cast<std::int32_t>(
      std::count_if(board.begin(), board.end(), [](const Cell& c) { return IsPipePiece(c); }));
  // The way to the nearest known solution that has a safe order sets the
  // bar; the search looks for fewer take-backs, then turns, then placements.
  // A search stopped by the limit gives the best it found, or the known way
  // (the hint may then take back, turn or place more than it had to). Each
  // better solution goes to the order search at once.
  std::int64_t runsLeft = options.orderRuns;
  std::optional<std::pair<Goal, std::int32_t>> step;
  std::optional<StepCount> bar;
  std::optional<std::pair<Goal, std::int32_t>> knownStep;
  for (const Solution& solution : known) {
    const std::vector<Goal> plan = KnownPlan(board, tray, solution);
    if (plan.empty() || (bar && !(CountSteps(plan) < *bar))) continue;
    OrderSearch order(board, tray, plan, runsLeft);
    if (auto first = order.Find()) {
      bar = CountSteps(plan);
      knownStep = first;
    }
  }
  auto safeOrder = [&](const SearchState& end) {
    OrderSearch order(board, tray, Plan(board, end), runsLeft);
    step = order.Find();
    return step.has_value() || order.OutOfRuns();
  };
  SolveOptions fewest;
  fewest.fewestSteps = true;
  fewest.takeBackBudget = players;
  fewest.turnBudget = players;
  fewest.pieceBudget = kUnlimited;
  fewest.nodeLimit = options.nodeLimit / 2;
  fewest.accept = safeOrder;
  fewest.below = bar;
  const SolveReport best = SolveFrom(searchBoard, fewest);
  hint.nodes += best.nodes;
  if (!step && knownStep) step = knownStep;
  // The hint's step, or nothing when the tray does not fit the goal.
  auto answer = [&]() -> bool {
    if (!step) return false;
    const std::optional<Step> made = HintStep(step->first, step->second, tray, board);
    if (!made) return false;
    hint.kind = Hint::Kind::kStep;
    hint.step = *made;
    return true;
  };
  if (answer()) return hint;
  if (best.outcome != SolveOutcome::kSolved) {
    hint.kind =
        best.outcome == SolveOutcome::kGaveUp ? Hint::Kind::kLimitReached : Hint::Kind::kNotFound;
    return hint;
  }
  // Otherwise the solutions with as many take-backs and turns and the
  // fewest placements go to the order search one by one, then those with
  // more placements.
  bool gaveUp = false;
  for (auto n = static_cast<std::int32_t>(best.solution.size());
       n <= kTraySlots && !gaveUp && !step && runsLeft > 0; ++n) {
    SolveOptions o;
    o.nodeLimit = std::max<std::int64_t>(options.nodeLimit - hint.nodes, 0);
    o.takeBackBudget = best.takeBacks;
    o.turnBudget = best.turns;
    o.pieceBudget = n;
    o.solutionCap = options.solutionsTried;
    o.accept = safeOrder;
    const SolveReport report = SolveFrom(searchBoard, o);
    hint.nodes += report.nodes;
    gaveUp = report.outcome == SolveOutcome::kGaveUp && !report.capped;
  }
  if (answer()) return hint;
  hint.kind = gaveUp || runsLeft <= 0 ? Hint::Kind::kLimitReached : Hint::Kind::kNotFound;
  return hint;
}

}  // namespace qw
