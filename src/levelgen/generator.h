// The level generator: builds levels with exactly one solution, graded 1
// (first steps) to 5 (expert) by the grade model, and writes them in the
// game's level format. The same seed and grade always give the same level,
// byte for byte, on every machine. The daily puzzle's seed and grade come
// from the date alone, so that every player gets the same level on a day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/calendar.h"
#include "data/levels.h"
#include "levelgen/grade.h"
#include "solver/solver.h"

namespace qw {

struct GeneratedLevel {
  LevelRecord record;
  std::int32_t grade = 0;
  LevelFeatures features;  // as MeasureLevel sees the finished level
  // The tray's pieces that the solution leaves unused, on purpose.
  std::int32_t decoyElbows = 0;
  std::int32_t decoyBends = 0;
  std::int32_t decoySplitters = 0;
};

// Searches beyond this many decisions mark a candidate as too costly to
// decide, and the generator drops it: every level it gives is decided well
// within the checker's default limit.
inline constexpr std::int64_t kGeneratorNodeLimit = 15'000;

// One level of the grade (1..5) from the seed, with a password of five keypad
// letters that is none of `takenPasswords`. nullopt for a grade outside 1..5
// or, never seen in practice, when no candidate passes within the attempt
// bound.
std::optional<GeneratedLevel> GenerateLevel(std::uint64_t seed, std::int32_t grade,
                                            const std::vector<std::wstring>& takenPasswords);

// The shipped level set, built in: the grade model is calibrated on it, and
// generated levels never use its passwords.
const std::vector<LevelRecord>& ShippedLevels();
const std::vector<std::wstring>& ShippedPasswords();

// A grade for every level of a set: G for all of them, or with kMixedGrade a
// curve that rises from 1 to 5 along the set.
inline constexpr std::int32_t kMixedGrade = 0;
std::int32_t GradeInSet(std::int32_t grade, std::int32_t index, std::int32_t count);

struct GenerateOptions {
  std::int32_t count = 10;
  std::uint64_t seed = 1;
  std::int32_t grade = kMixedGrade;
};

// The levels of a set: level i comes from the set's seed and i, so that
// levels do not depend on one another except through their passwords,
// which are distinct. nullopt when a level cannot be made.
std::optional<std::vector<GeneratedLevel>> GenerateSet(const GenerateOptions& options);

// The daily puzzle: its seed from the date, its grade rising from 1 on
// Monday to 5 on Sunday.
std::uint64_t DailySeed(const Date& date);
std::int32_t DailyGrade(const Date& date);
std::optional<GeneratedLevel> GenerateDaily(const Date& date);

// The levels the game plays: the daily puzzle of a day (days since
// 1970-01-01) and the random level of a seed and grade, which is the level
// `generate --count 1 --seed SEED --grade G` writes, under the title
// "Grade G, seed SEED". nullopt for a day or grade out of range.
std::optional<LevelRecord> DailyGeneratedLevel(std::int64_t day);
std::optional<LevelRecord> RandomGeneratedLevel(std::uint64_t seed, std::int32_t grade);

// The level text: a comment line naming the grade, the fewest pieces, the
// search effort and the decoys, then the seven lines of the level, each
// ending in CR LF.
std::string LevelText(const GeneratedLevel& level);

}  // namespace qw
