#include "data/levels.h"

#include <array>

#include "data/text.h"

namespace qw {

namespace {

constexpr std::size_t kLinesPerLevel = 7;

// A list line of exactly "-1" means an empty list.
std::wstring CellList(const std::wstring& line) { return line == L"-1" ? std::wstring() : line; }

LevelRecord BuildRecord(const std::array<std::wstring, kLinesPerLevel>& lines) {
  LevelRecord r;
  r.title = lines[0];
  r.password = lines[1];
  const FieldTokenizer counts(lines[2], L",");
  r.elbowCount = ReadNumber(counts.field(0));
  r.bendCount = ReadNumber(counts.field(1));
  r.splitterCount = ReadNumber(counts.field(2));
  const FieldTokenizer source(lines[3], L",");
  r.sourceCell = ReadNumber(source.field(0));
  r.sourceRotation = ReadNumber(source.field(1));
  r.fireCells = CellList(lines[4]);
  r.hazardCells = CellList(lines[5]);
  r.wallCells = CellList(lines[6]);
  return r;
}

}  // namespace

std::vector<LevelRecord> ParseLevels(std::wstring text, std::vector<std::int32_t>* startLines) {
  std::vector<LevelRecord> levels;
  if (startLines) startLines->clear();
  TextBuffer buffer(std::move(text));
  std::array<std::wstring, kLinesPerLevel> lines;
  while (NextLine(buffer, lines[0])) {
    const std::int32_t start = buffer.lineNumber;
    for (std::size_t k = 1; k < kLinesPerLevel; ++k) {
      if (!NextLine(buffer, lines[k])) return levels;  // an incomplete last group is dropped
    }
    levels.push_back(BuildRecord(lines));
    if (startLines) startLines->push_back(start);
  }
  return levels;
}

std::optional<std::vector<LevelRecord>> LoadLevels(const std::string& path) {
  std::optional<std::wstring> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  return ParseLevels(std::move(*text));
}

std::string LevelRecordText(const LevelRecord& r) {
  std::string text;
  const auto line = [&text](const std::wstring& s) {
    for (const wchar_t c : s) text.push_back(static_cast<char>(c));
    text += "\r\n";
  };
  const auto list = [&line](const std::wstring& cells) { line(cells.empty() ? L"-1" : cells); };
  line(r.title);
  line(r.password);
  line(std::to_wstring(r.elbowCount) + L"," + std::to_wstring(r.bendCount) + L"," +
       std::to_wstring(r.splitterCount));
  line(std::to_wstring(r.sourceCell) + L"," + std::to_wstring(r.sourceRotation));
  list(r.fireCells);
  list(r.hazardCells);
  list(r.wallCells);
  return text;
}

std::vector<std::int32_t> CellNumbers(const std::wstring& list) {
  const FieldTokenizer fields(list, L",");
  std::vector<std::int32_t> numbers;
  for (std::int32_t i = 0; i < fields.count(); ++i) numbers.push_back(ReadNumber(fields.field(i)));
  return numbers;
}

}  // namespace qw
