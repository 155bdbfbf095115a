// Random play for tests and benchmarks: the boards a player can reach.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "model/cell.h"

namespace qw {

// A player's random moves: tray pieces put on empty cells in any rotation,
// board pieces moved on or back to the tray, pieces turned. A move that sends
// the water into a hazard is taken back (the game would end the level
// there), and a solved board ends the moves.
void RandomMoves(std::mt19937& rng, std::array<Cell, kTraySlots>& tray, std::array<Cell, kBoardCells>& board,
                 std::int32_t moves);

}  // namespace qw
