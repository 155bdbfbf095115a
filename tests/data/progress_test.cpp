#include "data/progress.h"

#include <gtest/gtest.h>

#include <cstring>

#include "data/calendar.h"

namespace qw {
namespace {

constexpr const char* kTwoLevels =
    "; two levels\r\n"
    "Around the wall\r\nSTARE\r\n2,1,0\r\n0,2\r\n45\r\n-1\r\n3,13,23\r\n"
    "Second\r\nALIEN\r\n1,1,1\r\n0,4\r\n5\r\n-1\r\n-1\r\n";

std::int64_t Day(const char* text) { return DayNumber(*ParseDate(text)); }

// A record with something in every field: bests partly recorded, two solved
// days, a level in play with pieces on the board and a history both ways,
// and another level's kept board.
Progress FullProgress() {
  Progress p;
  p.scale = 3;
  p.fullscreen = true;
  p.animation = SavedAnimation::kFast;
  p.volume = 35;
  p.mute = true;
  p.theme = ThemeId::kDark;
  p.solved[0x0123456789abcdefull] = LevelBest{4, 17, 0, 61250};
  p.solved[0xfedcba9876543210ull] = LevelBest{2, std::nullopt, 1, std::nullopt};
  p.dailySolved = {Day("2026-12-07"), Day("2024-02-29")};
  SavedPlay play;
  play.level = 0xabdcb4dfb7e27f1aull;
  play.steps = 9;
  play.hints = 2;
  play.timeMs = 123456;
  play.tray[0] = SavedCell{0, 0};
  play.tray[2] = SavedCell{8, 7};
  play.board[0] = SavedCell{24, 2};
  play.board[45] = SavedCell{32, 1};
  play.board[99] = SavedCell{16, 5};
  play.undo = {"move 0 -1 4 5", "turn 4 5 cw"};
  play.redo = {"turn 4 5 ccw"};
  p.play = play;
  play.level = 0x1;
  play.undo = {"turn 4 5 cw"};
  p.kept.push_back(play);
  return p;
}

TEST(ProgressText, WritesEveryFieldAndReadsItBack) {
  const Progress p = FullProgress();
  const std::string text = WriteProgress(p);
  const std::string head =
      "quenchway-progress 3\nscale 3\nfullscreen 1\nanimation fast\nvolume 35\nmute 1\n"
      "theme dark\nsolved 0123456789abcdef 4 17 0 61250\nsolved fedcba9876543210 2 - 1 -\n"
      "daily 2024-02-29\ndaily 2026-12-07\n"
      "play abdcb4dfb7e27f1a\ncounters 9 2 123456\ntray 0:0 -1 8:7 -1 -1 -1 -1 -1 -1 -1\n"
      "row0 24:2 -1";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("\nrow4 -1 -1 -1 -1 -1 32:1 -1 -1 -1 -1\n"), std::string::npos);
  EXPECT_NE(
      text.find(
          "\nundo move 0 -1 4 5\nundo turn 4 5 cw\nredo turn 4 5 ccw\nkept 0000000000000001\n"),
      std::string::npos);
  EXPECT_NE(text.find("\nundo turn 4 5 cw\nredo turn 4 5 ccw\nend\n"), std::string::npos);
  const ProgressParse back = ParseProgress(text);
  ASSERT_TRUE(back.progress) << back.error;
  EXPECT_EQ(*back.progress, p);
  // A later game's theme reads as Classic.
  const std::string neon = std::string(text).replace(text.find("dark"), 4, "neon");
  EXPECT_EQ(ParseProgress(neon).progress->theme, ThemeId::kClassic);

  const ProgressParse empty = ParseProgress(WriteProgress(Progress{}));
  ASSERT_TRUE(empty.progress);
  EXPECT_EQ(*empty.progress, Progress{});
}

TEST(ProgressText, EveryCutShortTextIsRefused) {
  // A file cut off anywhere (a full disk under a writer that does not write
  // atomically, a copy interrupted) must never pass for a smaller record.
  const std::string text = WriteProgress(FullProgress());
  for (std::size_t n = 0; n < text.size(); ++n) {
    EXPECT_FALSE(ParseProgress(text.substr(0, n)).progress) << "cut at " << n;
  }
}

TEST(ProgressText, RefusesAnythingOutsideTheFormat) {
  const std::string good = WriteProgress(FullProgress());
  const auto with = [&](const std::string& from, const std::string& to) {
    std::string s = good;
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return s.replace(at, from.size(), to);
  };
  // More of the same are seeds of the progress fuzz target's corpus.
  const std::string bad[] = {
      with("progress 3", "progress 4"),  // a version this game does not know
      with("progress 3", "progress 1"),  // no daily lines in the first version
      with("daily 2024-02-29\ndaily 2026-12-07", "daily 2026-12-07\ndaily 2024-02-29"),
      with("daily 2024-02-29\n", "daily 2024-02-29\ndaily 2024-02-29\n"),  // a day twice
      with(" 4 17 0 61250", " 4 17 0 2147483648"),
      with("redo turn 4 5 ccw\n", "redo turn 4 5 ccw\nundo late\n"),
      with("\n", "\r\n"),
      with("solved fedcba9876543210 2 - 1 -\n", ""),  // still good, shown to differ from the rest
  };
  for (std::size_t i = 0; i + 1 < std::size(bad); ++i) {
    EXPECT_FALSE(ParseProgress(bad[i]).progress) << "case " << i << ":\n" << bad[i];
  }
  EXPECT_TRUE(ParseProgress(bad[std::size(bad) - 1]).progress);
  EXPECT_EQ(ParseProgress(with("progress 3", "progress 4")).error,
            "line 1: a version this game does not know");
}

TEST(ProgressText, AFileOfTheFirstVersionStillLoads) {
  // As the game wrote it before solved days were kept.
  const std::string v1 =
      "quenchway-progress 1\nscale 2\nfullscreen 0\n"
      "solved 0123456789abcdef 4 17 0 61250\n"
      "play abdcb4dfb7e27f1a\ncounters 1 0 500\ntray -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"
      "row0 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\nrow1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"
      "row2 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\nrow3 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"
      "row4 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\nrow5 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"
      "row6 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\nrow7 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"
      "row8 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\nrow9 -1 -1 -1 12:3 -1 -1 -1 -1 -1 -1\n"
      "undo move 0 -1 3 9\nend\n";
  const ProgressParse read = ParseProgress(v1);
  ASSERT_TRUE(read.progress) << read.error;
  const Progress& p = *read.progress;
  EXPECT_EQ(p.scale, 2);
  EXPECT_EQ(p.solved.at(0x0123456789abcdefull), (LevelBest{4, 17, 0, 61250}));
  EXPECT_TRUE(p.dailySolved.empty());
  ASSERT_TRUE(p.play);
  EXPECT_EQ(p.play->board[93], (SavedCell{12, 3}));
  EXPECT_EQ(p.play->undo, std::vector<std::string>{"move 0 -1 3 9"});
  // It is written back in the current version, which reads the same.
  // Without settings lines they take their defaults.
  EXPECT_EQ(p.animation, SavedAnimation::kNormal);
  EXPECT_EQ(p.volume, 80);
  const std::string v3 = WriteProgress(p);
  const std::string settings = "animation normal\nvolume 80\nmute 0\n";
  EXPECT_EQ(v3.substr(0, 21), "quenchway-progress 3\n");
  EXPECT_EQ(v3.substr(21, 21), v1.substr(21, 21));
  EXPECT_EQ(v3.substr(42, settings.size()), settings);
  EXPECT_EQ(v3.substr(42 + settings.size()), v1.substr(42));
  EXPECT_EQ(ParseProgress(v3).progress, p);
}

TEST(DailyResults, TheStreakCountsTheDaysInARowEndingTodayOrYesterday) {
  Progress p;
  const std::int64_t today = Day("2026-03-01");
  EXPECT_EQ(DailyStreak(p, today), 0);
  for (const char* d : {"2026-02-25", "2026-02-27", "2026-02-28"}) RecordDailySolved(p, Day(d));
  EXPECT_EQ(DailyStreak(p, today), 2);  // today's not solved yet: the streak still stands
  RecordDailySolved(p, today);
  RecordDailySolved(p, today);  // once only
  EXPECT_EQ(p.dailySolved.size(), 4u);
  EXPECT_EQ(DailyStreak(p, today), 3);
  EXPECT_EQ(DailyStreak(p, today + 2), 0);  // a day missed
  RecordDailySolved(p, -1);                 // before the calendar: not recorded
  RecordDailySolved(p, Day("9999-12-31") + 1);
  EXPECT_EQ(p.dailySolved.size(), 4u);
  EXPECT_TRUE(CheckProgress(p, nullptr));
}

TEST(ProgressText, TheLargestRecordTheWriterTakesReadsBack) {
  Progress p = FullProgress();
  for (LevelKey k = 0; p.solved.size() < kMaxSolvedLevels; ++k) {
    p.solved[k * 0x9e3779b97f4a7c15ull] = LevelBest{2147483647, 2147483647, 2147483647, 2147483647};
  }
  p.play->undo.assign(kMaxHistorySteps - 4,
                      std::string(kMaxHistoryStepLength, '~'));  // 9999 over all boards
  for (LevelKey k = 2; p.kept.size() < kMaxKeptBoards; ++k) {
    SavedPlay& board = p.kept.emplace_back(*p.play);
    board.level = k;
    board.undo.clear();
    board.redo.clear();
    board.board.fill(SavedCell{35, 7});
  }
  for (std::int64_t d = Day("2000-01-01"); p.dailySolved.size() < kMaxSolvedDays; ++d)
    p.dailySolved.insert(d);
  ASSERT_TRUE(CheckProgress(p, nullptr));
  const std::string text = WriteProgress(p);
  EXPECT_LE(text.size(), kMaxProgressBytes);
  const ProgressParse back = ParseProgress(text);
  ASSERT_TRUE(back.progress) << back.error;
  EXPECT_EQ(*back.progress, p);

  // One more of either, and the writer refuses what the reader would.
  Progress more = p;
  more.play->redo.push_back("x");
  more.play->redo.push_back("y");
  EXPECT_FALSE(CheckProgress(more, nullptr));
  EXPECT_FALSE(ParseProgress(WriteProgress(more)).progress);
  more = p;
  more.solved[1] = LevelBest{};
  EXPECT_FALSE(CheckProgress(more, nullptr));
  EXPECT_FALSE(ParseProgress(WriteProgress(more)).progress);
  more = p;
  for (std::int64_t d = 0; more.dailySolved.size() <= kMaxSolvedDays; ++d)
    more.dailySolved.insert(d);
  EXPECT_FALSE(CheckProgress(more, nullptr));
  EXPECT_FALSE(ParseProgress(WriteProgress(more)).progress);
  more = p;
  more.kept.push_back(more.kept.back());
  more.kept.back().level = 0;
  EXPECT_FALSE(CheckProgress(more, nullptr));
  EXPECT_FALSE(ParseProgress(WriteProgress(more)).progress);
  more = p;
  more.kept[1].level = more.kept[2].level;
  EXPECT_FALSE(CheckProgress(more, nullptr));
  more = p;
  more.play->board[3] = SavedCell{-1, 4};
  EXPECT_FALSE(CheckProgress(more, nullptr));
}

TEST(LevelKey, IsTheSameEverywhereAndFollowsTheLevelNotItsPlace) {
  const std::vector<LevelRecord> levels =
      ParseLevels(std::wstring(kTwoLevels, kTwoLevels + std::strlen(kTwoLevels)));
  ASSERT_EQ(levels.size(), 2u);
  // FNV-1a of the canonical record, worked out by hand: the same on every
  // machine and in every build.
  EXPECT_EQ(KeyOfLevel(levels[0]), 0xabdcb4dfb7e27f1aull);

  // Each field counts, and strings cannot run into one another.
  LevelRecord changed = levels[0];
  changed.wallCells = L"3,13,24";
  EXPECT_NE(KeyOfLevel(changed), KeyOfLevel(levels[0]));
  changed = levels[0];
  changed.sourceRotation = 3;
  EXPECT_NE(KeyOfLevel(changed), KeyOfLevel(levels[0]));
  changed = levels[0];
  changed.title = L"Around the wal";
  changed.password = L"lSTARE";
  EXPECT_NE(KeyOfLevel(changed), KeyOfLevel(levels[0]));
  changed = levels[0];
  changed.hazardCells = L"45";
  changed.fireCells = L"";
  EXPECT_NE(KeyOfLevel(changed), KeyOfLevel(levels[0]));
}

TEST(MergeProgress, KeepsEverySolvedLevelAndTheBestOfEachBest) {
  Progress disk;
  disk.scale = 2;
  disk.solved[1] = LevelBest{5, 20, std::nullopt, 9000};
  disk.solved[2] = LevelBest{3, 3, 3, 3};
  disk.play = SavedPlay{};
  disk.play->level = 2;
  disk.dailySolved = {10, 12};

  Progress mine;
  mine.scale = 4;
  mine.solved[1] = LevelBest{6, 12, 1, std::nullopt};
  mine.solved[3] = LevelBest{};
  mine.play = SavedPlay{};
  mine.play->level = 3;
  mine.play->undo = {"a"};
  mine.dailySolved = {11, 12};

  const Progress merged = MergeProgress(disk, mine);
  EXPECT_EQ(merged.solved.size(), 3u);
  EXPECT_EQ(merged.solved.at(1), (LevelBest{5, 12, 1, 9000}));
  EXPECT_EQ(merged.solved.at(2), disk.solved.at(2));
  EXPECT_EQ(merged.solved.at(3), LevelBest{});
  EXPECT_EQ(merged.play, mine.play);  // the later writer's level in play
  EXPECT_EQ(merged.scale, 4);
  EXPECT_EQ(merged.dailySolved, (std::set<std::int64_t>{10, 11, 12}));

  // Kept boards: mine's first, then the disk's of the levels mine has no
  // board of and has not solved.
  disk.kept.resize(3);
  disk.kept[0].level = 5;
  disk.kept[1].level = 1;
  disk.kept[2].level = 3;
  mine.kept.resize(1);
  mine.kept[0].level = 6;
  std::vector<LevelKey> kept;
  for (const SavedPlay& board : MergeProgress(disk, mine).kept) kept.push_back(board.level);
  EXPECT_EQ(kept, (std::vector<LevelKey>{6, 2, 5}));

  // The later writer with no level in play clears it.
  mine.play.reset();
  EXPECT_FALSE(MergeProgress(disk, mine).play);
}

}  // namespace
}  // namespace qw
