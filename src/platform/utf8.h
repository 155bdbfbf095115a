// Wide text (one character per code point) to UTF-8, for the terminal, file
// names and SDL.
#pragma once

#include <string>
#include <string_view>

namespace qw {

std::string ToUtf8(std::wstring_view text);
// The reverse, for text typed into a script: a byte that starts no whole
// sequence is taken as the character of its value.
std::wstring FromUtf8(std::string_view text);

}  // namespace qw
