// The hint engine on the shipped levels and on boards built to need a turn,
// a take-back or more than one take-back.
#include "solver/hint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/make_level.h"
#include "data/levels.h"
#include "solver/played_level.h"
#include "levelgen/elements.h"
#include "levelgen/generator.h"
#include "levels/random_play.h"
#include "platform/utf8.h"
#include "solver/search_board.h"
#include "solver/solver.h"

namespace qw {
namespace {

const std::vector<LevelRecord>& ShippedLevels() {
  static const std::vector<LevelRecord> levels =
      LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat").value();
  return levels;
}

struct HintRun {
  std::int32_t hints = 0;
  bool solved = false;
  std::string trouble;  // what went wrong, or empty
};

// Hints one after the other, each made as the game makes a step and
// followed by the water, until the level is solved or something goes wrong.
HintRun HintUntilSolved(Puzzle& puzzle, const LevelHints* level = nullptr, std::int32_t most = 40) {
  HintRun run;
  for (; run.hints < most; ++run.hints) {
    const Hint hint = level != nullptr ? level->Next(puzzle.tray(), puzzle.board())
                                       : FindHint(puzzle.tray(), puzzle.board());
    if (hint.kind == Hint::Kind::kSolved) {
      run.solved = puzzle.GetOutcome() == Outcome::kSolved;
      if (!run.solved) run.trouble = "solved reported on an unsolved board";
      return run;
    }
    if (hint.kind != Hint::Kind::kStep || !hint.step.hint || !puzzle.Apply(hint.step)) {
      run.trouble = "hint " + std::to_string(static_cast<int>(hint.kind)) + " does not apply";
      return run;
    }
    if (puzzle.GetOutcome() == Outcome::kFailed) {
      run.trouble = "hint " + std::to_string(run.hints + 1) + " sends the water into a hazard";
      return run;
    }
  }
  run.trouble = "no end after " + std::to_string(most) + " hints";
  return run;
}

// Water runs south from cell 5 down column 5. An elbow at (5, 5) in
// rotation 6 turns it east to the fire at (7, 5); in rotation 4 it turns it
// west into the hazard at (3, 5). The tray holds that one elbow. Walls at
// (4, 3) and (6, 3) leave an elbow at (5, 3) no way on.
LevelRecord OneElbowLevel() { return testing::MakeLevel(1, 0, 0, 5, 4, L"57", L"53", L"34,36"); }

// The level with its elbow moved from the tray to cell (x, y) in a rotation.
void PutElbow(PlayedLevel& played, Position at, std::int32_t rotation) {
  ASSERT_TRUE(played.puzzle.Apply(Step::Move(Position{0, -1}, at, rotation)));
}

// The search from a board in play counts what the way to its best solution
// takes: pieces taken back, turned and placed.
TEST(Hint, SearchCountsTakeBacksTurnsAndPlacements) {
  auto count = [](Position elbow, std::int32_t rotation) {
    PlayedLevel played(OneElbowLevel());
    if (elbow != kNoPosition) PutElbow(played, elbow, rotation);
    SolveOptions options;
    options.fewestSteps = true;
    options.takeBackBudget = 1;
    options.turnBudget = 1;
    const SolveReport report =
        SolveFrom(SearchBoard(played.puzzle.board(), played.puzzle.tray()), options);
    EXPECT_EQ(report.outcome, SolveOutcome::kSolved);
    return StepCount{report.takeBacks, report.turns,
                     static_cast<std::int32_t>(report.solution.size())};
  };
  EXPECT_EQ(count(kNoPosition, 0), (StepCount{0, 0, 1}));
  EXPECT_EQ(count(Position{5, 5}, 6), (StepCount{0, 0, 0}));
  EXPECT_EQ(count(Position{5, 5}, 3), (StepCount{0, 1, 0}));
  EXPECT_EQ(count(Position{5, 3}, 3), (StepCount{1, 0, 1}));
  EXPECT_EQ(count(Position{0, 9}, 0), (StepCount{1, 0, 1}));
}

Step Hinted(Step step) {
  step.hint = true;
  return step;
}

// From a board of the one-elbow level (more elbows or other hazards as the
// row says, one step made first): the first hint, and how many hints solve it.
TEST(Hint, FirstHintAndHintsToTheEnd) {
  const Position tray0{0, -1}, tray1{1, -1}, tray2{2, -1}, at{5, 5}, blocking{5, 3};
  struct Row {
    const char* what;
    std::int32_t elbows;
    const wchar_t* hazards;
    Step before, hint;
    std::int32_t hints;  // 0: not played on
  } rows[] = {
      {"turned 3: the short way passes the hazard, so the long way", 1, L"53",
       Step::Move(tray0, at, 3), Step::Turn(at, false, 5), 1},
      {"turned 0: the short way is safe", 1, L"53", Step::Move(tray0, at, 0),
       Step::Turn(at, false, 2), 1},
      {"no hazard: the short way, clockwise", 1, L"", Step::Move(tray0, at, 4),
       Step::Turn(at, true, 2), 1},
      {"in the water's way: back to the tray", 1, L"53", Step::Move(tray0, blocking, 3),
       Step::Move(blocking, tray0), 2},
      {"where the water never goes, the tray empty", 1, L"53", Step::Move(tray0, Position{0, 9}, 0),
       Step::Move(Position{0, 9}, tray0), 2},
      {"a take-back first would lose: the tray's elbow placed first", 2, L"53,75",
       Step::Move(tray1, blocking, 3), Step::Move(tray0, at, 6), 2},
      {"the tray piece already turned the way needed", 3, L"53", Step::Turn(tray2, true, 6),
       Step::Move(tray2, at), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    LevelRecord level = OneElbowLevel();
    level.elbowCount = row.elbows;
    level.hazardCells = row.hazards;
    PlayedLevel played(level);
    ASSERT_TRUE(played.puzzle.Apply(row.before));
    const Hint hint = FindHint(played.puzzle.tray(), played.puzzle.board());
    EXPECT_EQ(hint.kind, Hint::Kind::kStep);
    EXPECT_EQ(hint.step.from, row.hint.from);
    EXPECT_EQ(hint.step.to, row.hint.to);
    if (!row.hints) continue;
    EXPECT_EQ(hint.step, Hinted(row.hint));
    const HintRun run = HintUntilSolved(played.puzzle);
    EXPECT_TRUE(run.solved) << run.trouble;
    EXPECT_EQ(run.hints, row.hints);
  }
}

TEST(Hint, SaysWhenThereIsNothingToFindOrTheLimitIsReached) {
  PlayedLevel played(OneElbowLevel());
  EXPECT_EQ(FindHint(played.puzzle.tray(), played.puzzle.board()).kind, Hint::Kind::kStep);
  HintOptions tight;
  tight.nodeLimit = 1;
  EXPECT_EQ(FindHint(played.puzzle.tray(), played.puzzle.board(), tight).kind,
            Hint::Kind::kLimitReached);
  // The level's own solution answers where the search stops.
  const LevelHints known(OneElbowLevel(), tight);
  ASSERT_EQ(known.Fewest().size(), 1u);
  const Hint hint = known.Next(played.puzzle.tray(), played.puzzle.board());
  EXPECT_EQ(hint.step, Hinted(Step::Move(Position{0, -1}, Position{5, 5}, 6)));
  // Without the elbow nothing leads the water to the fire.
  LevelRecord noElbow = OneElbowLevel();
  noElbow.elbowCount = 0;
  PlayedLevel empty(noElbow);
  EXPECT_EQ(FindHint(empty.puzzle.tray(), empty.puzzle.board()).kind, Hint::Kind::kNotFound);
}

// Boards with pieces put where they happen to fall, so that most need turns
// and take-backs: repeated hints solve every one, never touching a hazard.
TEST(Hint, RandomBoardsOfEveryShippedLevelAreSolved) {
  std::mt19937 rng(20261206);
  constexpr int kBoardsPerLevel = 6;
  const auto& levels = ShippedLevels();
  std::int32_t withPieces = 0;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const LevelHints hints(levels[i]);
    for (int b = 0; b < kBoardsPerLevel; ++b) {
      PlayedLevel played(levels[i]);
      RandomMoves(rng, played.puzzle, 4 + 6 * b);
      const Board& board = played.puzzle.board();
      withPieces +=
          std::any_of(board.begin(), board.end(), [](const Cell& c) { return IsPipePiece(c); }) ? 1
                                                                                                : 0;
      const HintRun run = HintUntilSolved(played.puzzle, &hints);
      EXPECT_TRUE(run.solved) << "level " << i + 1 << " board " << b << ": " << run.trouble;
    }
  }
  EXPECT_GT(withPieces, static_cast<std::int32_t>(levels.size()) * kBoardsPerLevel * 3 / 4);
}

// From a level's start the first hint places the piece the water meets
// first, whenever placing the pieces in the water's order never lets it
// touch a hazard: on the shipped levels and on generated ones.
TEST(Hint, FromTheStartTheWaterMeetsTheHintedPieceFirst) {
  std::vector<LevelRecord> levels = ShippedLevels();
  for (std::uint64_t seed = 0; seed < 12; ++seed)
    levels.push_back(GenerateLevel(seed, 1 + seed % 3, {})->record);
  std::int32_t inOrder = 0;
  for (const LevelRecord& level : levels) {
    const LevelHints hints(level);
    const Solution ordered = InWaterOrder(level, hints.Fewest().back());
    PlayedLevel played(level);
    Board board = played.puzzle.board();
    bool safe = true;
    for (const Placement& p : ordered) {
      const Position at = CellNumberPosition(p.cell);
      board[static_cast<std::size_t>(BoardIndex(at.x, at.y))] = Cell{p.kind, p.rotation};
      safe = safe && OutcomeOf(TraceWater(board)) != Outcome::kFailed;
    }
    if (!safe || ordered.empty()) continue;
    ++inOrder;
    const Hint hint = hints.Next(played.puzzle.tray(), played.puzzle.board());
    EXPECT_TRUE(IsTraySlot(hint.step.from));
    EXPECT_EQ(hint.step.to, CellNumberPosition(ordered.front().cell)) << ToUtf8(level.title);
  }
  EXPECT_GT(inOrder, 20);
}

}  // namespace
}  // namespace qw
