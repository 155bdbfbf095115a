// Level codes: every level comes back exactly from its code, short enough
// to pass on, and a damaged code is refused with its reason.
#include "data/level_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace qw {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

CodedLevel Board(LevelRecord r) {
  CodedLevel level;
  level.board = std::move(r);
  return level;
}

// The level as its code gives it back; the code at most `longest` long.
std::optional<CodedLevel> RoundTrip(const CodedLevel& level, std::size_t longest) {
  std::string problem;
  const std::optional<std::string> code = EncodeLevel(level, &problem);
  if (!code) ADD_FAILURE() << problem;
  if (!code) return std::nullopt;
  EXPECT_LE(code->size(), longest) << *code;
  return DecodeLevel(*code);
}

TEST(LevelCode, EveryShippedLevelComesBackFromACodeOfAtMost100Characters) {
  const auto levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat");
  ASSERT_TRUE(levels && levels->size() == 32);
  for (const LevelRecord& r : *levels) EXPECT_EQ(RoundTrip(Board(r), 100), Board(r));
}

TEST(LevelCode, GeneratedLevelsInAtMost40CharactersAndAnyBoardComeBack) {
  std::mt19937_64 random(26);
  const auto below = [&random](std::uint64_t n) { return static_cast<std::int32_t>(random() % n); };
  for (int i = 0; i < 3000; ++i) {
    CodedLevel daily, drawn;
    daily.kind = CodedLevel::Kind::kDaily;
    daily.day = i == 0 ? 2932896 : below(2932897);  // to 9999-12-31
    drawn.kind = CodedLevel::Kind::kRandom;
    drawn.seed = i == 0 ? UINT64_MAX : i % 2 ? random() >> below(64) : 0;
    drawn.grade = 1 + i % 5;
    EXPECT_EQ(RoundTrip(daily, 40), daily);
    EXPECT_EQ(RoundTrip(drawn, 40), drawn);
    // Any board a code can carry: texts of the title's and the keypad's
    // letters or of any Latin-1, lists up to their longest.
    LevelRecord r;
    r.elbowCount = below(11);
    r.bendCount = below(11 - r.elbowCount);
    r.splitterCount = below(11 - r.elbowCount - r.bendCount);
    r.sourceCell = below(100);
    r.sourceRotation = below(8);
    for (std::wstring* list : {&r.fireCells, &r.hazardCells, &r.wallCells}) {
      for (std::int32_t n = i % 100 == 0 ? 127 : below(12); n > 0; --n) {
        *list += (list->empty() ? L"" : L",") + std::to_wstring(below(100));
      }
    }
    const auto text = [&](std::size_t longest, std::wstring_view letters) {
      std::wstring t(1 + static_cast<std::size_t>(below(longest)), L'x');
      for (wchar_t& c : t) {
        c = i % 3 ? letters[static_cast<std::size_t>(below(letters.size()))]
                  : static_cast<wchar_t>(11 + below(245));
      }
      if (t[0] == L';') t[0] = L'x';
      return t;
    };
    r.title = text(63, L"Between corners 7-");
    r.password = text(15, L"AEILNRST");
    EXPECT_EQ(RoundTrip(Board(r), 1000), Board(r));
    // and its lines, as `decode` prints them, read back as the same level.
    std::wstring lines;
    for (const char c : LevelRecordText(r)) lines.push_back(static_cast<unsigned char>(c));
    EXPECT_EQ(ParseLevels(lines), std::vector{r});
  }
}

TEST(LevelCode, LevelsACodeCannotGiveBackAreRefused) {
  LevelRecord sound{L"t", L"SLATE", 1, 0, 0, 2, 4, L"3,13,23", L"", L"99"};
  ASSERT_TRUE(EncodeLevel(Board(sound)));
  const auto refused = [&](auto change) {
    LevelRecord r = sound;
    change(r);
    std::string problem;
    return !EncodeLevel(Board(r), &problem) && !problem.empty();
  };
  EXPECT_TRUE(refused([](LevelRecord& r) { r.elbowCount = 11; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.bendCount = 10; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.sourceRotation = 8; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.fireCells = L"3, 13"; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.wallCells = L"03"; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.hazardCells = L"100"; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.title = L";x"; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.password = L"A\r\nB"; }));
  EXPECT_TRUE(refused([](LevelRecord& r) { r.title = std::wstring(64, L'a'); }));
  CodedLevel drawn;
  drawn.kind = CodedLevel::Kind::kRandom;
  drawn.grade = 6;
  EXPECT_FALSE(EncodeLevel(drawn));
}

TEST(LevelCode, DamagedCodesAreRefusedWithTheirReason) {
  const LevelRecord level{L"Between corners", L"SNARL", 1,          1, 0, 90, 2,
                          L"56,38,29",        L"",      L"53,64,75"};
  const std::string good = *EncodeLevel(Board(level));
  const std::string body = good.substr(0, good.size() - 4);
  std::string lower = good, hyphens = good.substr(0, 5) + "-" + good.substr(5), one = good;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
  one[0] = 'l';  // the version, 1
  for (const std::string& same : {lower, hyphens, one})
    EXPECT_EQ(DecodeLevel(same), Board(level)) << same;

  const std::pair<std::string, std::string> bad[] = {
      {"", "no code was given"},
      {"-", "no code was given"},
      {good.substr(0, good.size() - 1), "cut short"},
      {good.substr(0, 12), "cut short"},
      {"1ABC", "cut short"},
      {good.substr(0, 9) + "U" + good.substr(9), "mistyped: character 10 ('U')"},
      {good + " ", "mistyped: character " + std::to_string(good.size() + 1) + " (a blank"},
      {good + "0", "mistyped or altered"},
      {"2" + good.substr(1), "mistyped or altered"},
      {SealCode("2" + body.substr(1)), "format 2, which this version of the game cannot read"},
      {SealCode("1R000"), "altered: it names no level"},     // a fourth kind of level
      {SealCode(body + "0"), "altered: it names no level"},  // more than its level
  };
  for (const auto& [code, reason] : bad) {
    std::string problem;
    EXPECT_FALSE(DecodeLevel(code, &problem)) << code;
    EXPECT_NE(problem.find(reason), std::string::npos) << code << ": " << problem;
  }
  // Every character changed, and every two neighbours swapped, is caught.
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (const char c : kDigits) {
      std::string changed = good;
      changed[i] = c;
      EXPECT_TRUE(c == good[i] || !DecodeLevel(changed)) << changed;
    }
    std::string swapped = good;
    if (i + 1 < good.size()) std::swap(swapped[i], swapped[i + 1]);
    EXPECT_TRUE(swapped == good || !DecodeLevel(swapped)) << swapped;
  }
}

}  // namespace
}  // namespace qw
