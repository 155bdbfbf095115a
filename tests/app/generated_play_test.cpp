// The daily puzzle and a random level played in script mode with the real
// binary: the game starts on the level quenchway-levels writes for the same
// day or seed, hints alone lead it to the solved screen, and its Continue
// returns to the level chooser with no box between. A solved daily puzzle is kept in
// the progress file. A level shared by its code plays the same way, and
// `dump` tells the code of each.
#include <gtest/gtest.h>

#include <sstream>

#include "data/calendar.h"
#include "data/layout.h"
#include "data/layout_items.h"
#include "data/level_code.h"
#include "levelgen/generator.h"
#include "model/puzzle.h"
#include "platform/bitmap.h"
#include "run_game.h"

namespace qw {
namespace {

using testing::ReadAll;
using testing::RunGame;
using testing::ScratchFolder;

// The tray and board lines of `dump` for a level as it starts, from the
// model's own set-up of the record.
std::string StartLines(const LevelRecord& level) {
  const std::vector<LevelRecord> table{level};
  Puzzle puzzle(table);
  puzzle.StartLevel(0);
  const auto entry = [](const Cell& c) {
    return c.kind == KIND_EMPTY
               ? std::string("-1")
               : std::to_string(KindCode(c.kind)) + ":" + std::to_string(c.variant);
  };
  std::ostringstream out;
  out << "tray";
  for (const Cell& c : puzzle.tray()) out << ' ' << entry(c);
  out << '\n';
  for (std::int32_t y = 0; y < kBoardSize; ++y) {
    out << "row" << y;
    for (std::int32_t x = 0; x < kBoardSize; ++x) out << ' ' << entry(*puzzle.BoardCell(x, y));
    out << '\n';
  }
  return out.str();
}

// The script: a dump as the level starts, hints until it is solved (more
// than the ten pieces a tray holds, and one turn for each), a dump, Enter on
// the solved screen (shot), a dump.
std::string HintedScript(const std::filesystem::path& shot) {
  std::string script = "dump\n";
  for (int i = 0; i < 20; ++i) script += "hint\n";
  return script + "dump\nshot " + shot.string() + "\nkey Return\ndump\n";
}

// The pixels of a shot that show the item's picture of the skin, at its place.
std::int32_t ShowsItem(const Surface& shot, std::int32_t item) {
  static const Layout layout = LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value();
  static const Surface skin = LoadBmpFile(QW_SOURCE_DIR "/data/qw_images.dat").value();
  const LayoutItem& it = layout[static_cast<std::size_t>(item)];
  const Rect at = ItemRect(layout, item);
  std::int32_t same = 0;
  for (std::int32_t y = 0; y < it.h; ++y) {
    for (std::int32_t x = 0; x < it.w; ++x)
      same += shot.Pixel(at.left + x, at.top + y) == skin.Pixel(it.srcX + x, it.srcY + y);
  }
  return same;
}

std::string CodeOf(CodedLevel::Kind kind, std::int64_t day, std::uint64_t seed, std::int32_t grade,
                   const LevelRecord& board = {}) {
  return EncodeLevel(CodedLevel{kind, board, day, seed, grade}).value_or("none");
}

// Each way to start a generated level: the daily puzzle of a day, a random
// level of a seed and grade, and a shipped level shared by its code.
TEST(GeneratedPlay, EachStartIsItsLevelSolvedWithHintsAndADailyDayIsKept) {
  ScratchFolder scratch("generated_play");
  const std::optional<GeneratedLevel> daily = GenerateDaily(*ParseDate("2026-12-13"));
  const auto set = GenerateSet(GenerateOptions{1, 4242, 5});
  const auto levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat");
  ASSERT_TRUE(daily && set && set->size() == 1 && levels && levels->size() > 8);
  const std::string shared = CodeOf(CodedLevel::Kind::kBoard, 0, 0, 0, (*levels)[8]);
  const struct {
    std::string args;
    LevelRecord level;
    std::string code;
  } cases[] = {
      {"--daily 2026-12-13", daily->record,
       CodeOf(CodedLevel::Kind::kDaily, DayNumber(*ParseDate("2026-12-13")), 0, 0)},
      {"--random 4242 --grade 5", set->front().record,
       CodeOf(CodedLevel::Kind::kRandom, 0, 4242, 5)},
      {"--level " + shared, (*levels)[8], shared},
  };
  for (const auto& c : cases) {
    const auto run =
        RunGame(QW_GAME_BINARY, c.args + " --progress " + scratch.path().string() + " --script -",
                HintedScript(scratch.path() / "solved.bmp"), scratch.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string& out = run.out;
    const std::size_t second = out.find("mode ", 1);
    const std::size_t third = out.find("mode ", second + 1);
    ASSERT_NE(third, std::string::npos) << out;
    const std::string start = out.substr(0, second), solved = out.substr(second, third - second),
                      chooser = out.substr(third);
    EXPECT_EQ(start.rfind("mode 2\nlevel -2\nlevels 32\n", 0), 0u) << start;
    EXPECT_NE(start.find(StartLines(c.level)), std::string::npos) << start;
    EXPECT_NE(start.find("\ncode " + c.code + "\n"), std::string::npos) << start;
    EXPECT_EQ(solved.rfind("mode 3\nlevel -2\n", 0), 0u) << solved;
    EXPECT_EQ(solved.find("hints 0\n"), std::string::npos) << solved;
    EXPECT_EQ(chooser.rfind("mode 6\n", 0), 0u) << chooser;
    EXPECT_NE(chooser.find("toolbar 0\n"), std::string::npos) << chooser;
    // The solved screen offers Levels where a set's level offers Continue.
    const std::optional<Surface> shot = LoadBmpFile((scratch.path() / "solved.bmp").string());
    ASSERT_TRUE(shot);
    EXPECT_GT(ShowsItem(*shot, kItemLevelsButton), ShowsItem(*shot, kItemContinue));
    // Straight from the solved screen to the chooser: no password, no box.
    EXPECT_EQ(out.find("message: "), std::string::npos) << out;
  }
  EXPECT_NE(ReadAll(scratch.path() / "progress").find("\ndaily 2026-12-13\n"), std::string::npos);
}

}  // namespace
}  // namespace qw
