// `quenchway-levels show`: one level as text, and as the game draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"

namespace qw {

// The board as rows of cells, row labels being the cell number of the row's
// first cell, with the water the game's trace runs on it. With a solution,
// its pieces stand on the board.
std::string BoardText(const LevelRecord& level, std::int32_t number, const Solution* solution);

// Where the pictures come from: the skin and the layout table the game reads
// from its data folder, and the piece strip.
struct ShowArt {
  std::string skinPath;
  std::string layoutPath;
  std::string piecesPath;
};

// Draws level `index` of `levels` with the game's renderer, as the play
// screen shows it (with a solution's pieces on the board), and writes it as
// a PNG. False with a message in *error when art cannot be loaded or the
// file cannot be written.
bool RenderLevelPng(const std::vector<LevelRecord>& levels, std::int32_t index, const Solution* solution,
                    const ShowArt& art, const std::string& outPath, std::string* error);

}  // namespace qw
