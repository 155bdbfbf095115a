// Level codes: a level written as a short text that players can pass on,
// type and put in a web address. A code names either a whole level (its
// title, password, tray, nozzle, fires, hazards and walls) or a level the
// generator makes (the daily puzzle of a day, the random level of a seed and
// grade), which takes only a few characters.
//
// A code is Crockford base 32: the digits and the capitals but I, L, O and
// U, read in either case, with I and L read as 1, O as 0, and hyphens
// skipped. Its first character is the format version; its last four are a
// check of all the others (a 20-bit CRC, which catches every mistyped
// character and every two neighbours swapped).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/levels.h"

namespace qw {

inline constexpr std::int32_t kEasiestGrade = 1;  // first steps
inline constexpr std::int32_t kHardestGrade = 5;  // expert

// The version codes are written in; a code of another version is refused.
inline constexpr std::int32_t kLevelCodeVersion = 1;

// What a code names.
struct CodedLevel {
  // Codes hold these numbers: fixed for good.
  enum class Kind : std::uint8_t { kBoard = 0, kDaily = 1, kRandom = 2 };
  Kind kind = Kind::kBoard;
  LevelRecord board;       // kBoard: the whole level
  std::int64_t day = 0;    // kDaily: days since 1970-01-01, up to 9999-12-31
  std::uint64_t seed = 0;  // kRandom
  std::int32_t grade = 0;  // kRandom: kEasiestGrade..kHardestGrade
  friend bool operator==(const CodedLevel&, const CodedLevel&) = default;
};

// The code of a level. nullopt, with the reason in `problem`, for a level a
// code cannot give back exactly: a whole level must keep the level format's
// limits (tray counts from 0 adding up to at most 10, nozzle on the board
// turned 0..7, every listed cell 0..99 written plainly, separated by commas,
// at most 127 to a list), a title of 1 to 63 and a password of 1 to 15
// characters, neither beginning with ';' nor holding a line end.
std::optional<std::string> EncodeLevel(const CodedLevel& level, std::string* problem = nullptr);

// The level a code names. nullopt, with a sentence in `problem` saying what
// is wrong (empty, mistyped, cut short, altered, or of an unknown version),
// for any other text.
std::optional<CodedLevel> DecodeLevel(std::string_view code, std::string* problem = nullptr);

// A code's characters followed by their check characters: how a code is
// sealed. Tests use it to make codes the encoder never writes.
std::string SealCode(std::string_view body);

}  // namespace qw
