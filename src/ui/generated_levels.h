// Where levels that are not in the level table come from: the daily puzzle
// of a day, the same for every player, random levels of a chosen grade, and
// whole levels shared by a code. The game only plays them; making them lives
// behind this interface.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "data/level_code.h"
#include "data/levels.h"

namespace qw {

// Which generated level to play. A daily puzzle without a day is today's, a
// random level without a seed gets a fresh one. A shared level is a whole
// level from a code, played like a generated one.
struct GeneratedLevelChoice {
  enum class Kind : std::uint8_t { kDaily, kRandom, kShared };
  Kind kind = Kind::kDaily;
  std::optional<std::int64_t> day;     // days since 1970-01-01, in UTC
  std::optional<std::uint64_t> seed;   // random levels
  std::int32_t grade = kEasiestGrade;  // random levels: 1..5
  std::optional<LevelRecord> shared;   // shared levels

  static GeneratedLevelChoice Daily(std::optional<std::int64_t> day = std::nullopt) {
    return GeneratedLevelChoice{Kind::kDaily, day, std::nullopt, kEasiestGrade, std::nullopt};
  }
  static GeneratedLevelChoice Random(std::int32_t grade,
                                     std::optional<std::uint64_t> seed = std::nullopt) {
    return GeneratedLevelChoice{Kind::kRandom, std::nullopt, seed, grade, std::nullopt};
  }
  static GeneratedLevelChoice Shared(LevelRecord level) {
    return GeneratedLevelChoice{Kind::kShared, std::nullopt, std::nullopt, kEasiestGrade,
                                std::move(level)};
  }
  friend bool operator==(const GeneratedLevelChoice&, const GeneratedLevelChoice&) = default;
};

class GeneratedLevelSource {
 public:
  virtual ~GeneratedLevelSource() = default;
  // The daily puzzle of a day; nullopt for a day it cannot make.
  virtual std::optional<LevelRecord> DailyLevel(std::int64_t day) = 0;
  // The random level of a seed and grade; nullopt for a grade outside 1..5
  // or when none can be made.
  virtual std::optional<LevelRecord> RandomLevel(std::uint64_t seed, std::int32_t grade) = 0;
  // Today in UTC, days since 1970-01-01.
  virtual std::int64_t Today() = 0;
  // A seed for a random level nobody asked for by number.
  virtual std::uint64_t NewSeed() = 0;
};

}  // namespace qw
