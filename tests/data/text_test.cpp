#include "data/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "temp_file.h"

namespace qw {
namespace {

using testing::TempFile;

std::vector<std::wstring> AllLines(std::wstring text) {
  TextBuffer buffer(std::move(text));
  std::vector<std::wstring> lines;
  std::wstring line;
  while (NextLine(buffer, line)) lines.push_back(line);
  return lines;
}

TEST(ReadTextFile, WidensEachByteAndStopsAtTheFirstZero) {
  const std::string bytes("a\xE9\r\nb\0hidden", 11);
  TempFile file(bytes);
  const auto text = ReadTextFile(file.path());
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, std::wstring(L"a\u00E9\r\nb"));
}

TEST(ReadTextFile, FailsOnlyWhenTheFileCannotBeRead) {
  EXPECT_FALSE(ReadTextFile("/nonexistent/qw_layout.dat"));
  EXPECT_FALSE(ReadTextFile("/tmp"));  // a folder is not a file
  TempFile empty("");
  ASSERT_TRUE(ReadTextFile(empty.path()));
  EXPECT_TRUE(ReadTextFile(empty.path())->empty());
}

TEST(ReadTextFile, RefusesPipesAndDevicesWithoutWaitingOnThem) {
  // A FIFO nobody writes to would block a plain open() for ever.
  const std::string fifo = TempFile("").path() + "_fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadTextFile(fifo));
  std::filesystem::remove(fifo);
  EXPECT_FALSE(ReadTextFile("/dev/zero"));  // endless, and no file
}

TEST(ReadTextFile, RefusesFilesTooLargeToBeDataFiles) {
  TempFile big(std::string(kMaxTextFileBytes + 1, 'x')), most(std::string(kMaxTextFileBytes, 'x'));
  EXPECT_FALSE(ReadTextFile(big.path()));
  EXPECT_TRUE(ReadTextFile(most.path()));
}

TEST(NextLine, SkipsEmptyAndCommentLinesAndNeverGivesAnUnterminatedTail) {
  EXPECT_EQ(AllLines(L"a\r\n\r\n;note\r\n  ;x\r\nb"), (std::vector<std::wstring>{L"a", L"  ;x"}));
  EXPECT_TRUE(AllLines(L"").empty());
  // Lone line feeds and carriage returns are ordinary characters.
  EXPECT_TRUE(AllLines(L"a\nb\nc\n").empty());
  EXPECT_EQ(AllLines(L"a\rb\nc\r\n"), std::vector<std::wstring>{L"a\rb\nc"});
}

TEST(FieldTokenizer, CountsAndGivesFieldsAsTheyStand) {
  struct Case {
    std::wstring text;
    std::vector<std::wstring> fields;
  };
  const std::vector<Case> cases = {
      {L"", {}},
      {L"5", {L"5"}},
      {L"5,,7", {L"5", L"", L"7"}},
      {L"5,", {L"5", L""}},
      {L",5", {L"", L"5"}},
      {L" 1 , 2", {L" 1 ", L" 2"}},
  };
  for (const Case& c : cases) {
    const FieldTokenizer t(c.text, L",");
    ASSERT_EQ(t.count(), static_cast<std::int32_t>(c.fields.size())) << c.text.size();
    for (std::size_t i = 0; i < c.fields.size(); ++i)
      EXPECT_EQ(t.field(static_cast<std::int32_t>(i)), c.fields[i]);
    EXPECT_EQ(t.field(t.count()), L"");
  }
  EXPECT_EQ(FieldTokenizer(L"1,2,3", L",").field(3), L"");
  EXPECT_EQ(FieldTokenizer(L"a;b,c", L",;").field(2), L"c");
}

TEST(ReadNumber, ReadsTheLeadingNumberAndSaturates) {
  EXPECT_EQ(ReadNumber(L" 12"), 12);
  EXPECT_EQ(ReadNumber(L"\t-1"), -1);
  EXPECT_EQ(ReadNumber(L"+8"), 8);
  EXPECT_EQ(ReadNumber(L"7x"), 7);
  EXPECT_EQ(ReadNumber(L""), 0);
  EXPECT_EQ(ReadNumber(L"x"), 0);
  EXPECT_EQ(ReadNumber(L"- 5"), 0);
  EXPECT_EQ(ReadNumber(L"2147483647"), 2147483647);
  EXPECT_EQ(ReadNumber(L"2147483648"), 2147483647);
  EXPECT_EQ(ReadNumber(L"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadNumber(L"-99999999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ReadNumber(L"00000000000000000000042"), 42);
}

}  // namespace
}  // namespace qw
