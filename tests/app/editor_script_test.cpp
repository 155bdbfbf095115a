// The level editor driven through script mode: each step's edits and the
// dump that follows them, with the verdict the editor shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

struct EditorStep {
  const char* commands;
  std::vector<std::string> lines;  // each found in the dump after the commands
};

TEST(EditorScript, EditsUndoAndTheirVerdicts) {
  const std::vector<EditorStep> steps = {
      {"editor", {"mode 7", "row0 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1", "verdict No nozzle yet"}},
      {"place nozzle 0 0 2", {"row0 24:2 -1 -1", "verdict No fire yet"}},
      {"place fire 3 2\ncount elbows 1",
       {"tray 0:0 -1 -1", "row2 -1 -1 -1 32:0 -1",
        "verdict Solvable: 1 piece, 1 solution, grade 1"}},
      {"place wall 3 0", {"row0 24:2 -1 -1 35:0 -1", "verdict No solution"}},
      {"undo", {"row0 24:2 -1 -1 -1 -1", "verdict Solvable: 1 piece, 1 solution, grade 1"}},
      {"redo\ncount elbows 3", {"tray 0:0 0:0 0:0 -1", "verdict 54 solutions \u2014 not unique"}},
      // Refused: the level has its nozzle. The turn is made.
      {"place nozzle 5 5 0\nrotate-cw", {"row0 24:3 -1", "verdict No solution"}},
      {"remove 0 0\nundo\nundo", {"row0 24:2 -1", "verdict 54 solutions \u2014 not unique"}},
  };
  std::string script;
  for (const EditorStep& step : steps) script += std::string(step.commands) + "\ndump\n";
  ScratchFolder scratch("editor_script");
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
}

}  // namespace
}  // namespace qw
