#include "data/layout.h"

#include <algorithm>
#include <array>
#include <limits>

#include "data/text.h"
#include "platform/bitmap.h"

namespace qw {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// One "%d" conversion at pos: blanks, an optional sign, at least one digit.
// Returns false (and leaves pos alone) when there is no number there.
bool ScanInt(std::wstring_view s, std::size_t& pos, std::int32_t& out) {
  std::size_t i = pos;
  while (i < s.size() && IsBlank(s[i])) ++i;
  std::size_t digits = i;
  if (digits < s.size() && (s[digits] == L'+' || s[digits] == L'-')) ++digits;
  if (digits >= s.size() || s[digits] < L'0' || s[digits] > L'9') return false;
  std::size_t end = digits;
  while (end < s.size() && s[end] >= L'0' && s[end] <= L'9') ++end;
  out = ReadNumber(s.substr(i, end - i));
  pos = end;
  return true;
}

}  // namespace

std::optional<Surface> LoadSkin(const std::string& path) { return LoadBmpFile(path); }

LayoutItem ParseLayoutLine(std::wstring_view line) {
  // "%d,%d,%d,%d,%d,%d": a comma must follow each number directly; the scan
  // stops at the first mismatch and the fields it did not reach stay 0.
  std::array<std::int32_t, 6> v{};
  std::size_t pos = 0;
  for (std::size_t k = 0; k < v.size(); ++k) {
    if (k > 0) {
      if (pos >= line.size() || line[pos] != L',') break;
      ++pos;
    }
    if (!ScanInt(line, pos, v[k])) break;
  }
  return LayoutItem{v[0], std::int64_t{v[1]} - kLayoutYOffset, v[2], v[3], v[4], v[5]};
}

Layout ParseLayout(std::wstring text) {
  Layout layout;
  TextBuffer buffer(std::move(text));
  std::wstring line;
  while (NextLine(buffer, line)) layout.push_back(ParseLayoutLine(line));
  return layout;
}

std::optional<Layout> LoadLayout(const std::string& path) {
  std::optional<std::wstring> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  return ParseLayout(std::move(*text));
}

Rect ItemRect(const Layout& layout, std::int32_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= layout.size()) return Rect{};
  const LayoutItem& it = layout[static_cast<std::size_t>(i)];
  return Rect{it.x, it.y, it.x + it.w, it.y + it.h};
}

}  // namespace qw
