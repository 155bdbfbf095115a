// `quenchway-levels show`: one level as text, and as the game draws it.
#pragma once

#include <cstdint>
#include <optional>
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

// The art `show --png` draws with for levelFile: the skin and layout from
// artFolder when given, else from the level file's own folder when it holds
// both (a set drawn with art of its own), else from gameData, the folder the
// game itself reads its data from; the piece strip from piecesFile when
// given, else from ../resources/pieces.bmp beside the folder chosen, where
// the build and an installed copy keep it.
ShowArt ChooseShowArt(const std::string& levelFile, const std::optional<std::string>& artFolder,
                      const std::optional<std::string>& piecesFile, const std::string& gameData);

// Draws level `index` of `levels` with the game's renderer, as the play
// screen shows it (with a solution's pieces on the board), and writes it as
// a PNG. False with a message in *error when art cannot be loaded or the
// file cannot be written.
bool RenderLevelPng(const std::vector<LevelRecord>& levels, std::int32_t index,
                    const Solution* solution, const ShowArt& art, const std::string& outPath,
                    std::string* error);

}  // namespace qw
