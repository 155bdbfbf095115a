#include "levels/grade.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "solver/played_level.h"
#include "model/water.h"

namespace qw {

namespace {

struct Stream {
  std::int32_t index = 0;  // board index x * 10 + y of the cell the water leaves
  std::int32_t dir = 0;
  bool starts = false;     // the first step of a new stretch
};

// The grade model. Each feature adds its weight to the score; the cuts split
// Calibrated on the shipped set (README).
constexpr std::int32_t kPieceWeight = 10;
constexpr std::int32_t kBendWeight = 3;
constexpr std::int32_t kSplitterWeight = 6;
constexpr std::int32_t kDiagonalWeight = 2;
constexpr std::int32_t kDecoyWeight = 4;
constexpr std::int32_t kHazardWeight = 2;
constexpr std::int32_t kEffortWeight = 4;

std::int32_t CellNumberOfIndex(std::int32_t index) { return (index % kBoardSize) * kBoardSize + index / kBoardSize; }

}  // namespace

WaterRoute TraceRoute(const LevelRecord& level, const Solution* solution) {
  PlayedLevel played(level);
  if (solution != nullptr) PlaceSolution(played.puzzle, *solution);
  const auto& board = played.puzzle.board;
  WaterRoute route;
  std::bitset<kBoardCells * 8> seen;
  std::bitset<kBoardCells> doused;
  std::vector<Stream> work;
  // Sources column by column, each column top to bottom, as the game runs them.
  for (std::int32_t b = kBoardCells - 1; b >= 0; --b) {
    const Cell& cell = board[static_cast<std::size_t>(b)];
    if (cell.kind == KIND_SOURCE) work.push_back(Stream{b, NormalizeDirection(cell.variant), true});
  }
  while (!work.empty()) {
    const Stream s = work.back();
    work.pop_back();
    const auto key = static_cast<std::size_t>(s.index * 8 + s.dir);
    if (seen.test(key)) continue;
    seen.set(key);
    Position p{s.index / kBoardSize, s.index % kBoardSize};
    StepPosition(p, s.dir);
    if (!IsBoardCell(p)) continue;
    if (s.starts) {
      ++route.stretches;
      if (s.dir % 2 == 1) ++route.diagonalStretches;
    }
    const std::int32_t next = BoardIndex(p.x, p.y);
    const Cell& cell = board[static_cast<std::size_t>(next)];
    const std::int32_t number = CellNumberOfIndex(next);
    if (!route.cells.test(static_cast<std::size_t>(number))) route.order.push_back(number);
    route.cells.set(static_cast<std::size_t>(number));
    const WaterPassage passage = WaterExits(cell, s.dir);
    if (passage.reachesHazard) route.reachesHazard = true;
    if (passage.douses && !doused.test(static_cast<std::size_t>(next))) {
      doused.set(static_cast<std::size_t>(next));
      ++route.fires;
    }
    const bool turns = IsPipePiece(cell);
    for (std::int32_t i = passage.exitCount - 1; i >= 0; --i) {
      work.push_back(Stream{next, passage.exits[static_cast<std::size_t>(i)], turns});
    }
  }
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
         kDiagonalWeight * f.diagonalStretches + kDecoyWeight * f.decoys + kHazardWeight * f.hazardsNearRoute;
}

std::int32_t EffortScore(std::int64_t effort) {
  // The effort counts by its number of binary digits: doubling it adds one.
  return kEffortWeight * static_cast<std::int32_t>(std::bit_width(static_cast<std::uint64_t>(std::max<std::int64_t>(effort, 0))));
}

std::int32_t GradeScore(const LevelFeatures& f) { return ScoreWithoutEffort(f) + EffortScore(f.effort); }

std::int32_t GradeOfScore(std::int32_t score) {
  std::int32_t grade = kLowestGrade;
  for (std::int32_t cut : kGradeCuts) {
    if (score >= cut) ++grade;
  }
  return grade;
}

}  // namespace qw
