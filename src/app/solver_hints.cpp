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

Hint SolverHints::Next(const Puzzle& puzzle) {
  if (!Prepare(puzzle)) return Hint{};
  return hints_->Next(puzzle.tray(), puzzle.board());
}

}  // namespace qw
