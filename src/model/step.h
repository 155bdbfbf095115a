// The one move of the game: a Step. The player's drops and turns, a
// restart, a hint's answer, the solver's solutions laid on the board and the
// level tools' random play are all Steps, and the puzzle applies them in one
// place (Puzzle::Apply). Selecting is not a step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/cell.h"

namespace qw {

struct Step {
  enum class Kind : std::uint8_t { Move, Turn, Restart };
  Kind kind = Kind::Restart;
  Position from;          // Move: the piece's slot or cell; Turn: the piece
  Position to;            // Move: the empty slot or cell it goes to
  bool clockwise = true;  // Turn
  bool hint = false;      // the step was a hint's
  // Turn: 45-degree turns, 1 to 7, made as one step. Move: the rotation the
  // piece lands in (0..7), or -1 to keep its own.
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

// What a hint search answers: the step to make (marked as a hint's; a move
// to a tray slot takes a piece back), or why there is none.
struct Hint {
  enum class Kind : std::uint8_t {
    kStep,
    kSolved,        // nothing to do: no fire burns and the water touches no hazard
    kNotFound,      // no solution from this board, or none the water allows a safe order for
    kLimitReached,  // the search stopped at its limit before finding a step
  };
  Kind kind = Kind::kNotFound;
  Step step;
  std::int64_t nodes = 0;  // search decisions spent
};

}  // namespace qw
