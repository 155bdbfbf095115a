// The level editor driven through script mode: each step's edits and the
// dump that follows them, with the verdict the editor shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/layout.h"
#include "data/layout_items.h"
#include "platform/bitmap.h"
#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

struct EditorStep {
  const char* commands;
  std::vector<std::string> lines;  // each found in the dump after the commands
};

Layout GameLayout() { return LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value(); }

std::string Shot(const ScratchFolder& scratch, std::size_t step) {
  return (scratch.path() / ("step" + std::to_string(step) + ".bmp")).string();
}

// The pixels of an item's place in a shot.
std::vector<std::uint32_t> Pixels(const std::string& shot, std::int32_t item) {
  const std::optional<Surface> s = LoadBmpFile(shot);
  const Rect r = ItemRect(GameLayout(), item);
  std::vector<std::uint32_t> pixels;
  for (std::int32_t y = r.top; s && y < r.bottom; ++y) {
    for (std::int32_t x = r.left; x < r.right; ++x) pixels.push_back(s->Pixel(x, y));
  }
  return pixels;
}

TEST(EditorScript, EditsUndoAndTheirVerdicts) {
  const std::vector<EditorStep> steps = {
      // Test play is refused without a nozzle or a fire.
      {"editor\nkey T",
       {"bar: Place a nozzle to test play", "mode 7", "row0 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1",
        "verdict No nozzle yet"}},
      {"place nozzle 0 0 2\nkey T",
       {"bar: Place a fire to test play", "mode 7", "row0 24:2 -1 -1", "verdict No fire yet"}},
      {"place fire 3 2\ncount elbows 1",
       {"tray 0:0 -1 -1", "row2 -1 -1 -1 32:0 -1",
        "verdict Solvable: 1 piece, 1 solution, grade 1"}},
      {"place wall 3 0", {"row0 24:2 -1 -1 35:0 -1", "verdict No solution"}},
      {"undo", {"row0 24:2 -1 -1 -1 -1", "verdict Solvable: 1 piece, 1 solution, grade 1"}},
      {"redo\ncount elbows 3", {"tray 0:0 0:0 0:0 -1", "verdict 54 solutions \u2014 not unique"}},
      // Refused: the level has its nozzle. The turn is made.
      {"place nozzle 5 5 0\nrotate-cw", {"row0 24:3 -1", "verdict No solution"}},
      {"remove 0 0\nundo\nundo", {"row0 24:2 -1", "verdict 54 solutions \u2014 not unique"}},
      // A wall drag whose one move leaps the row's cells between.
      {"key 4\ndown 13 202\nmove 202 202\nup 202 202",
       {"row9 35:0 35:0 35:0 35:0 35:0 35:0 35:0 35:0 35:0 35:0"}},
  };
  ScratchFolder scratch("editor_script");
  std::string script;
  for (std::size_t i = 0; i < steps.size(); ++i)
    script += std::string(steps[i].commands) + "\nshot " + Shot(scratch, i) + "\ndump\n";
  const auto run = RunGame(QW_GAME_BINARY, "--script -", script, scratch.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("bar: A level has one nozzle, and it stands at cell 0\n"),
            std::string::npos)
      << run.out;
  std::size_t at = 0;
  for (const EditorStep& step : steps) {
    const std::size_t verdict = run.out.find("\nverdict ", at);
    ASSERT_NE(verdict, std::string::npos) << step.commands;
    const std::size_t end = run.out.find('\n', verdict + 1) + 1;
    const std::string dump = run.out.substr(at, end - at);
    for (const std::string& line : step.lines)
      EXPECT_NE(dump.find(line), std::string::npos) << step.commands << "\n" << dump;
    at = end;
  }
  // Undo and Redo fade while there is nothing to take back or make again.
  EXPECT_NE(Pixels(Shot(scratch, 0), kItemEditorUndo), Pixels(Shot(scratch, 1), kItemEditorUndo));
  EXPECT_NE(Pixels(Shot(scratch, 4), kItemEditorRedo), Pixels(Shot(scratch, 5), kItemEditorRedo));
}

// The lines of the last dump from `tray` to the row lines' end, and its verdict.
std::string Level(const std::string& out) {
  const std::size_t tray = out.rfind("\ntray ");
  const std::size_t verdict = out.rfind("\nverdict ");
  if (tray == std::string::npos || verdict == std::string::npos) return "no editor dump:\n" + out;
  return out.substr(tray, out.find("\nhistory", tray) - tray) +
         out.substr(verdict, out.find('\n', verdict + 1) - verdict);
}

std::string Tap(std::int32_t item) {
  const Rect r = ItemRect(GameLayout(), item);
  return "tap " + std::to_string((r.left + r.right) / 2) + " " +
         std::to_string((r.top + r.bottom) / 2) + "\n";
}

// Title key k (of the letters, space, rub out, leave and keep) tapped.
std::string TapTitleKey(std::int32_t k) {
  const Rect r = ItemRect(GameLayout(), kItemEditorTitleKey);
  return "tap " + std::to_string(r.left + k % kTitleKeyColumns * kTitleKeyPitch + 5) + " " +
         std::to_string(r.top + k / kTitleKeyColumns * kTitleKeyPitch + 5) + "\n";
}

// Saved, the level is the chooser's last entry after a restart; shared, its
// code opens it in the editor as it was.
TEST(EditorScript, ASavedLevelOutlivesARestartAndItsCodeReopensIt) {
  ScratchFolder scratch("editor_save");
  const std::string progress = "--progress " + scratch.path().string() + " --script -";
  const auto made =
      RunGame(QW_GAME_BINARY, progress,
              "editor\nplace nozzle 0 0 2\nplace fire 3 2\nplace wall 6 6\ncount "
              "elbows 1\n" +
                  Tap(kItemEditorTitle) + TapTitleKey(26) + TapTitleKey(7) + TapTitleKey(8) +
                  TapTitleKey(29) + Tap(kItemEditorSave) + Tap(kItemEditorShare) + "dump\n",
              scratch.path());
  ASSERT_NE(made.out.find("bar: Saved in My levels\n"), std::string::npos) << made.out;
  // Its title typed with the pen.
  EXPECT_NE(testing::ReadAll(scratch.path() / "my_levels.dat").find("My level Hi"),
            std::string::npos);
  const std::size_t clip = made.out.rfind("\nclipboard ") + 11;
  const std::string code = made.out.substr(clip, made.out.find('\n', clip) - clip);
  // Levels, then Right past the last page and Up: the entry before Create level.
  std::string open = "tap 68 67\n";
  for (int i = 0; i < 5; ++i) open += "key Right\n";
  const auto reopened =
      RunGame(QW_GAME_BINARY, progress, open + "key Up\nkey Return\ndump\n", scratch.path());
  EXPECT_EQ(Level(reopened.out), Level(made.out));
  const auto shared =
      RunGame(QW_GAME_BINARY, "--script -", "editor " + code + "\ndump\n", scratch.path());
  EXPECT_EQ(Level(shared.out), Level(made.out));
}

}  // namespace
}  // namespace qw
