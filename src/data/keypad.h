// The letters of the password screen's eight keys, key 0 leftmost. The skin's
// keypad glyphs and the level passwords use exactly these letters.
#pragma once

#include <array>

namespace qw {

inline constexpr std::array<wchar_t, 8> keypadAlphabet{L'A', L'E', L'I', L'L',
                                                       L'N', L'R', L'S', L'T'};

}  // namespace qw
