// The text readers: a file of any bytes through ReadTextFile, its lines
// through NextLine, every line split by FieldTokenizer and every field read
// by ReadNumber, each checked against what the rules promise.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "data/text.h"
#include "support.h"

namespace {

using qw::fuzz::Check;

// The number rule written the other way: the C library's reading in 64
// bits, then clamped.
std::int32_t ExpectedNumber(const std::wstring& field) {
  std::string narrow;
  for (wchar_t c : field) narrow.push_back(static_cast<char>(c));
  const long long v = std::strtoll(narrow.c_str(), nullptr, 10);
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

void CheckFields(const std::wstring& text, const std::wstring& delimiters) {
  const qw::FieldTokenizer fields(text, delimiters);
  Check(fields.count() >= 0, "negative field count");
  if (text.empty()) {
    Check(fields.count() == 0, "the empty text has fields");
    return;
  }
  // The fields and the delimiters between them give the text back.
  std::size_t at = 0;
  for (std::int32_t i = 0; i < fields.count(); ++i) {
    const std::wstring f = fields.field(i);
    Check(f.find_first_of(delimiters) == std::wstring::npos, "a field holds a delimiter");
    Check(text.compare(at, f.size(), f) == 0, "a field is not the text at its place");
    at += f.size();
    if (i + 1 < fields.count()) {
      Check(at < text.size() && delimiters.find(text[at]) != std::wstring::npos,
            "fields not split at a delimiter");
      ++at;
    }
    Check(qw::ReadNumber(f) == ExpectedNumber(f), "ReadNumber disagrees with strtoll");
  }
  Check(at == text.size(), "the fields do not cover the text");
  Check(fields.field(fields.count()).empty() && fields.field(-1).empty(), "a field past the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::optional<std::wstring> text =
      qw::ReadTextFile(qw::fuzz::WriteScratchFile("text", bytes));
  Check(text.has_value(), "a small regular file was not read");
  Check(*text == qw::fuzz::Widen(bytes), "the file did not read as its bytes widened");

  qw::TextBuffer buffer(*text);
  std::wstring line;
  std::int32_t lastNumber = 0;
  while (qw::NextLine(buffer, line)) {
    Check(!line.empty() && line[0] != L';', "an empty or comment line was given out");
    Check(line.find(L"\r\n") == std::wstring::npos, "a line holds a line end");
    Check(buffer.lineNumber > lastNumber && buffer.lineNumber < buffer.nextLine,
          "line numbers out of order");
    lastNumber = buffer.lineNumber;
    CheckFields(line, L",");
  }
  Check(buffer.pos <= buffer.text.size(), "the buffer ran past its text");
  Check(buffer.text.find(L"\r\n", buffer.pos) == std::wstring::npos, "a line was left behind");
  CheckFields(*text, L",;\r");
  return 0;
}
