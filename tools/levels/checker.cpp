#include "levels/checker.h"

#include <algorithm>

#include "data/keypad.h"
#include "data/text.h"
#include "levelgen/level_facts.h"
#include "levels/format_checks.h"
#include "levels/level_text.h"
#include "solver/played_level.h"
#include "platform/utf8.h"

namespace qw {

namespace {

constexpr std::size_t kPasswordLine = 1;
constexpr std::size_t kSourceLine = 3;
constexpr std::size_t kMostLinesListed = 5;

std::string KeyLetters() {
  std::string letters;
  for (wchar_t c : keypadAlphabet) letters.push_back(static_cast<char>(c));
  return letters;
}

void CheckPassword(LevelCheck& level, const SourceLine& line,
                   const std::vector<LevelRecord>& records) {
  const std::wstring& password = records[static_cast<std::size_t>(level.number - 1)].password;
  for (wchar_t c : password) {
    if (std::find(keypadAlphabet.begin(), keypadAlphabet.end(), c) == keypadAlphabet.end()) {
      level.findings.push_back(Finding{true, line.line,
                                       "password \"" + ToUtf8(password) + "\" cannot be typed: \"" +
                                           ToUtf8(std::wstring(1, c)) +
                                           "\" is not on the keypad (" + KeyLetters() + ")"});
      break;
    }
  }
  for (std::int32_t earlier = 0; earlier + 1 < level.number; ++earlier) {
    if (records[static_cast<std::size_t>(earlier)].password == password) {
      level.findings.push_back(Finding{true, line.line,
                                       "password \"" + ToUtf8(password) + "\" is already level " +
                                           std::to_string(earlier + 1) +
                                           "'s: typing it starts that level"});
      break;
    }
  }
}

void CheckFileText(FileCheck& check, const LevelFileText& text) {
  auto warn = [&](std::int32_t line, std::string message) {
    check.findings.push_back(Finding{false, line, std::move(message)});
  };
  if (text.lineFeeds > 0 && text.crlfs == 0) {
    warn(0,
         "the lines end in a line feed alone; the game needs \"\\r\\n\" and sees no level at all");
  }
  for (std::size_t i = 0; i < text.loneLineFeeds.size() && i < kMostLinesListed; ++i) {
    warn(text.loneLineFeeds[i],
         "this line ends in a line feed alone: the game reads it and the next line as one");
  }
  if (text.loneLineFeeds.size() > kMostLinesListed) {
    warn(0, std::to_string(text.loneLineFeeds.size() - kMostLinesListed) +
                " more lines end in a line feed alone");
  }
  if (text.unterminatedTail && text.crlfs > 0)
    warn(0, "the last line does not end in \"\\r\\n\": the game ignores it");
  if (!text.leftover.empty()) {
    warn(text.leftover.front().line,
         "the last " + std::to_string(text.leftover.size()) +
             " meaningful lines do not make a complete level: the game drops them");
  }
}

// Setting a level up runs the water over the bare board: reaching a hazard
// then fails the level before the player can place anything.
void CheckStart(LevelCheck& level, const SourceLine& sourceLine, const LevelRecord& record) {
  const PlayedLevel played(record);
  const Outcome outcome = played.puzzle.GetOutcome();
  if (outcome == Outcome::kFailed) {
    level.findings.push_back(
        Finding{true, sourceLine.line,
                "the water reaches a hazard before any piece is placed: the level fails as "
                "it starts"});
  } else if (outcome == Outcome::kSolved) {
    level.findings.push_back(
        Finding{false, sourceLine.line,
                "every fire is out before any piece is placed: the level is solved as it "
                "starts"});
  }
}

}  // namespace

bool LevelCheck::Sound() const {
  return std::none_of(findings.begin(), findings.end(), [](const Finding& f) { return f.error; });
}

bool FileCheck::Passed() const {
  return !levels.empty() &&
         std::none_of(findings.begin(), findings.end(), [](const Finding& f) { return f.error; }) &&
         std::all_of(levels.begin(), levels.end(),
                     [](const LevelCheck& l) { return l.Sound() && l.Solvable(); });
}

FileCheck CheckLevelText(const std::wstring& text, const CheckOptions& options) {
  FileCheck check;
  std::vector<std::int32_t> gameLines;
  check.records = ParseLevels(text, &gameLines);
  const LevelFileText file = ReadLevelFileText(text);
  CheckFileText(check, file);
  if (check.records.size() != file.levels.size()) {
    check.findings.push_back(
        Finding{true, 0, "internal: the loader and the checker disagree on the level count"});
    return check;
  }
  if (check.records.empty()) {
    check.findings.push_back(
        Finding{true, 0, "no complete level: the game would stay on its menu"});
  }
  for (std::size_t i = 0; i < check.records.size(); ++i) {
    const LevelRecord& record = check.records[i];
    LevelCheck level;
    level.number = static_cast<std::int32_t>(i + 1);
    level.title = record.title;
    level.line = file.levels[i][0].line;
    level.findings = CheckLevelLines(file.levels[i], record);
    CheckPassword(level, file.levels[i][kPasswordLine], check.records);
    CheckStart(level, file.levels[i][kSourceLine], record);

    SolveOptions solve;
    solve.nodeLimit = options.nodeLimit;
    level.solve = SolveLevel(record, solve);
    level.verified = level.solve.outcome == SolveOutcome::kSolved &&
                     VerifySolution(record, level.solve.solution);
    if (options.stats) {
      FactsOptions measure;
      measure.nodeLimit = options.nodeLimit;
      LevelFacts facts = MeasureFacts(record, measure);
      level.count = std::move(facts.count);
      level.fewest = std::move(facts.fewest);
      level.features = std::move(facts.features);
      level.elements = CheckElements(record, options.nodeLimit);
    }
    check.levels.push_back(std::move(level));
  }
  if (options.stats) {
    std::vector<Solution> solutions;
    for (const LevelCheck& level : check.levels)
      solutions.push_back(level.features ? level.features->solution : Solution{});
    check.variety = MeasureVariety(check.records, solutions);
  }
  return check;
}

std::optional<FileCheck> CheckLevelFile(const std::string& path, const CheckOptions& options) {
  const std::optional<std::wstring> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  return CheckLevelText(*text, options);
}

namespace {

void PrintFinding(std::ostream& out, const Finding& f, const char* indent) {
  out << indent << (f.error ? "error" : "warning");
  if (f.line > 0) out << " (line " << f.line << ")";
  out << ": " << f.text << "\n";
}

std::string Verdict(const LevelCheck& level) {
  switch (level.solve.outcome) {
    case SolveOutcome::kSolved:
      return level.verified ? "solvable" : "NOT VERIFIED: the solver's solution fails in the game";
    case SolveOutcome::kUnsolvable: return "NOT SOLVABLE";
    case SolveOutcome::kGaveUp:
      return "UNDECIDED: the search gave up after " + std::to_string(level.solve.nodes - 1) +
             " nodes";
  }
  return "";
}

void PrintGrade(std::ostream& out, const LevelFeatures& f) {
  out << "  grade " << GradeOf(f) << " (score " << GradeScore(f) << ": " << f.pieces << " pieces, "
      << f.bends << " bends, " << f.splitters << " splitters, " << f.diagonalStretches
      << " diagonal stretches, " << f.decoys << " decoys, " << f.hazardsNearRoute
      << " hazards next to the route, effort " << f.effort << " nodes)\n";
}

void PrintElements(std::ostream& out, const ElementReport& e) {
  out << "  walls and hazards: " << e.elements << ", traps: " << e.traps
      << ", not earning their place: " << e.idle.size();
  for (std::size_t i = 0; i < e.idle.size(); ++i) out << (i == 0 ? " (cells " : ",") << e.idle[i];
  if (!e.idle.empty()) out << ")";
  if (e.undecidedWithout > 0) {
    out << "; " << e.undecidedWithout << " earning it because without them the search passes "
        << kElementNodeLimit << " nodes";
  }
  if (!e.decided) out << " (search gave up)";
  out << "\n";
}

}  // namespace

void PrintCheck(std::ostream& out, const FileCheck& check, bool stats) {
  for (const Finding& f : check.findings) PrintFinding(out, f, "");
  std::size_t failed = 0;
  for (const LevelCheck& level : check.levels) {
    const bool ok = level.Sound() && level.Solvable();
    if (!ok) ++failed;
    out << "level " << level.number << " \"" << ToUtf8(level.title) << "\" (line " << level.line
        << "): " << Verdict(level) << "\n";
    for (const Finding& f : level.findings) PrintFinding(out, f, "  ");
    if (stats) {
      out << "  search: " << level.solve.nodes << " nodes, " << level.solve.pruned
          << " cut by the reach bound";
      if (level.count) {
        out << "; solutions: " << level.count->solutions << (level.count->capped ? "+" : "");
        if (level.count->outcome == SolveOutcome::kGaveUp) out << " (search gave up)";
      }
      const bool fewestFound = level.fewest && level.fewest->outcome == SolveOutcome::kSolved;
      out << "; fewest pieces: "
          << (fewestFound ? std::to_string(level.fewest->solution.size()) : "-") << "\n";
      if (level.features && level.features->solved) PrintGrade(out, *level.features);
      if (level.elements) PrintElements(out, *level.elements);
    }
  }
  if (check.levels.empty()) return;
  if (stats && check.variety) out << VarietyText(*check.variety);
  if (failed == 0) {
    out << check.levels.size()
        << (check.levels.size() == 1 ? " level, sound and solvable\n"
                                     : " levels, all sound and solvable\n");
  } else {
    out << failed << " of " << check.levels.size() << " levels have problems\n";
  }
}

}  // namespace qw
