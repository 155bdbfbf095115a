// The text files' shared rules: a whole file widened one character per byte,
// meaningful lines ending in "\r\n", comma-separated fields, and numbers read
// the forgiving way (leading blanks, a sign, digits up to the first other
// character, nothing else reported).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

// Files larger than this are refused like missing ones: no data file comes
// near it, and reading one would only exhaust memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// The whole file, each byte widened to one character (Latin-1), up to the
// first zero byte. nullopt when the file cannot be opened or read, is too
// large, or is no regular file (a folder, a pipe, a device).
std::optional<std::wstring> ReadTextFile(const std::string& path);

// The part of a file not yet taken by NextLine.
struct TextBuffer {
  explicit TextBuffer(std::wstring text) : text(std::move(text)) {}
  std::wstring text;
  std::size_t pos = 0;          // where the untaken part starts
  std::int32_t lineNumber = 0;  // 1-based number of the line NextLine gave last
  std::int32_t nextLine = 1;    // number of the first untaken line
};

// Gives the next meaningful line (not empty, not starting with ';') without
// its "\r\n". False when no further meaningful line ends in "\r\n": text after
// the last "\r\n" is never given out. A lone "\n" or "\r" is an ordinary
// character.
bool NextLine(TextBuffer& buffer, std::wstring& line);

// Splits a text into fields at any of the delimiter characters. A non-empty
// text with k delimiters has k + 1 fields; the empty text has none. Fields
// come out exactly as they stand, empty ones included.
class FieldTokenizer {
 public:
  FieldTokenizer(std::wstring text, std::wstring delimiters);

  std::int32_t count() const { return count_; }
  // Field i (from 0), or the empty string when i is not below count().
  std::wstring field(std::int32_t i) const;

 private:
  std::wstring text_;
  std::wstring delimiters_;
  std::int32_t count_ = 0;
  std::vector<std::size_t> starts_;  // where each field begins; found once
};

// Reads a field as a number: leading white space skipped, an optional sign,
// then decimal digits up to the first other character; no digits read as 0.
// Values beyond 32 bits saturate at the int32 limits instead of wrapping.
std::int32_t ReadNumber(std::wstring_view field);

// The words of a command line: the runs of characters between blanks, tabs,
// line ends, vertical tabs and form feeds.
std::vector<std::string> SplitWords(std::string_view line);

}  // namespace qw
