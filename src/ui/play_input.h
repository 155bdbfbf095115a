// Play input: the pen and the keys on the play screen become steps. A press
// on a pipe piece becomes a tap (select, or turn the selection) or a drag
// (a move where it is dropped); the keyboard's cursor picks a piece up and
// drops it with the pen's rules; the toolbar's turn, restart, undo, redo and
// hint act on the puzzle. Every step takes the session's one path.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "ui/session.h"

namespace qw {

class PlayInput {
 public:
  explicit PlayInput(Session& session) : s_(session) {}

  void PenDown(Point p);
  void PenMove(Point p);
  void PenUp(Point p);
  // Turns the selection, or the carried piece, by 45 degrees.
  void Turn(bool clockwise);
  // Sets the level up again, as a step that can be undone; from the play
  // screen and the outcome screens alike.
  void Restart();
  // Makes the hint source's step as an ordinary step of the player's; a
  // take-back or no step leaves a note in the bar.
  void Hint();
  // In play the cursor key shows the cursor (first at the selection, or tray
  // slot 0) and then moves it over the tray and board, Up from the board's
  // top row to the tray and Down from the tray to the board; a carried piece
  // travels with it.
  void CursorKey(std::int32_t dx, std::int32_t dy);
  // Picks up the piece under the cursor, or drops the carried one there with
  // the pen's rules: on an occupied place it stays carried.
  void PickKey();

 private:
  void DropPiece(Point p);
  void MoveCursor(Position to);
  void Select(Position p);

  Session& s_;
};

}  // namespace qw
