// Random play for tests and benchmarks: the boards a player can reach.
#pragma once

#include <cstdint>
#include <random>

#include "model/puzzle.h"

namespace qw {

// A player's random steps on a started puzzle: tray pieces put on empty
// cells in any rotation, board pieces moved on or back to the tray, pieces
// turned. A step that sends the water into a hazard is taken back (the game
// would end the level there), and a solved board ends the steps.
void RandomMoves(std::mt19937& rng, Puzzle& puzzle, std::int32_t moves);

}  // namespace qw
