// The level file as its author wrote it: the meaningful lines of each level
// with the line numbers an editor shows, and how its lines end. The checker
// reads the records through the game's loader and uses this to point at the
// text behind them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qw {

struct SourceLine {
  std::wstring text;
  std::int32_t line = 0;  // 1-based, counted at every line feed
};

struct LevelFileText {
  std::vector<std::array<SourceLine, 7>> levels;
  // Meaningful lines after the last complete level: the game drops them.
  std::vector<SourceLine> leftover;
  std::int32_t lineFeeds = 0;  // all of them
  std::int32_t crlfs = 0;      // "\r\n" pairs, the only line ends the game knows
  // Lines that end in a line feed alone in a file that also has "\r\n": the
  // game joins each with the line after it.
  std::vector<std::int32_t> loneLineFeeds;
  // Text after the last "\r\n" that is not only blanks: the game ignores it.
  bool unterminatedTail = false;
};

// Splits text as the game's line reader does (NextLine), keeping editor line
// numbers.
LevelFileText ReadLevelFileText(const std::wstring& text);

// A plain decimal number: an optional "-" and digits, nothing else.
bool IsPlainNumber(const std::wstring& field);

}  // namespace qw
