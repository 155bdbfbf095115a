#include "data/text.h"

#include <algorithm>
#include <limits>

#include "platform/files.h"

namespace qw {

namespace {

bool IsBlank(wchar_t c) {
  // The C locale's white space, as the number rule skips it.
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

}  // namespace

std::optional<std::wstring> ReadTextFile(const std::string& path) {
  // A pipe, a device or a folder is refused before a single byte is read,
  // and a file that grows past the limit while it is read is refused too.
  const FileRead file = ReadFileBytes(path, kMaxTextFileBytes);
  if (file.status != FileRead::Status::Ok) return std::nullopt;
  std::wstring text;
  text.reserve(file.bytes.size());
  for (const char c : file.bytes) {
    if (c == 0) break;  // the text ends at the first zero byte
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  }
  return text;
}

bool NextLine(TextBuffer& buffer, std::wstring& line) {
  for (;;) {
    const std::size_t end = buffer.text.find(L"\r\n", buffer.pos);
    if (end == std::wstring::npos) return false;
    const std::size_t start = buffer.pos;
    buffer.pos = end + 2;
    buffer.lineNumber = buffer.nextLine;
    // Lines are counted at "\r\n" only, as nothing else ends a line.
    ++buffer.nextLine;
    if (end == start || buffer.text[start] == L';') continue;
    line.assign(buffer.text, start, end - start);
    return true;
  }
}

FieldTokenizer::FieldTokenizer(std::wstring text, std::wstring delimiters)
    : text_(std::move(text)), delimiters_(std::move(delimiters)) {
  if (text_.empty()) return;
  // The field starts are found once, so reading every field of a long line
  // stays linear.
  starts_.push_back(0);
  std::size_t at = text_.find_first_of(delimiters_);
  while (at != std::wstring::npos &&
         starts_.size() < static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    starts_.push_back(at + 1);
    at = text_.find_first_of(delimiters_, at + 1);
  }
  count_ = static_cast<std::int32_t>(starts_.size());
}

std::wstring FieldTokenizer::field(std::int32_t i) const {
  if (i < 0 || i >= count_) return std::wstring();
  const std::size_t start = starts_[static_cast<std::size_t>(i)];
  const std::size_t end =
      (i + 1 < count_) ? starts_[static_cast<std::size_t>(i) + 1] - 1 : text_.size();
  return text_.substr(start, end - start);
}

std::int32_t ReadNumber(std::wstring_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == L'+' || field[i] == L'-')) {
    negative = field[i] == L'-';
    ++i;
  }
  // Accumulate in 64 bits and stop growing once past the int32 range, so a
  // long run of digits saturates instead of wrapping.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < field.size() && field[i] >= L'0' && field[i] <= L'9'; ++i) {
    if (value <= kLimit) value = value * 10 + (field[i] - L'0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::vector<std::string> SplitWords(std::string_view line) {
  constexpr std::string_view kBlanks = " \t\n\v\f\r";
  std::vector<std::string> words;
  for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
    words.emplace_back(line.substr(at, end - at));
    at = line.find_first_not_of(kBlanks, end);
  }
  return words;
}

}  // namespace qw
