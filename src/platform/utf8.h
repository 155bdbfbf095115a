// Wide text (one character per code point) to UTF-8, for the terminal, file
// names and SDL.
#pragma once

#include <string>
#include <string_view>

namespace qw {

std::string ToUtf8(std::wstring_view text);

}  // namespace qw
