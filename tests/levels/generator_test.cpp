#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "data/keypad.h"
#include "levels/checker.h"
#include "levelgen/generator.h"
#include "levelgen/grade.h"
#include "levelgen/random.h"
#include "levelgen/variety.h"
#include "platform/utf8.h"

namespace qw {
namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string SetText(const std::vector<GeneratedLevel>& levels) {
  std::string text;
  for (const GeneratedLevel& level : levels) text += LevelText(level) + "\r\n";
  return text;
}

std::int32_t Tray(const LevelRecord& r) { return r.elbowCount + r.bendCount + r.splitterCount; }

// What the checker, with its own limits, says of every generated level: sound,
// solvable, exactly one solution, no fire out before a piece is placed, every
// tray piece used by that solution or named as a decoy, and every wall and
// hazard earning its place. `variety` receives the set's.
void ExpectSoundAndUnique(const std::vector<GeneratedLevel>& levels, std::int32_t grade,
                          Variety& variety) {
  CheckOptions options;
  options.stats = true;
  const FileCheck check = CheckLevelText(Wide(SetText(levels)), options);
  variety = check.variety.value_or(Variety{});
  EXPECT_TRUE(check.Passed());
  EXPECT_EQ(check.levels.size(), levels.size());
  for (std::size_t i = 0; i < levels.size() && i < check.levels.size(); ++i) {
    const LevelCheck& c = check.levels[i];
    const GeneratedLevel& g = levels[i];
    SCOPED_TRACE("grade " + std::to_string(grade) + " level " + std::to_string(i + 1));
    EXPECT_TRUE(c.findings.empty());  // not even a warning
    ASSERT_TRUE(c.count.has_value());
    EXPECT_EQ(c.count->solutions, 1);
    EXPECT_EQ(c.count->outcome, SolveOutcome::kSolved);
    EXPECT_LE(c.count->nodes, kDefaultNodeLimit);
    EXPECT_EQ(g.grade, grade);
    ASSERT_TRUE(c.features && c.features->solved);
    EXPECT_EQ(GradeOf(*c.features), grade);
    EXPECT_GT(c.features->pieces, 0);
    EXPECT_EQ(Tray(g.record), c.features->pieces + g.decoyElbows + g.decoyBends + g.decoySplitters);
    const WaterRoute bare = TraceRoute(g.record, nullptr);
    EXPECT_EQ(bare.fires, 0);
    EXPECT_FALSE(bare.reachesHazard);
    ASSERT_TRUE(c.elements.has_value());
    EXPECT_TRUE(c.elements->idle.empty() && c.elements->decided) << LevelText(g);
  }
}

// A set of each grade, as check --stats sees it: sound, one solution,
// nothing idle, and varied: several tray mixes, fewer than half the fires
// right before an edge or a wall, no level a turned or mirrored copy of
// another. A local run takes N levels of every grade: QW_GRADE_SEEDS=N.
TEST(Generator, EveryGradeGivesSoundVariedLevelsWithOneSolution) {
  const char* env = std::getenv("QW_GRADE_SEEDS");
  constexpr std::array<std::int32_t, 5> kSeeds{300, 300, 30, 2, 1};
  for (std::int32_t grade = kLowestGrade; grade <= kHighestGrade; ++grade) {
    const std::int32_t seeds =
        env != nullptr ? std::atoi(env) : kSeeds[static_cast<std::size_t>(grade - 1)];
    GenerateOptions options;
    options.count = seeds;
    options.grade = grade;
    const auto levels = GenerateSet(options);
    ASSERT_TRUE(levels.has_value());
    Variety v;
    ExpectSoundAndUnique(*levels, grade, v);
    EXPECT_GE(v.trayMixes, grade == 1 ? 3 : 1);
    if (v.fires >= 40) {
      EXPECT_LT(2 * v.firesBeforeStop, v.fires) << "grade " << grade;
    }
    EXPECT_EQ(v.repeats, 0) << "grade " << grade;
  }
  // A level turned and mirrored is the same level.
  LevelRecord a{L"", L"", 1, 0, 0, 12, 3, L"45", L"46,7", L""};
  LevelRecord mirrored{L"", L"", 1, 0, 0, 17, 5, L"44", L"43,2", L""};
  EXPECT_EQ(SymmetryKey(a), SymmetryKey(mirrored));
  mirrored.hazardCells = L"43,3";
  EXPECT_NE(SymmetryKey(a), SymmetryKey(mirrored));
}

TEST(Generator, SameOptionsSameBytesWhateverTheMachine) {
  GenerateOptions options;
  options.count = 5;
  options.seed = 12345;
  const auto a = GenerateSet(options);
  const auto b = GenerateSet(options);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(SetText(*a), SetText(*b));
  options.seed = 12346;
  EXPECT_NE(SetText(*GenerateSet(options)), SetText(*a));
  // The random stream is SplitMix64's, value for value (its published test
  // vector), and the levels are drawn from it alone.
  SplitMix64 rng(1234567);
  EXPECT_EQ(rng.Next(), 6457827717110365317ull);
  EXPECT_EQ(rng.Next(), 3203168211198807973ull);
  EXPECT_EQ(rng.Next(), 9817491932198370423ull);
  const auto level = GenerateLevel(99, 1, {});
  ASSERT_TRUE(level);
  EXPECT_EQ(LevelText(*level),
            "; grade 1 (score 46): fewest pieces 2 (2 elbows), search effort 38 nodes, 0 diagonal "
            "stretches, 1 "
            "hazard next to the route, decoys: none\r\nGenerated, grade "
            "1\r\nTETIT\r\n2,0,0\r\n41,4\r\n73,84\r\n"
            "70\r\n-1\r\n");
  // A level alone reads back as the level it is.
  const std::vector<LevelRecord> read = ParseLevels(Wide(LevelText(*level)));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0], level->record);
}

TEST(Generator, PasswordsAreDistinctKeypadWordsNoneShipped) {
  GenerateOptions options;
  options.count = 200;
  options.grade = 1;
  const auto levels = GenerateSet(options);
  ASSERT_TRUE(levels);
  std::set<std::wstring> seen(ShippedPasswords().begin(), ShippedPasswords().end());
  ASSERT_EQ(seen.size(), 32u);
  for (const GeneratedLevel& level : *levels) {
    const std::wstring& word = level.record.password;
    EXPECT_EQ(word.size(), 5u);
    for (wchar_t c : word) {
      EXPECT_NE(std::find(keypadAlphabet.begin(), keypadAlphabet.end(), c), keypadAlphabet.end());
    }
    EXPECT_TRUE(seen.insert(word).second) << "repeated password";
  }
}

TEST(Generator, MixedSetsRiseFromFirstStepsToExpert) {
  EXPECT_EQ(GradeInSet(kMixedGrade, 0, 10), 1);
  EXPECT_EQ(GradeInSet(kMixedGrade, 9, 10), 5);
  EXPECT_EQ(GradeInSet(kMixedGrade, 0, 1), 1);
  for (std::int32_t i = 1; i < 7; ++i)
    EXPECT_GE(GradeInSet(kMixedGrade, i, 7), GradeInSet(kMixedGrade, i - 1, 7));
  EXPECT_EQ(GradeInSet(3, 5, 7), 3);
}

// The grade model rises along the shipped set: it starts at 1 and ends at 5,
// each quarter of the set grades higher on average than the one before, and
// no level grades below one eight or more places before it.
TEST(GradeModel, RisesAlongTheShippedSet) {
  const std::vector<LevelRecord>& shipped = ShippedLevels();
  ASSERT_EQ(shipped.size(), 32u);
  std::vector<std::int32_t> grades;
  for (const LevelRecord& level : shipped) {
    const LevelFeatures f = MeasureLevel(level);
    ASSERT_TRUE(f.solved);
    grades.push_back(GradeOf(f));
  }
  EXPECT_EQ(grades.front(), 1);
  EXPECT_EQ(grades.back(), 5);
  std::int32_t previous = 0;
  for (std::size_t q = 0; q < 4; ++q) {
    std::int32_t sum = 0;
    for (std::size_t i = q * 8; i < q * 8 + 8; ++i) sum += grades[i];
    EXPECT_GT(sum, previous) << "quarter " << q + 1;
    previous = sum;
  }
  for (std::size_t i = 0; i < grades.size(); ++i) {
    for (std::size_t j = i + 8; j < grades.size(); ++j)
      EXPECT_GE(grades[j], grades[i]) << i + 1 << " and " << j + 1;
  }
}

// A counting search that stops at its node limit after a first solution
// still says "solved": the generator must not take its count for the whole.
TEST(GradeModel, ACountCutShortByTheLimitIsNotTrusted) {
  const LevelRecord& aroundTheWall = ShippedLevels()[4];  // 21 solutions
  SolveOptions options;
  options.countAll = true;
  options.nodeLimit = 45;
  const SolveReport cut = SolveLevel(aroundTheWall, options);
  EXPECT_EQ(cut.outcome, SolveOutcome::kSolved);
  EXPECT_TRUE(GaveUp(cut, options.nodeLimit));
  options.nodeLimit = kDefaultNodeLimit;
  const SolveReport whole = SolveLevel(aroundTheWall, options);
  EXPECT_FALSE(GaveUp(whole, options.nodeLimit));
  EXPECT_EQ(whole.solutions, 21);
}

TEST(GradeModel, ScoreAndCuts) {
  LevelFeatures f;
  f.pieces = 2;
  f.bends = 1;
  f.effort = 1;
  EXPECT_EQ(GradeScore(f), ScoreWithoutEffort(f) + EffortScore(1));
  EXPECT_LT(EffortScore(1000), EffortScore(2000));
  EXPECT_EQ(EffortScore(1024), EffortScore(2047));
  EXPECT_EQ(GradeOfScore(kGradeCuts[0] - 1), 1);
  EXPECT_EQ(GradeOfScore(kGradeCuts[0]), 2);
  EXPECT_EQ(GradeOfScore(kGradeCuts[3]), 5);
  EXPECT_EQ(GradeOfScore(1'000'000), 5);
}

TEST(Daily, DatesAreCheckedAndNumbered) {
  for (const char* bad : {"2026-02-29", "2026-13-01", "2026-00-10", "1969-12-31", "2026-1-01",
                          "2026/01/01", "2026-01-32", "", "20260101xx", "2026-04-31"}) {
    EXPECT_FALSE(ParseDate(bad).has_value()) << bad;
  }
  const auto leap = ParseDate("2024-02-29");
  ASSERT_TRUE(leap);
  EXPECT_EQ(DateText(*leap), "2024-02-29");
  EXPECT_EQ(DayNumber(*ParseDate("1970-01-01")), 0);
  EXPECT_EQ(DayNumber(*ParseDate("2000-03-01")), 11017);
  EXPECT_EQ(DayNumber(*ParseDate("9999-12-31")), 2932896);
  EXPECT_EQ(Weekday(*ParseDate("2026-12-07")), 0);  // a Monday
  EXPECT_EQ(Weekday(*ParseDate("2000-01-01")), 5);  // a Saturday
}

TEST(Daily, GradeRisesMondayToSundayAndTheLevelIsTheDays) {
  const std::array<std::int32_t, 7> grades{1, 2, 3, 3, 4, 4, 5};
  for (std::int32_t day = 7; day <= 13; ++day)  // Monday 2026-12-07 to Sunday
    EXPECT_EQ(DailyGrade(Date{2026, 12, day}), grades[static_cast<std::size_t>(day - 7)]);
  EXPECT_NE(DailySeed(Date{2026, 12, 7}), DailySeed(Date{2026, 12, 8}));
  const auto a = GenerateDaily(Date{2026, 12, 8});
  const auto b = GenerateDaily(Date{2026, 12, 8});
  ASSERT_TRUE(a && b);
  EXPECT_EQ(LevelText(*a), LevelText(*b));
  EXPECT_EQ(a->grade, 2);
  EXPECT_EQ(a->record.title, L"Daily puzzle 2026-12-08");
  // The levels of these days are pinned: a change to the generator, the
  // grade model or the solver that changes them must be deliberate.
  const std::pair<Date, const char*> pinned[] = {
      {Date{2026, 12, 7}, "2,0,0|26,6|34|-1|24"},
      {Date{2026, 12, 8}, "2,1,0|23,1|54,83|56|16"},
      {Date{2026, 12, 11}, "1,3,1|31,4|2,10,40,44|14,30,36,46|94"},
  };
  for (const auto& [date, lines] : pinned) {
    const LevelRecord r = GenerateDaily(date)->record;
    auto list = [](const std::wstring& cells) {
      return cells.empty() ? std::string("-1") : ToUtf8(cells);
    };
    EXPECT_EQ(std::to_string(r.elbowCount) + "," + std::to_string(r.bendCount) + "," +
                  std::to_string(r.splitterCount) + "|" + std::to_string(r.sourceCell) + "," +
                  std::to_string(r.sourceRotation) + "|" + list(r.fireCells) + "|" +
                  list(r.hazardCells) + "|" + list(r.wallCells),
              lines)
        << DateText(date);
  }
}

}  // namespace
}  // namespace qw
