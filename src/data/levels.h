// The level table: groups of seven meaningful lines, kept as read; only the
// piece counts and the source are converted to numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qw {

struct LevelRecord {
  std::wstring title;           // line 1: the chooser and the caption of a generated level show it
  std::wstring password;        // line 2, verbatim
  std::int32_t elbowCount = 0;  // line 3, fields 0, 1, 2
  std::int32_t bendCount = 0;
  std::int32_t splitterCount = 0;
  std::int32_t sourceCell = 0;  // line 4, fields 0 and 1
  std::int32_t sourceRotation = 0;
  std::wstring fireCells;  // lines 5, 6, 7: verbatim, or empty for exactly "-1"
  std::wstring hazardCells;
  std::wstring wallCells;
  friend bool operator==(const LevelRecord&, const LevelRecord&) = default;
};

// nullopt only when the file cannot be read; an incomplete last group is
// dropped, and a file without any complete group gives an empty table.
std::optional<std::vector<LevelRecord>> LoadLevels(const std::string& path);

// The same from text already read. When startLines is given it receives, for
// each level, the number of the file line its title stands on.
std::vector<LevelRecord> ParseLevels(std::wstring text,
                                     std::vector<std::int32_t>* startLines = nullptr);

// The seven lines of a level as the loader reads them back, each ending in
// CR LF, every character written as one Latin-1 byte; an empty list is "-1".
std::string LevelRecordText(const LevelRecord& level);

// The numbers of a comma-separated cell list (fires, hazards or walls), each
// read the forgiving way, in order; they are not checked against the board.
std::vector<std::int32_t> CellNumbers(const std::wstring& list);

}  // namespace qw
