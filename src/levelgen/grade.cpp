#include "levelgen/grade.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "solver/played_level.h"
#include "model/water.h"

namespace qw {

namespace {

// The grade model. Each feature adds its weight to the score; the cuts split
// Calibrated on the shipped set (docs/levels.md).
constexpr std::int32_t kPieceWeight = 10;
constexpr std::int32_t kBendWeight = 3;
constexpr std::int32_t kSplitterWeight = 6;
constexpr std::int32_t kDiagonalWeight = 2;
constexpr std::int32_t kDecoyWeight = 4;
constexpr std::int32_t kHazardWeight = 2;
constexpr std::int32_t kEffortWeight = 4;

}  // namespace

WaterRoute TraceRoute(const LevelRecord& level, const Solution* solution) {
  PlayedLevel played(level);
  if (solution != nullptr) PlaceSolution(played.puzzle, *solution);
  const Board& board = played.puzzle.board();
  const WaterTrace water = TraceWater(board);
  WaterRoute route;
  for (const WaterStep& step : water.steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    if (!IsBoardCell(next)) continue;
    // A stretch starts where the water leaves a nozzle or a piece.
    const Cell& from = board[static_cast<std::size_t>(BoardIndex(step.cell.x, step.cell.y))];
    if (from.kind == KIND_SOURCE || IsPipePiece(from)) {
      ++route.stretches;
      if (step.direction % 2 == 1) ++route.diagonalStretches;
    }
    const auto number = static_cast<std::size_t>(next.y * kBoardSize + next.x);
    if (!route.cells.test(number)) route.order.push_back(static_cast<std::int32_t>(number));
    route.cells.set(number);
  }
  route.fires = static_cast<std::int32_t>(water.doused.count());
  route.reachesHazard = water.reachesHazard;
  return route;
}

std::int64_t SearchEffort(const LevelRecord& level, std::int64_t nodeLimit) {
  SolveOptions first;
  first.nodeLimit = nodeLimit;
  return SolveLevel(level, first).nodes;
}

LevelFeatures MeasureLevel(const LevelRecord& level, std::int64_t nodeLimit) {
  const std::int64_t effort = SearchEffort(level, nodeLimit);
  const SolveReport fewest = SolveFewest(level, nodeLimit);
  if (fewest.outcome != SolveOutcome::kSolved) {
    LevelFeatures f;
    f.effort = effort;
    return f;
  }
  return FeaturesOf(level, fewest.solution, effort);
}

LevelFeatures FeaturesOf(const LevelRecord& level, const Solution& fewest, std::int64_t effort) {
  LevelFeatures f;
  f.effort = effort;
  f.solved = true;
  f.solution = fewest;
  f.pieces = static_cast<std::int32_t>(fewest.size());
  for (const Placement& p : fewest) {
    if (p.kind == KIND_ELBOW) ++f.elbows;
    if (p.kind == KIND_BEND) ++f.bends;
    if (p.kind == KIND_SPLITTER) ++f.splitters;
  }
  const std::int32_t tray = std::max(0, level.elbowCount) + std::max(0, level.bendCount) +
                            std::max(0, level.splitterCount);
  f.decoys = std::max(0, tray - f.pieces);
  const WaterRoute route = TraceRoute(level, &fewest);
  f.diagonalStretches = route.diagonalStretches;
  // Hazards on any of the eight cells around a cell the water enters.
  PlayedLevel played(level);
  for (std::int32_t n = 0; n < kBoardCells; ++n) {
    const Position at = CellNumberPosition(n);
    if (played.puzzle.BoardCell(at.x, at.y)->kind != KIND_SPARK) continue;
    bool near = false;
    for (std::int32_t d = 0; d < 8 && !near; ++d) {
      Position q = at;
      StepPosition(q, d);
      near = IsBoardCell(q) && route.cells.test(static_cast<std::size_t>(q.y * kBoardSize + q.x));
    }
    if (near) ++f.hazardsNearRoute;
  }
  return f;
}

std::int32_t ScoreWithoutEffort(const LevelFeatures& f) {
  return kPieceWeight * f.pieces + kBendWeight * f.bends + kSplitterWeight * f.splitters +
         kDiagonalWeight * f.diagonalStretches + kDecoyWeight * f.decoys +
         kHazardWeight * f.hazardsNearRoute;
}

std::int32_t EffortScore(std::int64_t effort) {
  // The effort counts by its number of binary digits: doubling it adds one.
  return kEffortWeight * static_cast<std::int32_t>(std::bit_width(
                             static_cast<std::uint64_t>(std::max<std::int64_t>(effort, 0))));
}

std::int32_t GradeScore(const LevelFeatures& f) {
  return ScoreWithoutEffort(f) + EffortScore(f.effort);
}

std::int32_t GradeOfScore(std::int32_t score) {
  std::int32_t grade = kLowestGrade;
  for (std::int32_t cut : kGradeCuts) {
    if (score >= cut) ++grade;
  }
  return grade;
}

}  // namespace qw
