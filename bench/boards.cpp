#include "bench/boards.h"

#include "quenchway-bench_resources.h"

namespace qw::bench {

namespace {

// Reads one cell, two characters; false when they mean nothing.
bool ReadCell(std::string_view text, Cell& cell) {
  if (text.size() != 2) return false;
  if (text == ". ") {
    cell = Cell{KIND_EMPTY, 0};
    return true;
  }
  if (text[1] == ' ') {
    switch (text[0]) {
      case 'F': cell = Cell{KIND_FIRE, 0}; return true;
      case 'H': cell = Cell{KIND_SPARK, 0}; return true;
      case 'W': cell = Cell{KIND_WALL, 0}; return true;
      default: return false;
    }
  }
  if (text[1] < '0' || text[1] > '7') return false;
  const std::int32_t r = text[1] - '0';
  switch (text[0]) {
    case 'E': cell = Cell{KIND_ELBOW, r}; return true;
    case 'B': cell = Cell{KIND_BEND, r}; return true;
    case 'S': cell = Cell{KIND_SPLITTER, r}; return true;
    case 'N': cell = Cell{KIND_SOURCE, r}; return true;
    default: return false;
  }
}

// Ten cells of a row picture, each followed by a blank (the last one's may
// be left out).
template <typename Store>
bool ReadRow(std::string_view row, Store store) {
  for (std::int32_t i = 0; i < 10; ++i) {
    const std::size_t at = static_cast<std::size_t>(i) * 3;
    if (at + 1 >= row.size()) return false;
    std::string cell(row.substr(at, 2));
    Cell c;
    if (!ReadCell(cell, c)) return false;
    store(i, c);
  }
  return true;
}

}  // namespace

bool PutBoard(Puzzle& puzzle, const BoardPicture& picture, std::string& error) {
  std::array<Cell, kBoardCells> board{};
  std::array<Cell, kTraySlots> tray{};
  for (std::int32_t y = 0; y < kBoardSize; ++y) {
    const bool ok =
        ReadRow(picture.rows[static_cast<std::size_t>(y)], [&](std::int32_t x, const Cell& c) {
          board[static_cast<std::size_t>(BoardIndex(x, y))] = c;
        });
    if (!ok) {
      error =
          "board '" + std::string(picture.name) + "': row " + std::to_string(y) + " does not read";
      return false;
    }
  }
  if (!ReadRow(picture.tray,
               [&](std::int32_t k, const Cell& c) { tray[static_cast<std::size_t>(k)] = c; })) {
    error = "board '" + std::string(picture.name) + "': the tray does not read";
    return false;
  }
  puzzle.SetUpPosition(tray, board);
  return true;
}

const std::array<BoardPicture, 5>& TraceBoards() {
  // The first four were found by a simulated-annealing search over boards
  // (random cell changes, scored by the trace's step count); the
  // serpentine is built by hand.
  static constexpr std::array<BoardPicture, 5> kBoards{{
      // Twelve nozzles, the most trace steps found: 324.
      {"many_sources",
       {
           "S1 N5 N3 N4 N4 N5 S6 N6 B1 N6",
           "S5 E0 .  .  .  .  .  .  .  N6",
           "E0 .  E2 .  .  B1 .  E2 E1 . ",
           "E6 .  .  .  .  .  .  .  B2 E3",
           "E0 .  .  .  .  B2 .  .  .  E3",
           ".  E6 .  .  .  .  .  .  .  E2",
           ".  E7 .  E6 .  .  .  .  .  E4",
           "E6 .  .  .  .  .  .  E4 .  N7",
           "E7 B1 .  .  .  .  E4 .  N0 B3",
           "N1 E5 E6 B5 E5 S6 .  N6 B6 E4",
       },
       "E0 B0 S0 .  .  .  .  .  .  . "},
      // One nozzle, the longest single flow found: 290 steps through 43
      // pieces, splitters feeding long straight runs.
      {"longest_flow",
       {
           "N4 S6 S0 B2 E0 E2 E0 B2 B5 S7",
           "S4 .  S2 B1 .  .  .  E2 E3 . ",
           "E0 S4 .  .  .  .  .  .  E2 B5",
           ".  E7 .  E0 .  .  .  .  .  E2",
           "E6 .  .  .  .  .  .  .  .  E4",
           "E0 .  .  .  .  .  .  .  .  E2",
           ".  S6 S4 .  .  .  .  E6 .  E4",
           ".  .  E7 E6 .  .  .  .  .  E2",
           ".  S4 S2 B6 .  .  .  .  .  E4",
           "E6 .  .  .  E4 E6 E4 B6 E4 S6",
       },
       "E0 B0 S0 .  .  .  .  .  .  . "},
      // Splitters only: a tree of 52 splitters, 112 steps.
      {"splitter_tree",
       {
           "N3 S6 S7 .  S2 .  S1 S1 S7 . ",
           "S5 .  S0 S1 S0 S7 S7 .  .  S1",
           "S5 .  .  .  .  S1 .  .  S3 S0",
           "S5 .  S1 .  .  .  S3 .  .  S4",
           "S7 S0 .  .  .  S0 .  S2 S1 . ",
           ".  .  .  .  .  .  .  S7 S1 S3",
           "S5 .  .  .  .  .  .  .  .  S1",
           "S5 .  S5 .  S1 .  .  .  S0 S1",
           "S7 S5 S3 S4 S5 .  .  S7 S3 S3",
           ".  S5 S1 S4 S7 S3 .  S5 S6 S3",
       },
       "E0 B0 S0 .  .  .  .  .  .  . "},
      // What a player can build: one nozzle and the tray's ten pieces, 105
      // steps.
      {"ten_pieces",
       {
           "N3 .  .  E0 .  .  .  .  .  E2",
           ".  .  .  .  .  .  .  .  .  . ",
           "S0 .  .  .  .  .  .  .  S2 . ",
           ".  .  .  .  .  .  .  .  .  . ",
           ".  .  .  .  .  .  .  .  .  . ",
           ".  .  .  .  .  B3 .  .  .  . ",
           ".  .  .  .  .  .  .  .  .  . ",
           ".  .  .  .  .  .  .  .  .  . ",
           "S6 .  .  .  .  S4 .  .  .  S2",
           ".  .  .  E6 .  .  .  .  .  E4",
       },
       ".  .  .  .  .  .  .  .  .  . "},
      // One stream through every cell, row by row: 100 steps, no branch.
      {"serpentine",
       {
           "N2 .  .  .  .  .  .  .  .  E2",
           "E0 .  .  .  .  .  .  .  .  E4",
           "E6 .  .  .  .  .  .  .  .  E2",
           "E0 .  .  .  .  .  .  .  .  E4",
           "E6 .  .  .  .  .  .  .  .  E2",
           "E0 .  .  .  .  .  .  .  .  E4",
           "E6 .  .  .  .  .  .  .  .  E2",
           "E0 .  .  .  .  .  .  .  .  E4",
           "E6 .  .  .  .  .  .  .  .  E2",
           "E0 .  .  .  .  .  .  .  .  E4",
       },
       ".  .  .  .  .  .  .  .  .  . "},
  }};
  return kBoards;
}

const BoardPicture& MidGameBoard() {
  // Water runs east from the nozzle through a fire, turns south at the elbow,
  // splits west and east, and the west branch turns south onto a second
  // fire. The fire below the splitter still burns; the bend lies dry.
  static constexpr BoardPicture kBoard{
      "mid_game",
      {
          ".  .  .  .  W  .  .  .  .  . ",
          ".  .  .  .  W  .  .  .  .  . ",
          "N2 .  .  .  .  F  .  .  E2 . ",
          ".  .  .  .  .  .  .  .  .  . ",
          ".  .  .  .  .  .  .  .  .  . ",
          ".  .  E0 .  .  .  .  .  S4 . ",
          ".  .  .  .  .  .  .  .  .  . ",
          ".  .  .  .  .  .  H  .  F  . ",
          ".  .  F  .  .  B0 .  .  .  . ",
          ".  .  .  .  .  .  .  .  .  W ",
      },
      ".  .  E0 .  B0 .  S0 .  .  . ",
  };
  return kBoard;
}

std::vector<LevelRecord> ShippedLevels() {
  std::wstring text;
  for (std::uint8_t byte : kQwLevelsDat) {
    if (byte == 0) break;
    text.push_back(static_cast<wchar_t>(byte));
  }
  return ParseLevels(std::move(text));
}

}  // namespace qw::bench
