// The headless script mode's contract, on the real binary with the shipped
// data files.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

const std::string kGame = QW_GAME_BINARY;

TEST(ScriptMode, AnUnknownKeyIsReportedAndFails) {
  ScratchFolder scratch("keys");
  const auto bad = RunGame(kGame, "--script -", "key ctrl+Nothing\n", scratch.path());
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("unknown key 'ctrl+Nothing'"), std::string::npos) << bad.err;
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
