#include "model/history.h"

namespace qw {

bool History::Apply(Puzzle& puzzle, const Step& step) {
  const Puzzle::Snapshot before = puzzle.TakeSnapshot();
  if (!puzzle.Apply(step)) return false;
  done_.push_back(Entry{step, before});
  undone_.clear();
  if (step.hint) ++hintsUsed_;
  return true;
}

bool History::Undo(Puzzle& puzzle) {
  if (done_.empty()) return false;
  const Entry entry = done_.back();
  done_.pop_back();
  puzzle.Restore(entry.before,
                 entry.step.kind == Step::Kind::Restart ? entry.before.selection : entry.step.from);
  undone_.push_back(entry.step);
  return true;
}

bool History::Redo(Puzzle& puzzle) {
  if (undone_.empty()) return false;
  const Step step = undone_.back();
  const Puzzle::Snapshot before = puzzle.TakeSnapshot();
  // Redo replays a step on the very state it was first made on, so it
  // cannot fail; should it, the redo list is left as it was.
  if (!puzzle.Apply(step)) return false;
  undone_.pop_back();
  done_.push_back(Entry{step, before});
  return true;
}

void History::Clear() {
  done_.clear();
  undone_.clear();
  hintsUsed_ = 0;
}

std::vector<Step> History::Steps() const {
  std::vector<Step> steps;
  steps.reserve(done_.size());
  for (const Entry& e : done_) steps.push_back(e.step);
  return steps;
}

}  // namespace qw
