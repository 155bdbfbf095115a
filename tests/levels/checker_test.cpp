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

// Each finding at its line (0: the file as a whole), as an error or a
// warning, and whether the file passes with it.
TEST(Checker, ReportsEachFindingAtItsLine) {
  struct Expect {
    const char* part;
    std::int32_t line;
    bool error = true;
  };
  std::wstring lineFeeds = Good();
  lineFeeds.erase(std::remove(lineFeeds.begin(), lineFeeds.end(), L'\r'), lineFeeds.end());
  const struct {
    std::wstring text;
    bool passes;
    std::vector<Expect> findings;
  } cases[] = {
      {lineFeeds, false, {{"line feed alone", 0, false}, {"no complete level", -1}}},
      // Warnings alone do not fail the file.
      {Good() + L"Half a level\r\nSTAR\r\n2,0,0\nx",
       true,
       {{"do not make a complete level", 8, false},
        {"line feed alone", 10, false},
        {"does not end in", 0, false}}},
      {Group(L"Bad", L"TEAL", L"6,5,-1", L"100,8", L"5,,x7", L" -1", L"-1 "),
       false,
       {{"splitter count -1 is below 0", 3},
        {"source cell 100 is not on the board", 4},
        {"source rotation 8", 4},
        {"empty field", 5},
        {"\"x7\" is not a number", 5},
        {"hazard line \" -1\" is not exactly", 6},
        {"wall line \"-1 \" is not exactly", 7}}},
      {Group(L"Bad", L"TEAL", L"6,5", L"0", L"45", L"-1", L"-1"),
       false,
       {{"add up to 11", 3},
        {"no splitter count given", 3, false},
        {"no source rotation given", 4, false}}},
      {Group(L"Crowded", L"TEAL", L"2,1,0", L"13,2", L"45,45,3", L"3,9", L"9,13"),
       false,
       {{"cell 45 is listed twice as a fire", 5},
        {"hazard at cell 3 replaces the fire of line 5", 6},
        {"wall at cell 9 replaces the hazard of line 6", 7},
        {"source at cell 13 replaces the wall of line 7", 4}}},
      {Good(L"SLATE") + Good(L"SLATE") + Good(L"slate") + Good(L"SALT "),
       false,
       {{"already level 1's", 9},
        {"\"s\" is not on the keypad (AEILNRST)", 16},
        {"\" \" is not on the keypad", 23}}},
      // Straight into a hazard: failed before the player can act; every
      // fire already in the water: solved at once, worth a warning only.
      {Group(L"Zap", L"TEAL", L"1,0,0", L"0,2", L"45", L"5", L"-1"),
       false,
       {{"fails as it starts", 4}}},
      {Group(L"Free", L"TEAL", L"1,0,0", L"0,2", L"5", L"-1", L"-1"),
       true,
       {{"solved as it starts", 4, false}}},
  };
  for (const auto& c : cases) {
    const FileCheck check = CheckLevelText(c.text, Quick());
    std::vector<Finding> all = check.findings;
    for (const LevelCheck& level : check.levels)
      all.insert(all.end(), level.findings.begin(), level.findings.end());
    EXPECT_EQ(check.Passed(), c.passes) << c.findings[0].part;
    for (const Expect& e : c.findings) EXPECT_TRUE(Has(all, e.part, e.line, e.error)) << e.part;
  }
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
