// The headless script mode's contract, on the real binary with the shipped
// data files.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/layout.h"
#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

const std::string kGame = QW_GAME_BINARY;

std::string Centre(const Layout& layout, std::int32_t item) {
  const Rect r = ItemRect(layout, item);
  return std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2);
}

Layout ShippedLayout() { return LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value(); }

TEST(ScriptMode, AnUnknownKeyIsReportedAndFails) {
  ScratchFolder scratch("keys");
  const auto bad = RunGame(kGame, "--script -", "key ctrl+Nothing\n", scratch.path());
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("unknown key 'ctrl+Nothing'"), std::string::npos) << bad.err;
}

// The last dump's tooltip line.
std::string Tooltip(const std::string& out) {
  const std::size_t at = out.rfind("\ntooltip");
  return at == std::string::npos ? "" : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

// The pen over the bar's second button shows its tooltip once the delay has
// passed on the script's clock, and moving off it hides it, as in the window.
TEST(ScriptMode, TooltipsShowAfterTheirDelayOnTheScriptsClock) {
  ScratchFolder scratch("tooltip");
  const std::string start = "tap " + Centre(ShippedLayout(), 3) + "\nmove 38 282\nwait 499\ndump\n";
  EXPECT_EQ(Tooltip(RunGame(kGame, "--script -", start, scratch.path()).out), "tooltip");
  const auto run = RunGame(kGame, "--script -", start + "wait 1\ndump\n", scratch.path());
  EXPECT_EQ(Tooltip(run.out), "tooltip Rotate Clockwise") << run.out;
  EXPECT_EQ(
      Tooltip(
          RunGame(kGame, "--script -", start + "wait 1\nmove 100 100\ndump\n", scratch.path()).out),
      "tooltip");
}

TEST(ScriptMode, ToolbarCommandsAreIgnoredWhileItIsHidden) {
  ScratchFolder scratch("hidden");
  const auto run = RunGame(kGame, "--script -", "password\nrestart\ndump\n", scratch.path());
  EXPECT_TRUE(run.out.starts_with("mode 0\n")) << run.out;
}

TEST(ScriptMode, EndsWithClosedOrReportsTheBadLine) {
  ScratchFolder scratch("end");
  auto run = RunGame(kGame, "--script -", "# comment\n\ndump\nok\ndump\n", scratch.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.ends_with("closed\n"));
  EXPECT_EQ(run.out.find("mode 0"), run.out.rfind("mode 0"));  // nothing runs after closing

  run = RunGame(kGame, "--script -", "dump\n\njump 3 4\n", scratch.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
  run = RunGame(kGame, "--script -", "tap 3\n", scratch.path());
  EXPECT_EQ(run.status, 2);
}

TEST(ScriptMode, MissingDataFilesAreReportedInOrderAndFail) {
  ScratchFolder scratch("missing");
  const auto copy = scratch.path() / "quenchway";
  std::filesystem::copy_file(kGame, copy);
  std::filesystem::create_directories(scratch.path() / "data");
  const auto run = RunGame(copy.string(), "--script -", "dump\n", scratch.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "message: Could not load image.\\r\\nExiting...\n"
            "message: Could not load layout.\\r\\nExiting...\n"
            "message: Could not load levels.\\r\\nExiting...\n");
  EXPECT_NE(run.err.find("Could not load levels."), std::string::npos);
}

TEST(CommandLine, HelpVersionAndBadOptions) {
  ScratchFolder scratch("options");
  EXPECT_EQ(RunGame(kGame, "--help", "", scratch.path()).status, 0);
  EXPECT_TRUE(RunGame(kGame, "--version", "", scratch.path()).out.starts_with("quenchway "));
  EXPECT_EQ(RunGame(kGame, "--scale 0", "", scratch.path()).status, 2);
  EXPECT_EQ(RunGame(kGame, "--bogus", "", scratch.path()).status, 2);
  // A mistyped level code (a daily puzzle's, its last character changed): its
  // reason, and no game.
  const auto code = RunGame(kGame, "--level 1818M0PNJY --script -", "dump\n", scratch.path());
  EXPECT_EQ(code.status, 2);
  EXPECT_EQ(code.out, "");
  EXPECT_NE(code.err.find("--level: the code is mistyped or altered"), std::string::npos)
      << code.err;
  // Without a display the window cannot open: one line that names --script.
  const auto run = RunGame("env -u DISPLAY -u WAYLAND_DISPLAY " + kGame, "", "", scratch.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("--script"), std::string::npos);
}

}  // namespace
}  // namespace qw
