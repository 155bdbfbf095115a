#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "levels/checker.h"
#include "levels/level_text.h"

namespace qw {
namespace {

// Seven lines joined with "\r\n", each terminated.
std::wstring Group(const std::wstring& title, const std::wstring& password,
                   const std::wstring& counts, const std::wstring& source,
                   const std::wstring& fires, const std::wstring& hazards,
                   const std::wstring& walls) {
  std::wstring text;
  for (const std::wstring* line : {&title, &password, &counts, &source, &fires, &hazards, &walls}) {
    text += *line + L"\r\n";
  }
  return text;
}

std::wstring Good(const std::wstring& password = L"SLATE") {
  return Group(L"Around the wall", password, L"2,1,0", L"0,2", L"45", L"-1", L"3,13,23");
}

CheckOptions Quick() { return CheckOptions{}; }

bool Has(const std::vector<Finding>& findings, const std::string& part, std::int32_t line = -1,
         bool error = true) {
  return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
    return f.error == error && f.text.find(part) != std::string::npos &&
           (line < 0 || f.line == line);
  });
}

TEST(Checker, SoundSolvableFilePasses) {
  const FileCheck check = CheckLevelText(L"; a comment\r\n\r\n" + Good() + Good(L"RATS"), Quick());
  ASSERT_EQ(check.levels.size(), 2u);
  EXPECT_TRUE(check.Passed());
  EXPECT_EQ(check.levels[0].line, 3);
  EXPECT_EQ(check.levels[1].line, 10);
  EXPECT_TRUE(check.levels[1].Solvable());
}

TEST(Checker, LineFeedOnlyFileHasNoLevel) {
  std::wstring text = Good();
  text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
  const FileCheck check = CheckLevelText(text, Quick());
  EXPECT_TRUE(check.levels.empty());
  EXPECT_FALSE(check.Passed());
  EXPECT_TRUE(Has(check.findings, "line feed alone", 0, false));
  EXPECT_TRUE(Has(check.findings, "no complete level"));
}

TEST(Checker, WarnsAboutLineEndsAndAnIncompleteLastGroup) {
  std::wstring text = Good() + L"Half a level\r\nSTAR\r\n2,0,0\nx";
  const FileCheck check = CheckLevelText(text, Quick());
  ASSERT_EQ(check.levels.size(), 1u);
  EXPECT_TRUE(check.Passed());  // warnings alone do not fail the file
  EXPECT_TRUE(Has(check.findings, "do not make a complete level", 8, false));
  EXPECT_TRUE(Has(check.findings, "line feed alone", 10, false));
  EXPECT_TRUE(Has(check.findings, "does not end in", 0, false));
}

TEST(Checker, ReportsValuesOutsideTheLimits) {
  const FileCheck check = CheckLevelText(
      Group(L"Bad", L"TEAL", L"6,5,-1", L"100,8", L"5,,x7", L" -1", L"-1 "), Quick());
  ASSERT_EQ(check.levels.size(), 1u);
  const auto& f = check.levels[0].findings;
  EXPECT_TRUE(Has(f, "splitter count -1 is below 0", 3));
  EXPECT_TRUE(Has(f, "add up to 10", 3) == false);
  EXPECT_TRUE(Has(f, "source cell 100 is not on the board", 4));
  EXPECT_TRUE(Has(f, "source rotation 8", 4));
  EXPECT_TRUE(Has(f, "empty field", 5));
  EXPECT_TRUE(Has(f, "\"x7\" is not a number", 5));
  EXPECT_TRUE(Has(f, "hazard line \" -1\" is not exactly", 6));
  EXPECT_TRUE(Has(f, "wall line \"-1 \" is not exactly", 7));
  EXPECT_FALSE(check.Passed());

  const FileCheck counts =
      CheckLevelText(Group(L"Bad", L"TEAL", L"6,5", L"0", L"45", L"-1", L"-1"), Quick());
  EXPECT_TRUE(Has(counts.levels[0].findings, "add up to 11", 3));
  EXPECT_TRUE(Has(counts.levels[0].findings, "no splitter count given", 3, false));
  EXPECT_TRUE(Has(counts.levels[0].findings, "no source rotation given", 4, false));
}

TEST(Checker, ReportsPlacementsThatOverwriteOneAnother) {
  const FileCheck check = CheckLevelText(
      Group(L"Crowded", L"TEAL", L"2,1,0", L"13,2", L"45,45,3", L"3,9", L"9,13"), Quick());
  const auto& f = check.levels[0].findings;
  EXPECT_TRUE(Has(f, "cell 45 is listed twice as a fire", 5));
  EXPECT_TRUE(Has(f, "hazard at cell 3 replaces the fire of line 5", 6));
  EXPECT_TRUE(Has(f, "wall at cell 9 replaces the hazard of line 6", 7));
  EXPECT_TRUE(Has(f, "source at cell 13 replaces the wall of line 7", 4));
}

TEST(Checker, ReportsPasswordsTheKeypadCannotTypeOrThatRepeat) {
  const FileCheck check =
      CheckLevelText(Good(L"SLATE") + Good(L"SLATE") + Good(L"slate") + Good(L"SALT "), Quick());
  ASSERT_EQ(check.levels.size(), 4u);
  EXPECT_TRUE(check.levels[0].Sound());
  EXPECT_TRUE(Has(check.levels[1].findings, "already level 1's", 9));
  EXPECT_TRUE(Has(check.levels[2].findings, "\"s\" is not on the keypad (AEILNRST)", 16));
  EXPECT_TRUE(Has(check.levels[3].findings, "\" \" is not on the keypad", 23));
}

TEST(Checker, LevelsThatEndAsTheyStartOrCannotBeWon) {
  // Straight into a hazard: failed before the player can act.
  const FileCheck fails =
      CheckLevelText(Group(L"Zap", L"TEAL", L"1,0,0", L"0,2", L"45", L"5", L"-1"), Quick());
  EXPECT_TRUE(Has(fails.levels[0].findings, "fails as it starts", 4));
  EXPECT_FALSE(fails.Passed());
  // Every fire already in the water: solved at once, worth a warning only.
  const FileCheck solved =
      CheckLevelText(Group(L"Free", L"TEAL", L"1,0,0", L"0,2", L"5", L"-1", L"-1"), Quick());
  EXPECT_TRUE(Has(solved.levels[0].findings, "solved as it starts", 4, false));
  EXPECT_TRUE(solved.Passed());
  // Sound but walled in: no way to win fails the file too.
  const FileCheck shut = CheckLevelText(
      Group(L"Shut in", L"TEAL", L"4,3,3", L"0,2", L"55", L"-1", L"44,45,46,54,56,64,65,66"),
      Quick());
  EXPECT_TRUE(shut.levels[0].Sound());
  EXPECT_EQ(shut.levels[0].solve.outcome, SolveOutcome::kUnsolvable);
  EXPECT_FALSE(shut.Passed());
}

TEST(Checker, StatsCountSolutionsAndFewestPieces) {
  CheckOptions options;
  options.stats = true;
  const FileCheck check = CheckLevelText(Good(), options);
  ASSERT_TRUE(check.levels[0].count.has_value());
  ASSERT_TRUE(check.levels[0].fewest.has_value());
  EXPECT_GT(check.levels[0].count->solutions, 1);
  EXPECT_EQ(check.levels[0].fewest->solution.size(), 2u);
}

// A count cut short by the node limit says so instead of passing for the
// whole number.
TEST(Checker, StatsSayWhenTheCountRanIntoTheLimit) {
  const LevelRecord record = ParseLevels(Good())[0];
  const std::int64_t first = SolveLevel(record).nodes;
  SolveOptions all;
  all.countAll = true;
  ASSERT_GT(SolveLevel(record, all).nodes, first);
  CheckOptions options;
  options.stats = true;
  options.nodeLimit = first;
  const FileCheck check = CheckLevelText(Good(), options);
  ASSERT_TRUE(check.levels[0].count.has_value());
  EXPECT_TRUE(check.levels[0].Solvable());
  EXPECT_EQ(check.levels[0].count->outcome, SolveOutcome::kGaveUp);
  std::ostringstream out;
  PrintCheck(out, check, true);
  EXPECT_NE(out.str().find("(search gave up)"), std::string::npos) << out.str();
}

TEST(LevelText, EditorLineNumbersSkipCommentsAndEmptyLines) {
  const LevelFileText text =
      ReadLevelFileText(L";c\r\n\r\nA\r\nB\r\n;x\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\n");
  ASSERT_EQ(text.levels.size(), 1u);
  EXPECT_EQ(text.levels[0][0].line, 3);
  EXPECT_EQ(text.levels[0][2].line, 6);
  ASSERT_EQ(text.leftover.size(), 1u);
  EXPECT_EQ(text.leftover[0].line, 11);
  EXPECT_TRUE(IsPlainNumber(L"-12"));
  EXPECT_FALSE(IsPlainNumber(L" 12"));
  EXPECT_FALSE(IsPlainNumber(L"-"));
  EXPECT_FALSE(IsPlainNumber(L""));
}

}  // namespace
}  // namespace qw
