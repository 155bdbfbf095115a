// Sets of generated levels: the shipped levels and their passwords, which a
// set never repeats, the grade of each place in a set, and the set itself.
#include <set>

#include "data/text.h"
#include "levelgen/generator.h"
#include "levelgen/random.h"
#include "levelgen/variety.h"
#include "qw_levelgen_resources.h"

namespace qw {

const std::vector<LevelRecord>& ShippedLevels() {
  static const std::vector<LevelRecord> levels = [] {
    std::wstring text;
    for (std::uint8_t byte : shipped::kQwLevelsDat) text.push_back(static_cast<wchar_t>(byte));
    return ParseLevels(text);
  }();
  return levels;
}

const std::vector<std::wstring>& ShippedPasswords() {
  static const std::vector<std::wstring> passwords = [] {
    std::vector<std::wstring> words;
    for (const LevelRecord& r : ShippedLevels()) words.push_back(r.password);
    return words;
  }();
  return passwords;
}

std::int32_t GradeInSet(std::int32_t grade, std::int32_t index, std::int32_t count) {
  if (grade != kMixedGrade) return grade;
  if (count <= 1) return kLowestGrade;
  return kLowestGrade + (index * (kHighestGrade - kLowestGrade + 1)) / count;
}

namespace {

// Levels drawn for one place of a set before a repeat is taken as it is.
constexpr std::int32_t kMostDraws = 8;

}  // namespace

std::optional<std::vector<GeneratedLevel>> GenerateSet(const GenerateOptions& options) {
  std::vector<std::wstring> taken = ShippedPasswords();
  std::vector<GeneratedLevel> levels;
  // No level of a set is another turned or mirrored: a repeat is drawn
  // again from a seed mixed once more.
  std::set<std::string> seen;
  for (std::int32_t i = 0; i < options.count; ++i) {
    const std::int32_t grade = GradeInSet(options.grade, i, options.count);
    std::uint64_t seed = MixSeed(options.seed, static_cast<std::uint64_t>(i));
    std::optional<GeneratedLevel> level;
    for (std::int32_t draw = 0; draw < kMostDraws; ++draw, seed = MixSeed(seed, 0)) {
      level = GenerateLevel(seed, grade, taken);
      if (!level || seen.insert(SymmetryKey(level->record)).second) break;
    }
    if (!level) return std::nullopt;
    level->record.title =
        L"Seed " + std::to_wstring(options.seed) + L" level " + std::to_wstring(i + 1);
    taken.push_back(level->record.password);
    levels.push_back(std::move(*level));
  }
  return levels;
}

}  // namespace qw
