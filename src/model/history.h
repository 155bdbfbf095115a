// The player's steps in a level and their undo and redo. A step is a change
// of the puzzle the player makes: a piece moved, a piece turned, a restart;
// a hint is one of these, marked as such. Selecting is not a step. The
// history keeps, for every step done, the tray, board and selection before
// it, so that undo puts them back exactly; redo plays the step again. It
// counts the hints used itself.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/cell.h"
#include "model/puzzle.h"
#include "model/step.h"

namespace qw {

class History {
 public:
  // Carries the step out and, when it changed the puzzle, records it and
  // drops the steps that could have been redone; a hint's step counts as a
  // hint used.
  bool Apply(Puzzle& puzzle, const Step& step);
  // Takes the last step back: tray and board as they were before it, the
  // piece it moved or turned selected. False when there is none.
  bool Undo(Puzzle& puzzle);
  // Makes the last undone step again. False when there is none.
  bool Redo(Puzzle& puzzle);
  // A new level: no steps, no hints.
  void Clear();
  // A level brought back as it was left: its hint count as saved.
  void SetHintsUsed(std::int32_t hints) { hintsUsed_ = hints; }

  std::size_t UndoCount() const { return done_.size(); }
  std::size_t RedoCount() const { return undone_.size(); }
  // The steps done since the level began, oldest first.
  std::vector<Step> Steps() const;
  // The steps a redo would make, the next one first.
  std::vector<Step> RedoSteps() const { return {undone_.rbegin(), undone_.rend()}; }
  // Hints used since the level began; undoing one does not give it back.
  std::int32_t hintsUsed() const { return hintsUsed_; }

 private:
  struct Entry {
    Step step;
    Puzzle::Snapshot before;
  };
  std::vector<Entry> done_;
  std::vector<Step> undone_;  // the last undone at the back
  std::int32_t hintsUsed_ = 0;
};

}  // namespace qw
