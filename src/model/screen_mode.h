// The screen modes. screenMode holds one of these; a paint of any other
// value draws nothing.
#pragma once

#include <cstdint>

namespace qw {

inline constexpr std::int32_t MODE_MENU = 0;
inline constexpr std::int32_t MODE_HELP = 1;
inline constexpr std::int32_t MODE_PLAY = 2;
inline constexpr std::int32_t MODE_SOLVED = 3;
inline constexpr std::int32_t MODE_FAILED = 4;
inline constexpr std::int32_t MODE_PASSWORD = 5;

}  // namespace qw
