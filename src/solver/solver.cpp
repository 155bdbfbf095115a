// The search. Only cells that water reaches matter, so each cell's content
// is decided the first time water arrives there: it stays empty, or takes a
// piece still in the tray. Rotations that make the arriving water do the same
// are kept together as a set and split only when water arrives from another
// side. Every stream whose next cell is already decided runs on by the game's
// rule before the next decision, so a hazard ends a branch as early as
// possible; a reach bound cuts branches in which some burning fire can no
// longer get water with the pieces left.
#include "solver/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <unordered_map>

#include "solver/search_board.h"

namespace qw {

namespace {

// Past this many remembered positions the search goes on remembering none.
constexpr std::size_t kMostKnownPositions = 2'000'000;

class Search {
 public:
  Search(const SearchBoard& board, const SolveOptions& options) : board_(board), options_(options) {
    if (options.fewestSteps && options.below) {
      haveBest_ = true;
      best_ = *options.below;
    }
  }

  SolveReport Run(SearchState start) {
    Visit(std::move(start));
    if (options_.accept && !options_.fewestSteps) {
      report_.outcome = accepted_                   ? SolveOutcome::kSolved
                        : gaveUp_ || report_.capped ? SolveOutcome::kGaveUp
                                                    : SolveOutcome::kUnsolvable;
    } else if (report_.solutions > 0) {
      report_.outcome = SolveOutcome::kSolved;
    } else {
      report_.outcome = gaveUp_ ? SolveOutcome::kGaveUp : SolveOutcome::kUnsolvable;
      report_.firstNodes = report_.nodes;
    }
    return std::move(report_);
  }

 private:
  void Visit(SearchState s) {
    if (!InBound(s)) return;
    if (!board_.Propagate(s)) return;  // water reached a hazard
    if (s.pending.empty()) {
      if (s.burning == 0) Found(s);
      return;
    }
    const std::int32_t takeBacksLeft = options_.takeBackBudget - s.takenBack;
    const bool mayTakeBack = takeBacksLeft > 0 && board_.Untouched(s) > 0;
    const std::int32_t inHand =
        s.TrayTotal() + (mayTakeBack ? std::min(takeBacksLeft, board_.Untouched(s)) : 0);
    const std::int32_t left = std::min(inHand, PieceCap(s) - s.placed);
    CellSet reached;
    if (!board_.FiresReachable(s, left, mayTakeBack, reached)) {
      ++report_.pruned;
      return;
    }
    // A position seen before has the same future: its solutions are known.
    // Only positions without any are skipped when each solution is offered
    // to `accept`, as another way to them may give one it takes.
    const StateKey key = board_.Key(s, left, reached);
    if (const auto seen = known_.find(key);
        seen != known_.end() && (!Reexplores() || seen->second == 0)) {
      ++report_.repeated;
      AddKnown(seen->second);
      return;
    }
    const std::int64_t before = report_.solutions;
    const Flow flow = board_.ChooseFlow(s);
    const std::int32_t target = board_.Next(flow);
    std::array<Choice, kMaxChoices> choices;
    const std::int32_t count = board_.Choices(s, flow, left > 0, mayTakeBack, reached, choices);
    for (std::int32_t i = 0; i < count; ++i) {
      if (++report_.nodes > options_.nodeLimit ||
          (options_.keepGoing && report_.nodes % kPollNodes == 0 && !options_.keepGoing())) {
        gaveUp_ = true;
        stop_ = true;
      }
      if (stop_) return;
      SearchState child = s;
      board_.Apply(child, target, choices[static_cast<std::size_t>(i)]);
      // A search stopping below counts one more decision here on its way out.
      const bool more = i + 1 < count;
      exitDecisions_ += more ? 1 : 0;
      Visit(std::move(child));
      exitDecisions_ -= more ? 1 : 0;
    }
    // Only a search run to its end knows every solution below.
    if (!stop_ && known_.size() < kMostKnownPositions)
      known_.emplace(key, report_.solutions - before);
  }

  void AddKnown(std::int64_t solutions) {
    if (solutions == 0) return;
    report_.solutions += solutions;
    if (report_.solutions >= options_.solutionCap) {
      report_.solutions = options_.solutionCap;
      report_.capped = true;
      stop_ = true;
    }
  }

  // Under fewestSteps a position may be met again with a tighter bound, and
  // under accept by another way that gives a solution it takes.
  bool Reexplores() const { return options_.accept || options_.fewestSteps; }

  bool InBound(const SearchState& s) const {
    if (s.turns > options_.turnBudget || s.takenBack > options_.takeBackBudget) return false;
    if (!haveBest_) return true;
    if (s.takenBack != best_.takeBacks) return s.takenBack < best_.takeBacks;
    if (s.turns != best_.turns) return s.turns < best_.turns;
    return s.placed < best_.placed;
  }
  // The most pieces a solution below may place.
  std::int32_t PieceCap(const SearchState& s) const {
    if (haveBest_ && s.takenBack == best_.takeBacks && s.turns == best_.turns) {
      return best_.placed - 1;
    }
    return options_.pieceBudget;
  }

  void Found(const SearchState& s) {
    if (options_.fewestSteps) {
      // Visit let only a better one through.
      haveBest_ = true;
      best_ = StepCount{s.takenBack, s.turns, s.placed};
      report_.solution = board_.Pieces(s);
      report_.takeBacks = s.takenBack;
      report_.turns = s.turns;
      ++report_.solutions;
      if (options_.accept) options_.accept(s);
      if (s.takenBack == 0 && s.turns == 0 && s.placed == 0) stop_ = true;
      return;
    }
    if (options_.accept) {
      ++report_.solutions;
      if (options_.accept(s)) {
        report_.solution = board_.Pieces(s);
        report_.takeBacks = s.takenBack;
        report_.turns = s.turns;
        accepted_ = true;
        stop_ = true;
      } else if (report_.solutions >= options_.solutionCap) {
        report_.capped = true;
        stop_ = true;
      }
      return;
    }
    if (report_.solutions == 0) {
      report_.solution = board_.Pieces(s);
      report_.firstNodes = report_.nodes + exitDecisions_;
    }
    ++report_.solutions;
    if (!options_.countAll || report_.solutions >= options_.solutionCap) {
      report_.capped = options_.countAll;
      stop_ = true;
    }
  }

  const SearchBoard& board_;
  const SolveOptions& options_;
  SolveReport report_;
  std::unordered_map<StateKey, std::int64_t, StateKeyHash> known_;
  bool stop_ = false;
  bool gaveUp_ = false;
  bool accepted_ = false;
  bool haveBest_ = false;
  StepCount best_;
  // The decisions on the way to this position that have another after them.
  std::int64_t exitDecisions_ = 0;
};

}  // namespace

SolveReport SolveFrom(const SearchBoard& board, const SolveOptions& options) {
  Search search(board, options);
  return search.Run(board.Start());
}

SolveReport SolveLevel(const LevelRecord& level, const SolveOptions& options) {
  const SearchBoard board(level);
  Search search(board, options);
  return search.Run(board.Start());
}

SolveReport SolveFewest(const LevelRecord& level, std::int64_t nodeLimit,
                        const std::function<bool()>& keepGoing) {
  const SearchBoard board(level);
  const std::int32_t pieces = board.Start().TrayTotal();
  std::int64_t nodes = 0;
  std::int64_t pruned = 0;
  SolveReport report;
  for (std::int32_t budget = 0; budget <= pieces; ++budget) {
    SolveOptions options;
    options.nodeLimit = nodeLimit - nodes;
    options.pieceBudget = budget;
    options.keepGoing = keepGoing;
    Search search(board, options);
    report = search.Run(board.Start());
    nodes += report.nodes;
    pruned += report.pruned;
    if (report.outcome != SolveOutcome::kUnsolvable) break;
  }
  report.nodes = nodes;
  report.pruned = pruned;
  return report;
}

std::string PieceName(PieceKind kind) {
  switch (kind) {
    case KIND_ELBOW: return "elbow";
    case KIND_BEND: return "bend";
    case KIND_SPLITTER: return "splitter";
    default: return "?";
  }
}

std::string SolutionText(const Solution& solution) {
  std::string text;
  for (const Placement& p : solution) {
    if (!text.empty()) text += ' ';
    text += PieceName(p.kind) + "@" + std::to_string(p.cell) + "/r" + std::to_string(p.rotation);
  }
  return text;
}

}  // namespace qw
