// `quenchway-levels check`: every level of a level file read by the game's
// own loader, checked against the format's limits, for placements that
// overwrite one another, for passwords the keypad cannot type or that an
// earlier level already uses, and for whether the solver can solve it.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "data/levels.h"
#include "levelgen/elements.h"
#include "levelgen/grade.h"
#include "levelgen/variety.h"
#include "solver/solver.h"

namespace qw {

struct Finding {
  bool error = true;      // errors make a level unsound; warnings do not
  std::int32_t line = 0;  // 0: not tied to a line
  std::string text;
};

struct LevelCheck {
  std::int32_t number = 0;  // 1-based
  std::wstring title;
  std::int32_t line = 0;  // of the title
  std::vector<Finding> findings;
  SolveReport solve;
  bool verified = false;  // the solution solves the level in the game's own puzzle
  // With stats: the counting search and the fewest pieces any solution needs.
  std::optional<SolveReport> count;
  std::optional<SolveReport> fewest;
  std::optional<LevelFeatures> features;  // what the grade model sees
  std::optional<ElementReport> elements;  // walls and hazards that do not earn their place

  bool Sound() const;
  bool Solvable() const { return solve.outcome == SolveOutcome::kSolved && verified; }
};

struct FileCheck {
  std::vector<Finding> findings;  // about the file as a whole
  std::vector<LevelRecord> records;
  std::vector<LevelCheck> levels;
  std::optional<Variety> variety;  // with stats
  bool Passed() const;
};

struct CheckOptions {
  bool stats = false;
  std::int64_t nodeLimit = kDefaultNodeLimit;
};

// Checks the text of a level file; the records come from the game's loader.
FileCheck CheckLevelText(const std::wstring& text, const CheckOptions& options);
// nullopt when the file cannot be read.
std::optional<FileCheck> CheckLevelFile(const std::string& path, const CheckOptions& options);

void PrintCheck(std::ostream& out, const FileCheck& check, bool stats);

}  // namespace qw
