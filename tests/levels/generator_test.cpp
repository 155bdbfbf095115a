#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "data/keypad.h"
#include "levels/checker.h"
#include "levelgen/generator.h"
#include "levelgen/grade.h"
#include "levelgen/random.h"

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
// solvable, exactly one solution, no fire out before a piece is placed, and
// every tray piece used by that solution or named as a decoy.
void ExpectSoundAndUnique(const std::vector<GeneratedLevel>& levels, std::int32_t grade) {
  CheckOptions options;
  options.stats = true;
  const FileCheck check = CheckLevelText(Wide(SetText(levels)), options);
  ASSERT_TRUE(check.Passed());
  ASSERT_EQ(check.levels.size(), levels.size());
  for (std::size_t i = 0; i < levels.size(); ++i) {
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
  }
}

TEST(Generator, EveryGradeGivesSoundLevelsWithOneSolution) {
  for (std::int32_t grade = kLowestGrade; grade <= kHighestGrade; ++grade) {
    GenerateOptions options;
    options.grade = grade;
    options.count = grade >= 4 ? 2 : 3;
    options.seed = 7;
    const auto levels = GenerateSet(options);
    ASSERT_TRUE(levels.has_value());
    ExpectSoundAndUnique(*levels, grade);
  }
}

// A local run takes all thousand seeds: QW_GRADE3_SEEDS=1000.
TEST(Generator, GradeThreeLevelsAreAlwaysDecided) {
  const char* env = std::getenv("QW_GRADE3_SEEDS");
  const std::int32_t seeds = env != nullptr ? std::atoi(env) : 40;
  std::vector<GeneratedLevel> levels;
  std::vector<std::wstring> taken = ShippedPasswords();
  for (std::int32_t seed = 0; seed < seeds; ++seed) {
    const auto level = GenerateLevel(static_cast<std::uint64_t>(seed), 3, taken);
    ASSERT_TRUE(level.has_value()) << seed;
    taken.push_back(level->record.password);
    levels.push_back(*level);
  }
  ExpectSoundAndUnique(levels, 3);
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
            "; grade 1 (score 36): fewest pieces 2 (2 elbows), search effort 11 nodes, 0 diagonal stretches, 0 "
            "hazards next to the route, decoys: none\r\nGenerated, grade 1\r\nIRERI\r\n2,0,0\r\n43,4\r\n40\r\n"
            "-1\r\n30,63,83\r\n");
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
  for (std::int32_t i = 1; i < 7; ++i) EXPECT_GE(GradeInSet(kMixedGrade, i, 7), GradeInSet(kMixedGrade, i - 1, 7));
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
    for (std::size_t j = i + 8; j < grades.size(); ++j) EXPECT_GE(grades[j], grades[i]) << i + 1 << " and " << j + 1;
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
  for (const char* bad : {"2026-02-29", "2026-13-01", "2026-00-10", "1969-12-31", "2026-1-01", "2026/01/01",
                          "2026-01-32", "", "20260101xx", "2026-04-31"}) {
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
  std::int32_t previous = 0;
  for (std::int32_t day = 7; day <= 13; ++day) {  // Monday 2026-12-07 to Sunday
    const Date date{2026, 12, day};
    EXPECT_GE(DailyGrade(date), previous);
    previous = DailyGrade(date);
  }
  EXPECT_EQ(DailyGrade(Date{2026, 12, 7}), 1);
  EXPECT_EQ(DailyGrade(Date{2026, 12, 13}), 5);
  EXPECT_NE(DailySeed(Date{2026, 12, 7}), DailySeed(Date{2026, 12, 8}));
  const auto a = GenerateDaily(Date{2026, 12, 8});
  const auto b = GenerateDaily(Date{2026, 12, 8});
  ASSERT_TRUE(a && b);
  EXPECT_EQ(LevelText(*a), LevelText(*b));
  EXPECT_EQ(a->grade, 2);
  EXPECT_EQ(a->record.title, L"Daily puzzle 2026-12-08");
}

}  // namespace
}  // namespace qw
