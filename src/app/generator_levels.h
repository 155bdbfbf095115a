// The game's generated levels from the level generator: the daily puzzle of
// a UTC day and random levels of a grade. The game window owns one and hands
// it to the controller.
#pragma once

#include <cstdint>
#include <optional>

#include "data/levels.h"
#include "levelgen/generator.h"
#include "ui/generated_levels.h"

namespace qw {

class GeneratorLevels final : public GeneratedLevelSource {
 public:
  std::optional<LevelRecord> DailyLevel(std::int64_t day) override {
    return DailyGeneratedLevel(day);
  }
  std::optional<LevelRecord> RandomLevel(std::uint64_t seed, std::int32_t grade) override {
    return RandomGeneratedLevel(seed, grade);
  }
  std::int64_t Today() override;
  std::uint64_t NewSeed() override;
};

}  // namespace qw
