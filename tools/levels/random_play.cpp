#include "levels/random_play.h"

#include <utility>

#include "solver/hint.h"

namespace qw {

void RandomMoves(std::mt19937& rng, std::array<Cell, kTraySlots>& tray, std::array<Cell, kBoardCells>& board,
                 std::int32_t moves) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (std::int32_t m = 0; m < moves; ++m) {
    const auto trayBefore = tray;
    const auto boardBefore = board;
    const auto slot = static_cast<std::size_t>(pick(0, kTraySlots - 1));
    const auto cell = static_cast<std::size_t>(pick(0, kBoardCells - 1));
    const auto other = static_cast<std::size_t>(pick(0, kBoardCells - 1));
    switch (pick(0, 3)) {
      case 0:  // tray to board
        if (IsPipePiece(tray[slot]) && board[cell].kind == KIND_EMPTY) {
          board[cell] = Cell{tray[slot].kind, pick(0, 7)};
          tray[slot] = Cell{};
        }
        break;
      case 1:  // board to board
        if (IsPipePiece(board[cell]) && board[other].kind == KIND_EMPTY) std::swap(board[cell], board[other]);
        break;
      case 2:  // board to tray
        if (IsPipePiece(board[cell]) && tray[slot].kind == KIND_EMPTY) std::swap(board[cell], tray[slot]);
        break;
      default:  // a turn
        if (IsPipePiece(board[cell])) board[cell].variant = NormalizeDirection(board[cell].variant + pick(1, 7));
        break;
    }
    const WaterState water = BoardWater(board);
    if (water == WaterState::kFailed) {
      tray = trayBefore;
      board = boardBefore;
    }
    if (water == WaterState::kSolved) return;
  }
}

}  // namespace qw
