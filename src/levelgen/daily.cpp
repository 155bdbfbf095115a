// The daily puzzle: one level a day, the same for every player, from the
// date alone; and the levels the game plays by day or by seed and grade.
#include <array>

#include "levelgen/generator.h"
#include "levelgen/random.h"

namespace qw {

namespace {

// Fixed for good: changing it changes every day's puzzle.
constexpr std::uint64_t kDailySalt = 0x5157'4441'494c'5931ull;
// Monday to Sunday.
constexpr std::array<std::int32_t, 7> kWeekdayGrades{1, 2, 3, 3, 4, 4, 5};

}  // namespace

std::uint64_t DailySeed(const Date& date) {
  return MixSeed(kDailySalt, static_cast<std::uint64_t>(DayNumber(date)));
}

std::int32_t DailyGrade(const Date& date) {
  return kWeekdayGrades[static_cast<std::size_t>(Weekday(date))];
}

std::optional<GeneratedLevel> GenerateDaily(const Date& date) {
  std::optional<GeneratedLevel> level =
      GenerateLevel(DailySeed(date), DailyGrade(date), ShippedPasswords());
  const std::string day = DateText(date);
  if (level) level->record.title = L"Daily puzzle " + std::wstring(day.begin(), day.end());
  return level;
}

std::optional<LevelRecord> RandomGeneratedLevel(std::uint64_t seed, std::int32_t grade) {
  if (grade < kLowestGrade || grade > kHighestGrade) return std::nullopt;
  std::optional<std::vector<GeneratedLevel>> set = GenerateSet(GenerateOptions{1, seed, grade});
  if (!set || set->empty()) return std::nullopt;
  LevelRecord level = std::move(set->front().record);
  level.title = L"Grade " + std::to_wstring(grade) + L", seed " + std::to_wstring(seed);
  return level;
}

std::optional<LevelRecord> DailyGeneratedLevel(std::int64_t day) {
  const std::optional<Date> date = DateOfDay(day);
  if (!date) return std::nullopt;
  std::optional<GeneratedLevel> level = GenerateDaily(*date);
  if (!level) return std::nullopt;
  return std::move(level->record);
}

}  // namespace qw
