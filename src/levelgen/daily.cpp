// The daily puzzle: one level a day, the same for every player, from the
// date alone.
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

std::uint64_t DailySeed(const Date& date) { return MixSeed(kDailySalt, static_cast<std::uint64_t>(DayNumber(date))); }

std::int32_t DailyGrade(const Date& date) { return kWeekdayGrades[static_cast<std::size_t>(Weekday(date))]; }

std::optional<GeneratedLevel> GenerateDaily(const Date& date) {
  std::optional<GeneratedLevel> level = GenerateLevel(DailySeed(date), DailyGrade(date), ShippedPasswords());
  const std::string day = DateText(date);
  if (level) level->record.title = L"Daily puzzle " + std::wstring(day.begin(), day.end());
  return level;
}

}  // namespace qw
