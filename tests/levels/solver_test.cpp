#include <gtest/gtest.h>

#include <random>

#include "common/make_level.h"
#include "solver/played_level.h"
#include "solver/solver.h"
#include "model/water.h"

namespace qw {
namespace {

using testing::MakeLevel;

SolveReport Count(const LevelRecord& level, std::int64_t cap = 100000) {
  SolveOptions options;
  options.countAll = true;
  options.solutionCap = cap;
  return SolveLevel(level, options);
}

// The flow ends because no cell sends two arriving directions out the same
// way; the solver's search relies on the same rule.
TEST(WaterExits, NoTwoArrivalsLeaveAlike) {
  for (PieceKind kind : {KIND_EMPTY, KIND_ELBOW, KIND_BEND, KIND_SPLITTER, KIND_FIRE}) {
    for (std::int32_t r = 0; r < 8; ++r) {
      std::array<int, 8> leaving{};
      for (std::int32_t d = 0; d < 8; ++d) {
        const WaterPassage p = WaterExits(Cell{kind, r}, d);
        for (std::int32_t i = 0; i < p.exitCount; ++i)
          ++leaving[static_cast<std::size_t>(p.exits[i])];
      }
      for (int n : leaving) EXPECT_LE(n, 1) << "kind " << KindCode(kind) << " rotation " << r;
    }
  }
}

// Outcomes, and the fewest pieces of each solvable level, which the check
// confirms by playing them.
TEST(Solver, OutcomesAndFewestPieces) {
  constexpr auto kSolved = SolveOutcome::kSolved, kNone = SolveOutcome::kUnsolvable;
  const struct {
    LevelRecord level;
    SolveOutcome outcome;
    std::size_t fewest;
  } cases[] = {
      // The worked example needs both elbows; one is not enough.
      {MakeLevel(2, 1, 0, 0, 2, L"45", L"", L"3,13,23"), kSolved, 2},
      {MakeLevel(1, 0, 0, 0, 2, L"45", L"", L"3,13,23"), kNone, 0},
      {MakeLevel(0, 0, 0, 0, 3, L"11,22,99"), kSolved, 0},  // straight water needs no piece
      // Failing beats solving: every fire lies on the run to the hazard, or
      // there is no fire but the water must still be kept from the hazard.
      {MakeLevel(0, 0, 0, 0, 2, L"1,2", L"5"), kNone, 0},
      {MakeLevel(0, 0, 0, 0, 2, L"", L"5"), kNone, 0},
      {MakeLevel(1, 0, 0, 0, 2, L"", L"5"), kSolved, 1},
      // Eleven pieces (the game keeps ten), cells off the board, a wall over
      // a fire and a rotation of 10 (read as 2): the level the game builds,
      // where an elbow turns the water down to 45.
      {MakeLevel(11, 0, 0, 0, 10, L"45,200,7", L"-3", L"7"), kSolved, 1},
      // Crossing a fire twice takes the whole tray (see the count below).
      {MakeLevel(3, 0, 0, 42, 2, L"43,83", L"52,62,72,82,54,64,74,84"), kSolved, 3},
      {MakeLevel(2, 0, 0, 42, 2, L"43,83", L"52,62,72,82,54,64,74,84"), kNone, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    const SolveReport first = SolveLevel(c.level), fewest = SolveFewest(c.level);
    EXPECT_EQ(first.outcome, c.outcome) << "case " << i;
    EXPECT_EQ(fewest.outcome, c.outcome) << "case " << i;
    if (c.outcome != kSolved) continue;
    EXPECT_TRUE(VerifySolution(c.level, first.solution));
    EXPECT_TRUE(VerifySolution(c.level, fewest.solution));
    EXPECT_EQ(fewest.solution.size(), c.fewest) << "case " << i;
  }
}

// Counts of every solution, each confirmed by playing the one reported:
// - the source faces the hazard; only a piece that stops the water, and
//   takes none of it anywhere, saves the level: a splitter at cell 2 whose
//   stem does not face the water (its arms would lead to the hazard at 92);
// - a piece met twice: the splitter at 44 must send water south to the fire
//   at 64 and north to 24, from a source west of it;
// - every solution runs through the same fire twice. The source at 42 faces
//   the fire at 43; the fire at 83 is walled in by hazards left and right,
//   so water reaches it only down column 3 through 43 again (three elbows:
//   up, back west along a row 0..3, down; 6 columns x 4 rows = 24 ways) or
//   up column 3 from row 9 (down one of columns 5..9, west along row 9, up:
//   5 ways). All three elbows are needed: two turn no stream round;
// - fire 55 inside a ring of walls: cut by the bound before any search.
TEST(Solver, CountsEverySolution) {
  const struct {
    LevelRecord level;
    SolveOutcome outcome;
    std::int64_t solutions;
  } cases[] = {
      {MakeLevel(0, 0, 1, 0, 2, L"1", L"3,92"), SolveOutcome::kSolved, 1},
      {MakeLevel(0, 0, 1, 40, 2, L"24,64", L"", L""), SolveOutcome::kSolved, 1},
      {MakeLevel(3, 0, 0, 42, 2, L"43,83", L"52,62,72,82,54,64,74,84"), SolveOutcome::kSolved, 29},
      {MakeLevel(4, 3, 3, 0, 2, L"55", L"", L"44,45,46,54,56,64,65,66"), SolveOutcome::kUnsolvable,
       0},
  };
  for (const auto& c : cases) {
    const SolveReport report = Count(c.level);
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.solutions, c.solutions);
    if (c.outcome == SolveOutcome::kSolved) {
      EXPECT_TRUE(VerifySolution(c.level, report.solution));
      for (const Placement& p : report.solution) EXPECT_NE(p.rotations, 0);
    } else {
      EXPECT_LE(report.nodes, 1);
    }
  }
  // The blocking splitter turns every way but the one taking the water.
  const SolveReport blocking = Count(cases[0].level);
  ASSERT_EQ(blocking.solution.size(), 1u);
  EXPECT_EQ(blocking.solution[0], (Placement{KIND_SPLITTER, 2, 0, 0xff & ~(1 << 2)}));
}

TEST(Solver, GivesUpAtTheNodeLimitAndCapsCounts) {
  const LevelRecord level = MakeLevel(3, 3, 3, 0, 3, L"9,90", L"99");
  SolveOptions options;
  options.nodeLimit = 3;
  options.countAll = true;
  EXPECT_EQ(SolveLevel(level, options).outcome, SolveOutcome::kGaveUp);
  const SolveReport capped = Count(level, 5);
  EXPECT_EQ(capped.solutions, 5);
  EXPECT_TRUE(capped.capped);
}

TEST(Solver, VerifyRefusesWhatTheTrayOrBoardCannotHold) {
  const LevelRecord level = MakeLevel(1, 0, 0, 0, 2, L"45");
  EXPECT_FALSE(VerifySolution(level, {Placement{KIND_BEND, 5, 0, 1}}));     // no bend in the tray
  EXPECT_FALSE(VerifySolution(level, {Placement{KIND_ELBOW, 45, 0, 1}}));   // the fire's cell
  EXPECT_FALSE(VerifySolution(level, {Placement{KIND_ELBOW, 100, 0, 1}}));  // off the board
  EXPECT_EQ(SolutionText({Placement{KIND_ELBOW, 45, 2, 4}, Placement{KIND_SPLITTER, 12, 0, 1}}),
            "elbow@45/r2 splitter@12/r0");
}

// The cells the water enters.
std::vector<Position> WetCells(const WaterTrace& water) {
  std::vector<Position> cells;
  for (const WaterStep& step : water.steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    if (IsBoardCell(next)) cells.push_back(next);
  }
  return cells;
}

// Tries every cell and rotation for the tray's pieces, one after the other;
// a piece after the first only where the water runs (elsewhere it would
// change nothing).
bool BruteForce(Board& board, const std::vector<PieceKind>& tray, std::size_t next) {
  const WaterTrace water = TraceWater(board);
  if (!water.reachesHazard && !water.fireBurning) return true;
  if (next == tray.size()) return false;
  std::vector<Position> cells = WetCells(water);
  if (next == 0) {
    cells.clear();
    for (std::int32_t x = 0; x < kBoardSize; ++x) {
      for (std::int32_t y = 0; y < kBoardSize; ++y) cells.push_back(Position{x, y});
    }
  }
  for (const Position& p : cells) {
    Cell& cell = board[static_cast<std::size_t>(BoardIndex(p.x, p.y))];
    if (cell.kind != KIND_EMPTY) continue;
    for (std::int32_t r = 0; r < 8; ++r) {
      cell = Cell{tray[next], r};
      const bool found = BruteForce(board, tray, next + 1);
      cell = Cell{KIND_EMPTY, 0};
      if (found) return true;
    }
  }
  return false;
}

// Small random levels against every placement of one or two pieces: the
// solver finds a solution exactly when brute force does.
TEST(Solver, AgreesWithBruteForce) {
  std::mt19937 rng(20261206);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::array<PieceKind, 3> kinds{KIND_ELBOW, KIND_BEND, KIND_SPLITTER};
  int solvable = 0;
  constexpr int kRounds = 60;
  for (int round = 0; round < kRounds; ++round) {
    std::array<std::int32_t, 3> counts{};
    const int pieces = pick(1, 2);
    for (int i = 0; i < pieces; ++i) ++counts[static_cast<std::size_t>(pick(0, 2))];
    auto cells = [&](int n) {
      std::wstring list;
      for (int i = 0; i < n; ++i)
        list += (list.empty() ? L"" : L",") + std::to_wstring(pick(0, 99));
      return list;
    };
    const LevelRecord level = MakeLevel(counts[0], counts[1], counts[2], pick(0, 99), pick(0, 7),
                                        cells(pick(1, 2)), cells(pick(0, 3)), cells(pick(0, 4)));
    PlayedLevel played(level);
    std::vector<PieceKind> tray;
    for (std::size_t k = 0; k < 3; ++k)
      tray.insert(tray.end(), static_cast<std::size_t>(counts[k]), kinds[k]);
    Board board = played.puzzle.board();
    const bool found = BruteForce(board, tray, 0);
    const SolveReport report = SolveLevel(level);
    EXPECT_EQ(report.outcome == SolveOutcome::kSolved, found) << "round " << round;
    if (report.outcome == SolveOutcome::kSolved) {
      EXPECT_TRUE(VerifySolution(level, report.solution));
    }
    solvable += found ? 1 : 0;
  }
  EXPECT_GT(solvable, 5);  // the comparison saw both answers
  EXPECT_LT(solvable, kRounds - 5);
}

}  // namespace
}  // namespace qw
