#include "levels/random_play.h"

namespace qw {

void RandomMoves(std::mt19937& rng, Puzzle& puzzle, std::int32_t moves) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto boardPosition = [](int index) { return Position{index / kBoardSize, index % kBoardSize}; };
  for (std::int32_t m = 0; m < moves; ++m) {
    const Puzzle::Snapshot before = puzzle.TakeSnapshot();
    const Position slot{pick(0, kTraySlots - 1), -1};
    const Position cell = boardPosition(pick(0, kBoardCells - 1));
    const Position other = boardPosition(pick(0, kBoardCells - 1));
    switch (pick(0, 3)) {
      case 0:  // tray to board, in any rotation
        if (IsPipePiece(*puzzle.At(slot)) && puzzle.At(cell)->kind == KIND_EMPTY) {
          puzzle.Apply(Step::Move(slot, cell, pick(0, 7)));
        }
        break;
      case 1: puzzle.Apply(Step::Move(cell, other)); break;  // board to board
      case 2: puzzle.Apply(Step::Move(cell, slot)); break;   // board to tray
      default:
        if (IsPipePiece(*puzzle.At(cell))) puzzle.Apply(Step::Turn(cell, true, pick(1, 7)));
        break;
    }
    const Outcome outcome = puzzle.GetOutcome();
    if (outcome == Outcome::kFailed) puzzle.Restore(before, before.selection);
    if (outcome == Outcome::kSolved) return;
  }
}

}  // namespace qw
