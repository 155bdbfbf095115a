#include "app/solver_hints.h"

namespace qw {

bool SolverHints::Prepare(const Puzzle& puzzle) {
  const LevelRecord* level = puzzle.CurrentRecord();
  if (!level) return false;
  if (level_ != *level || !hints_) {
    hints_ = std::make_unique<LevelHints>(*level);
    level_ = *level;
  }
  return true;
}

HintAnswer SolverHints::Next(const Puzzle& puzzle) {
  if (!Prepare(puzzle)) return HintAnswer{};
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
