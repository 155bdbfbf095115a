// The letters of the password keypad, key 0 leftmost. The keypad's pictures
// in the skin show these letters in this order, and every level password is
// made of them.
#pragma once

#include <array>

namespace qw {

inline constexpr std::array<wchar_t, 8> keypadAlphabet{L'A', L'E', L'I', L'L', L'N', L'R', L'S', L'T'};

}  // namespace qw
