// Boards for the benchmarks, written as pictures: ten rows of ten cells, each
// cell two characters with a blank between cells. ". " is empty, "F " a
// burning fire, "H " a hazard, "W " a wall; a letter and a rotation 0..7 is a
// piece: "E" elbow, "B" bend, "S" splitter, "N" the source's nozzle.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "data/levels.h"
#include "model/puzzle.h"

namespace qw::bench {

struct BoardPicture {
  std::string_view name;
  std::array<std::string_view, 10> rows;
  std::string_view tray;  // one row of ten cells
};

// Puts the picture on the board and the tray. False, with both unchanged,
// for a picture that does not read.
bool PutBoard(Puzzle& puzzle, const BoardPicture& picture, std::string& error);

// The boards the water trace is timed on, the one with the most FlowFrom
// steps first.
const std::array<BoardPicture, 5>& TraceBoards();

// The shipped level set, from the copy built into the benchmarks.
std::vector<LevelRecord> ShippedLevels();

// A board in the middle of a game of the shipped first level, water running
// through four placed pieces, one fire still burning.
const BoardPicture& MidGameBoard();

}  // namespace qw::bench
