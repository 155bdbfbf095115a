#include "levels/format_checks.h"

#include <optional>
#include <string>

#include "data/text.h"
#include "model/cell.h"
#include "platform/utf8.h"

namespace qw {

namespace {

constexpr std::size_t kCountsLine = 2;
constexpr std::size_t kSourceLine = 3;
constexpr std::size_t kFirstListLine = 4;

std::string Quoted(const std::wstring& text) {
  std::string quoted(1, '"');
  quoted += ToUtf8(text);
  quoted += '"';
  return quoted;
}

class LineChecks {
 public:
  explicit LineChecks(std::vector<Finding>& out) : out_(out) {}
  void Error(const SourceLine& line, std::string text) {
    out_.push_back(Finding{true, line.line, std::move(text)});
  }
  void Warn(const SourceLine& line, std::string text) {
    out_.push_back(Finding{false, line.line, std::move(text)});
  }

  // Fields of a numbers line: a warning for missing or extra fields, an
  // error for a field that is not a plain number.
  void NumberFields(const SourceLine& line, const std::array<const char*, 3>& names,
                    std::size_t wanted) {
    const FieldTokenizer fields(line.text, L",");
    const auto count = static_cast<std::size_t>(fields.count());
    if (count < wanted) {
      std::string missing;
      for (std::size_t i = count; i < wanted; ++i)
        missing += std::string(missing.empty() ? "" : " and ") + names[i];
      Warn(line, Quoted(line.text) + ": no " + missing + " given, read as 0");
    } else if (count > wanted) {
      Warn(line,
           Quoted(line.text) + ": the fields after the " + names[wanted - 1] + " are ignored");
    }
    for (std::size_t i = 0; i < std::min(count, wanted); ++i) {
      const std::wstring field = fields.field(static_cast<std::int32_t>(i));
      if (!IsPlainNumber(field)) {
        Error(line, std::string(names[i]) + " " + Quoted(field) +
                        " is not a number (the game reads " + std::to_string(ReadNumber(field)) +
                        ")");
      }
    }
  }

 private:
  std::vector<Finding>& out_;
};

struct Owner {
  const char* what = nullptr;
  std::int32_t line = 0;
};

std::wstring Trimmed(const std::wstring& s) {
  const auto first = s.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::wstring();
  const auto last = s.find_last_not_of(L" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

std::vector<Finding> CheckLevelLines(const std::array<SourceLine, 7>& lines,
                                     const LevelRecord& record) {
  std::vector<Finding> findings;
  LineChecks checks(findings);

  const SourceLine& counts = lines[kCountsLine];
  checks.NumberFields(counts, {"elbow count", "bend count", "splitter count"}, 3);
  const std::array<std::pair<const char*, std::int32_t>, 3> pieces{
      {{"elbow", record.elbowCount},
       {"bend", record.bendCount},
       {"splitter", record.splitterCount}}};
  std::int64_t total = 0;
  for (const auto& [name, count] : pieces) {
    if (count < 0)
      checks.Error(counts, std::string(name) + " count " + std::to_string(count) + " is below 0");
    total += count;
  }
  if (total > kTraySlots) {
    checks.Error(counts, "the piece counts add up to " + std::to_string(total) +
                             ", but the tray holds " + std::to_string(kTraySlots));
  }

  const SourceLine& source = lines[kSourceLine];
  checks.NumberFields(source, {"source cell", "source rotation", ""}, 2);
  if (!IsCellNumber(record.sourceCell)) {
    checks.Error(source, "source cell " + std::to_string(record.sourceCell) +
                             " is not on the board (0..99)");
  }
  if (record.sourceRotation < 0 || record.sourceRotation > 7) {
    checks.Error(source,
                 "source rotation " + std::to_string(record.sourceRotation) + " is not 0..7");
  }

  // Fires, then hazards, then walls, then the source: a later placement
  // replaces an earlier one in the same cell.
  std::array<std::optional<Owner>, kBoardCells> owners;
  const std::array<const char*, 3> listNames{"fire", "hazard", "wall"};
  for (std::size_t k = 0; k < listNames.size(); ++k) {
    const SourceLine& line = lines[kFirstListLine + k];
    const std::string name = listNames[k];
    if (line.text == L"-1") continue;
    if (Trimmed(line.text) == L"-1") {
      checks.Error(line, "the " + name + " line " + Quoted(line.text) +
                             " is not exactly \"-1\": the game reads it as a list holding cell -1");
      continue;
    }
    const FieldTokenizer fields(line.text, L",");
    for (std::int32_t i = 0; i < fields.count(); ++i) {
      const std::wstring field = fields.field(i);
      const std::int32_t n = ReadNumber(field);
      if (field.empty()) {
        checks.Error(line,
                     "the " + name + " line has an empty field, which the game reads as cell 0");
      } else if (!IsPlainNumber(field)) {
        checks.Error(line, name + " cell " + Quoted(field) + " is not a number (the game reads " +
                               std::to_string(n) + ")");
      }
      if (!IsCellNumber(n)) {
        checks.Error(line, name + " cell " + std::to_string(n) + " is not on the board (0..99)");
        continue;
      }
      auto& owner = owners[static_cast<std::size_t>(n)];
      if (owner) {
        const std::string old = owner->what;
        checks.Error(
            line, old == name ? "cell " + std::to_string(n) + " is listed twice as a " + name
                              : "the " + name + " at cell " + std::to_string(n) + " replaces the " +
                                    old + " of line " + std::to_string(owner->line));
      }
      owner = Owner{listNames[k], line.line};
    }
  }
  if (IsCellNumber(record.sourceCell)) {
    const auto& owner = owners[static_cast<std::size_t>(record.sourceCell)];
    if (owner) {
      checks.Error(source, "the source at cell " + std::to_string(record.sourceCell) +
                               " replaces the " + owner->what + " of line " +
                               std::to_string(owner->line));
    }
  }
  return findings;
}

}  // namespace qw
