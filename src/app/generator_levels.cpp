#include "app/generator_levels.h"

#include <chrono>
#include <random>

#include "data/calendar.h"
#include "levelgen/generator.h"
#include "ui/game_texts.h"

namespace qw {

std::optional<LevelRecord> RandomGeneratedLevel(std::uint64_t seed, std::int32_t grade) {
  if (grade < kEasiestGrade || grade > kHardestGrade) return std::nullopt;
  std::optional<std::vector<GeneratedLevel>> set = GenerateSet(GenerateOptions{1, seed, grade});
  if (!set || set->empty()) return std::nullopt;
  LevelRecord level = std::move(set->front().record);
  level.title = GeneratedLevelTitle(grade, seed);
  return level;
}

std::optional<LevelRecord> DailyGeneratedLevel(std::int64_t day) {
  const std::optional<Date> date = DateOfDay(day);
  if (!date) return std::nullopt;
  std::optional<GeneratedLevel> level = GenerateDaily(*date);
  if (!level) return std::nullopt;
  return std::move(level->record);
}

std::int64_t GeneratorLevels::Today() {
  using namespace std::chrono;
  return floor<days>(system_clock::now()).time_since_epoch().count();
}

std::uint64_t GeneratorLevels::NewSeed() {
  // Nine digits at most, so that the caption shows the seed whole and the
  // level can be played again with --random.
  std::random_device device;
  return (std::uint64_t{device()} << 32 | device()) % 1'000'000'000u;
}

}  // namespace qw
