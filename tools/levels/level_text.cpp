#include "levels/level_text.h"

#include <algorithm>

#include "data/text.h"

namespace qw {

LevelFileText ReadLevelFileText(const std::wstring& text) {
  LevelFileText file;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\n') continue;
    ++file.lineFeeds;
    if (i > 0 && text[i - 1] == L'\r') {
      ++file.crlfs;
    }
  }
  if (file.crlfs > 0) {
    std::int32_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != L'\n') continue;
      if (i == 0 || text[i - 1] != L'\r') file.loneLineFeeds.push_back(line);
      ++line;
    }
  }

  TextBuffer buffer(text);
  std::wstring line;
  std::size_t counted = 0;  // text before this offset has its line feeds in editorLine
  std::int32_t editorLine = 1;
  std::vector<SourceLine> group;
  while (NextLine(buffer, line)) {
    const std::size_t start = buffer.pos - 2 - line.size();
    editorLine += static_cast<std::int32_t>(
        std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                   text.begin() + static_cast<std::ptrdiff_t>(start), L'\n'));
    counted = start;
    group.push_back(SourceLine{line, editorLine});
    if (group.size() == 7) {
      std::array<SourceLine, 7> level;
      std::move(group.begin(), group.end(), level.begin());
      file.levels.push_back(std::move(level));
      group.clear();
    }
  }
  file.leftover = std::move(group);
  const std::size_t tail = buffer.pos;
  file.unterminatedTail =
      std::any_of(text.begin() + static_cast<std::ptrdiff_t>(tail), text.end(),
                  [](wchar_t c) { return c != L' ' && c != L'\t' && c != L'\r' && c != L'\n'; });
  return file;
}

bool IsPlainNumber(const std::wstring& field) {
  std::size_t i = field.size() > 1 && field[0] == L'-' ? 1 : 0;
  if (i == field.size()) return false;
  for (; i < field.size(); ++i) {
    if (field[i] < L'0' || field[i] > L'9') return false;
  }
  return true;
}

}  // namespace qw
