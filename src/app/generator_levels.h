// The game's generated levels from the level generator: the daily puzzle of
// a UTC day and random levels of a grade. The game window owns one and hands
// it to the controller.
#pragma once

#include <cstdint>
#include <optional>

#include "data/levels.h"
#include "ui/generated_levels.h"

namespace qw {

// The random level of a seed and grade is the level that
// `quenchway-levels generate --count 1 --seed SEED --grade G` writes, under
// the title "Grade G, seed SEED".
std::optional<LevelRecord> RandomGeneratedLevel(std::uint64_t seed, std::int32_t grade);
// The daily puzzle of a day, as `quenchway-levels generate --daily` writes it.
std::optional<LevelRecord> DailyGeneratedLevel(std::int64_t day);

class GeneratorLevels final : public GeneratedLevelSource {
 public:
  std::optional<LevelRecord> DailyLevel(std::int64_t day) override { return DailyGeneratedLevel(day); }
  std::optional<LevelRecord> RandomLevel(std::uint64_t seed, std::int32_t grade) override {
    return RandomGeneratedLevel(seed, grade);
  }
  std::int64_t Today() override;
  std::uint64_t NewSeed() override;

};

}  // namespace qw
