#include "data/levels.h"

#include <gtest/gtest.h>

#include "temp_file.h"

namespace qw {
namespace {

using testing::TempFile;

constexpr const wchar_t* kAroundTheWall =
    L"; one level\r\n"
    L"Around the wall\r\n"
    L"STARE\r\n"
    L"2,1,0\r\n"
    L"0,2\r\n"
    L"45\r\n"
    L"-1\r\n"
    L"3,13,23\r\n";

TEST(LoadLevels, ReadsTheWorkedExample) {
  TempFile file(
      "; one level\r\nAround the wall\r\nSTARE\r\n2,1,0\r\n0,2\r\n45\r\n-1\r\n3,13,23\r\n");
  const auto levels = LoadLevels(file.path());
  ASSERT_TRUE(levels);
  ASSERT_EQ(levels->size(), 1u);
  EXPECT_EQ((*levels)[0],
            (LevelRecord{L"Around the wall", L"STARE", 2, 1, 0, 0, 2, L"45", L"", L"3,13,23"}));
  EXPECT_FALSE(LoadLevels("/nonexistent/qw_levels.dat"));
}

TEST(ParseLevels, CommentsAndEmptyLinesMayStandInsideAGroup) {
  const std::wstring spaced =
      L"Around the wall\r\nSTARE\r\n2,1,0\r\n\r\n; the source\r\n0,2\r\n45\r\n-1\r\n3,13,23\r\n";
  EXPECT_EQ(ParseLevels(spaced), ParseLevels(kAroundTheWall));
}

TEST(ParseLevels, DropsAnIncompleteLastGroup) {
  std::wstring text(kAroundTheWall);
  text.pop_back();  // the last line loses its "\n" and with it its terminator
  EXPECT_TRUE(ParseLevels(text).empty());

  std::wstring seven;
  for (int i = 0; i < 7; ++i) seven += kAroundTheWall;
  EXPECT_EQ(ParseLevels(seven + L"a\r\nb\r\nc\r\n").size(), 7u);
  EXPECT_TRUE(ParseLevels(L"a\nb\nc\nd\ne\nf\ng\n").empty());  // line feeds alone end no line
}

TEST(ParseLevels, MissingOrMalformedNumbersReadAsZeroAndListsStayVerbatim) {
  const auto levels = ParseLevels(
      L"t\r\np\r\n4\r\n x\r\n5,,7\r\n -1\r\n-1\r\n"
      L"t\r\np\r\n3,1\r\n12,9,1\r\n-1\r\n-1\r\n-1\r\n");
  // Only exactly "-1" is the empty list; a rotation is kept as read (the
  // level's set-up decides).
  EXPECT_EQ(levels, (std::vector<LevelRecord>{{L"t", L"p", 4, 0, 0, 0, 0, L"5,,7", L" -1", L""},
                                              {L"t", L"p", 3, 1, 0, 12, 9, L"", L"", L""}}));
}

TEST(ParseLevels, ReportsTheLineEachLevelStartsOn) {
  std::vector<std::int32_t> starts;
  ParseLevels(std::wstring(kAroundTheWall) + L"\r\n" + kAroundTheWall, &starts);
  EXPECT_EQ(starts, (std::vector<std::int32_t>{2, 11}));
}

}  // namespace
}  // namespace qw
