// The hint engine on the shipped levels and on boards built to need a turn,
// a take-back or more than one take-back.
#include "levels/hint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "data/levels.h"
#include "levels/played_level.h"
#include "levels/random_play.h"
#include "levels/solver.h"

namespace qw {
namespace {

using TrayCells = std::array<Cell, kTraySlots>;
using BoardCells = std::array<Cell, kBoardCells>;

const std::vector<LevelRecord>& ShippedLevels() {
  static const std::vector<LevelRecord> levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat").value();
  return levels;
}

struct HintRun {
  std::int32_t hints = 0;
  bool solved = false;
  std::string trouble;  // what went wrong, or empty
};

// Hints one after the other, each made as the game makes a step and
// followed by the water, until the level is solved or something goes wrong.
HintRun HintUntilSolved(TrayCells tray, BoardCells board, std::int32_t most = 40) {
  HintRun run;
  for (; run.hints < most; ++run.hints) {
    const Hint hint = FindHint(tray, board);
    if (hint.kind == HintKind::kSolved) {
      run.solved = BoardWater(board) == WaterState::kSolved;
      if (!run.solved) run.trouble = "solved reported on an unsolved board";
      return run;
    }
    if (!ApplyHint(hint, tray, board)) {
      run.trouble = "hint " + std::to_string(static_cast<int>(hint.kind)) + " does not apply";
      return run;
    }
    if (BoardWater(board) == WaterState::kFailed) {
      run.trouble = "hint " + std::to_string(run.hints + 1) + " sends the water into a hazard";
      return run;
    }
  }
  run.trouble = "no end after " + std::to_string(most) + " hints";
  return run;
}

TEST(Hint, EveryShippedLevelFromItsStartInItsFewestPieces) {
  const auto& levels = ShippedLevels();
  ASSERT_GE(levels.size(), 30u);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const PlayedLevel played(levels[i]);
    const SolveReport fewest = SolveFewest(levels[i]);
    ASSERT_EQ(fewest.outcome, SolveOutcome::kSolved);
    const HintRun run = HintUntilSolved(played.puzzle.tray, played.puzzle.board);
    EXPECT_TRUE(run.solved) << "level " << i + 1 << ": " << run.trouble;
    EXPECT_EQ(run.hints, static_cast<std::int32_t>(fewest.solution.size())) << "level " << i + 1;
  }
}

// Boards with pieces put where they happen to fall, so that most need turns
// and take-backs: repeated hints solve every one, never touching a hazard.
TEST(Hint, RandomBoardsOfEveryShippedLevelAreSolved) {
  std::mt19937 rng(20261206);
  constexpr int kBoardsPerLevel = 6;
  const auto& levels = ShippedLevels();
  std::int32_t withPieces = 0;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    for (int b = 0; b < kBoardsPerLevel; ++b) {
      PlayedLevel played(levels[i]);
      TrayCells tray = played.puzzle.tray;
      BoardCells board = played.puzzle.board;
      RandomMoves(rng, tray, board, 4 + 6 * b);
      withPieces += std::any_of(board.begin(), board.end(), [](const Cell& c) { return IsPipePiece(c); }) ? 1 : 0;
      const HintRun run = HintUntilSolved(tray, board);
      EXPECT_TRUE(run.solved) << "level " << i + 1 << " board " << b << ": " << run.trouble;
    }
  }
  EXPECT_GT(withPieces, static_cast<std::int32_t>(levels.size()) * kBoardsPerLevel * 3 / 4);
}

}  // namespace
}  // namespace qw
