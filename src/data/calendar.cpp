#include "data/calendar.h"

#include <array>
#include <chrono>

namespace qw {

namespace {

bool IsLeap(std::int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::int32_t DaysInMonth(std::int32_t y, std::int32_t m) {
  constexpr std::array<std::int32_t, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

std::optional<std::int32_t> Digits(const std::string& text, std::size_t from, std::size_t count) {
  std::int32_t value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::optional<Date> ParseDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto y = Digits(text, 0, 4);
  const auto m = Digits(text, 5, 2);
  const auto d = Digits(text, 8, 2);
  if (!y || !m || !d || *y < kFirstYear || *y > kLastYear || *m < 1 || *m > 12) return std::nullopt;
  if (*d < 1 || *d > DaysInMonth(*y, *m)) return std::nullopt;
  return Date{*y, *m, *d};
}

std::string DateText(const Date& date) {
  auto two = [](std::int32_t v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
  return std::to_string(date.year) + "-" + two(date.month) + "-" + two(date.day);
}

std::int64_t DayNumber(const Date& date) {
  std::int64_t days = 0;
  for (std::int32_t y = kFirstYear; y < date.year; ++y) days += IsLeap(y) ? 366 : 365;
  for (std::int32_t m = 1; m < date.month; ++m) days += DaysInMonth(date.year, m);
  return days + date.day - 1;
}

std::optional<Date> DateOfDay(std::int64_t day) {
  using namespace std::chrono;
  // Bounded first, so that the conversion below never leaves int range.
  if (day < 0 || day > DayNumber(Date{kLastYear, 12, 31})) return std::nullopt;
  const year_month_day ymd{sys_days{days{day}}};
  return Date{static_cast<std::int32_t>(ymd.year()),
              static_cast<std::int32_t>(static_cast<unsigned>(ymd.month())),
              static_cast<std::int32_t>(static_cast<unsigned>(ymd.day()))};
}

std::int32_t Weekday(const Date& date) {
  // 1970-01-01 was a Thursday.
  return static_cast<std::int32_t>((DayNumber(date) + 3) % 7);
}

}  // namespace qw
