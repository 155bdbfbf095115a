// The player's steps in a level and their undo and redo. A step is a change
// of the puzzle the player makes: a piece moved, a piece turned, a restart;
// a hint is one of these, marked as such. Selecting is not a step. The
// history keeps, for every step done, the tray, board and selection before
// it, so that undo puts them back exactly; redo plays the step again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/cell.h"
#include "model/puzzle.h"

namespace qw {

struct Step {
  enum class Kind : std::uint8_t { Move, Turn, Restart };
  Kind kind = Kind::Restart;
  Position from;           // Move: the piece's slot or cell; Turn: the piece
  Position to;             // Move: the empty slot or cell it goes to
  bool clockwise = true;   // Turn
  bool hint = false;       // the step was a hint's
  // Turn: 45-degree turns, 1 to 7. Move: the rotation the piece lands in
  // (0..7), or -1 to keep its own. Only hints use other than 1 and -1.
  std::int32_t turns = 1;
  std::int32_t rotation = -1;
  friend bool operator==(const Step&, const Step&) = default;

  static Step Move(Position from, Position to, std::int32_t rotation = -1) {
    return Step{Kind::Move, from, to, true, false, 1, rotation};
  }
  static Step Turn(Position at, bool clockwise, std::int32_t turns = 1) {
    return Step{Kind::Turn, at, kNoPosition, clockwise, false, turns, -1};
  }
  static Step Restart() { return Step{}; }
};

// One line that names the step: "move 3 -1 4 5", "turn 4 5 cw", "restart",
// each prefixed with "hint " for a hint's step; a move into a rotation of
// its own ends with it ("move 3 -1 4 5 r6"), a turn of more than one 45-degree
// turn with their count ("turn 4 5 cw 3").
std::string StepText(const Step& step);
// The step a line of StepText names; nothing for any other text.
std::optional<Step> ParseStep(const std::string& text);

// Carries the step out on the puzzle: a move moves and selects the piece
// where it lands, a turn turns and selects it, a restart sets the level up
// again. False, with nothing changed, when the step cannot be made.
bool ApplyStep(Puzzle& puzzle, const Step& step);

class History {
 public:
  // Carries the step out and, when it changed the puzzle, records it and
  // drops the steps that could have been redone.
  bool Apply(Puzzle& puzzle, const Step& step);
  // Takes the last step back: tray and board as they were before it, the
  // piece it moved or turned selected. False when there is none.
  bool Undo(Puzzle& puzzle);
  // Makes the last undone step again. False when there is none.
  bool Redo(Puzzle& puzzle);
  // A new level: no steps, no hints.
  void Clear();

  std::size_t UndoCount() const { return done_.size(); }
  std::size_t RedoCount() const { return undone_.size(); }
  // The steps done since the level began, oldest first.
  std::vector<Step> Steps() const;
  // The steps a redo would make, the next one first.
  std::vector<Step> RedoSteps() const { return {undone_.rbegin(), undone_.rend()}; }
  // Hints used since the level began; undoing one does not give it back.
  std::int32_t hintsUsed = 0;

 private:
  struct Before {
    std::array<Cell, kTraySlots> tray;
    Board board;
    Position selection;
  };
  struct Entry {
    Step step;
    Before before;
  };
  std::vector<Entry> done_;
  std::vector<Step> undone_;  // the last undone at the back
};

}  // namespace qw
