// Progress through the real binary in script mode with --progress: a solved
// level and a level in play outlive the process, Continue brings the level
// back with its history. (A folder that cannot be written is told once in
// the command bar: the browser test sees that on the same game loop.)
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/run_game.h"

namespace qw {
namespace {

using testing::GameRun;
using testing::RunGame;
using testing::ScratchFolder;

// Taps on the shipped layout: the menu's New game, Levels and Continue; a
// tray slot and board cells.
constexpr const char* kNewGame = "tap 120 121\n";
constexpr const char* kLevels = "tap 68 67\n";
constexpr const char* kContinue = "tap 172 67\n";
// The first level's one piece: slot 0 to row 6, column 2, turned twice back.
constexpr const char* kSolveFirst = "drag 25 30 67 188\nrotate-ccw\nrotate-ccw\n";

// The value of the last `name ...` line of a run's output.
std::string Last(const std::string& out, const std::string& name) {
  std::istringstream in(out);
  std::string found;
  for (std::string line; std::getline(in, line);) {
    if (line == name || line.rfind(name + " ", 0) == 0) found = line;
  }
  return found;
}

class ScriptProgress : public ::testing::Test {
 protected:
  GameRun Play(const std::string& script) const {
    return RunGame(QW_GAME_BINARY, "--script - --progress " + folder.string(), script,
                   scratch.path());
  }
  ScratchFolder scratch{"script-progress"};
  std::filesystem::path folder = scratch.path() / "progress";
};

TEST_F(ScriptProgress, ASolvedLevelAndTheLevelInPlayOutliveTheGame) {
  // Solve the first level, then start the second from the chooser (its
  // eighth row, after the daily puzzle and the random levels) and make two
  // steps, the last undone.
  GameRun first = Play(std::string(kNewGame) + kSolveFirst + "dump\nok\n" + kLevels +
                       "tap 100 180\ndrag 25 30 67 188\ndrag 46 30 88 188\nundo\ndump\n");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Last(first.out, "solved"), "solved 0");
  EXPECT_EQ(Last(first.out, "inplay"), "inplay 1");
  EXPECT_EQ(Last(first.out, "history"), "history 1 1");
  const std::string tray = Last(first.out, "tray");
  const std::string row6 = Last(first.out, "row6");

  // A new game: the menu offers Continue, which brings the level back as
  // it was; undo then takes back the step made before the game closed.
  GameRun second = Play("dump\n" + std::string(kContinue) + "dump\nkey ctrl+Z\ndump\n");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("solved 0\ninplay 1\n"), std::string::npos) << second.out;
  EXPECT_EQ(second.out.rfind("mode 0\n", 0), 0u) << "the game starts on the menu";
  const std::size_t afterContinue = second.out.find("mode 2");
  ASSERT_NE(afterContinue, std::string::npos) << second.out;
  const std::string continued =
      second.out.substr(afterContinue, second.out.rfind("mode 2") - afterContinue);
  EXPECT_EQ(Last(continued, "level"), "level 1");
  EXPECT_EQ(Last(continued, "tray"), tray);
  EXPECT_EQ(Last(continued, "row6"), row6);
  EXPECT_EQ(Last(continued, "history"), "history 1 1");
  EXPECT_EQ(Last(second.out, "history"), "history 0 2");
  EXPECT_EQ(Last(second.out, "tray"), "tray 0:0 0:0 -1 -1 -1 -1 -1 -1 -1 -1");
}

}  // namespace
}  // namespace qw
