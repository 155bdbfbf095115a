// Calendar dates of the proleptic Gregorian calendar, as the daily puzzle
// and the player's record of solved days know them: "YYYY-MM-DD" text and
// day numbers counted from 1970-01-01.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qw {

struct Date {
  std::int32_t year = 1970;
  std::int32_t month = 1;
  std::int32_t day = 1;
  friend bool operator==(const Date&, const Date&) = default;
};

// The days a date text may name: 1970-01-01 to 9999-12-31.
inline constexpr std::int32_t kFirstYear = 1970;
inline constexpr std::int32_t kLastYear = 9999;

// "YYYY-MM-DD", a real day of the years 1970 to 9999; nullopt otherwise.
std::optional<Date> ParseDate(const std::string& text);
std::string DateText(const Date& date);
// Days since 1970-01-01.
std::int64_t DayNumber(const Date& date);
// The date of a day number; nullopt outside the years 1970 to 9999.
std::optional<Date> DateOfDay(std::int64_t day);
// 0 Monday ... 6 Sunday.
std::int32_t Weekday(const Date& date);

}  // namespace qw
