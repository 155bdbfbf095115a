#include "app/solver_hints.h"

namespace qw {

HintAnswer SolverHints::Next(const Puzzle& puzzle) {
  if (puzzle.currentLevel < 0 || static_cast<std::size_t>(puzzle.currentLevel) >= levels_.size()) return HintAnswer{};
  if (level_ != puzzle.currentLevel || !hints_) {
    hints_ = std::make_unique<LevelHints>(levels_[static_cast<std::size_t>(puzzle.currentLevel)]);
    level_ = puzzle.currentLevel;
  }
  const Hint hint = hints_->Next(puzzle.tray, puzzle.board);
  switch (hint.kind) {
    case HintKind::kPlace: return HintAnswer{HintAnswer::Kind::kStep, Step::Move(hint.from, hint.to, hint.rotation)};
    case HintKind::kTurn:
      return HintAnswer{HintAnswer::Kind::kStep, Step::Turn(hint.from, hint.clockwise, hint.turnSteps)};
    case HintKind::kTakeBack: return HintAnswer{HintAnswer::Kind::kStep, Step::Move(hint.from, hint.to)};
    case HintKind::kSolved: return HintAnswer{HintAnswer::Kind::kSolved, {}};
    case HintKind::kLimitReached: return HintAnswer{HintAnswer::Kind::kLimitReached, {}};
    case HintKind::kNotFound: break;
  }
  return HintAnswer{};
}

}  // namespace qw
