#include "levelgen/variety.h"

#include <algorithm>
#include <set>

#include "model/water.h"
#include "solver/played_level.h"

namespace qw {

namespace {

// Symmetry t (0..7): swap the axes (bit 0), mirror x (bit 1), mirror y (bit 2).
Position Transform(Position p, std::int32_t t, std::int32_t size) {
  if ((t & 1) != 0) std::swap(p.x, p.y);
  if ((t & 2) != 0) p.x = size - 1 - p.x;
  if ((t & 4) != 0) p.y = size - 1 - p.y;
  return p;
}

std::int32_t TransformCell(std::int32_t n, std::int32_t t) {
  const Position p = Transform(CellNumberPosition(n), t, kBoardSize);
  return p.y * kBoardSize + p.x;
}

std::int32_t TransformDirection(std::int32_t d, std::int32_t t) {
  const DirectionStep s = StepOf(NormalizeDirection(d));
  // A step is a position about the centre of a 3 x 3 board.
  const Position q = Transform(Position{s.dx + 1, s.dy + 1}, t, 3);
  for (std::int32_t e = 0; e < 8; ++e) {
    if (StepOf(e).dx == q.x - 1 && StepOf(e).dy == q.y - 1) return e;
  }
  return d;
}

std::string SortedCells(const std::wstring& list, std::int32_t t) {
  std::vector<std::int32_t> cells;
  for (const std::int32_t n : CellNumbers(list)) {
    if (IsCellNumber(n)) cells.push_back(TransformCell(n, t));
  }
  std::sort(cells.begin(), cells.end());
  std::string text;
  for (const std::int32_t n : cells) text += std::to_string(n) + ",";
  return text;
}

}  // namespace

std::string SymmetryKey(const LevelRecord& level) {
  std::string best;
  for (std::int32_t t = 0; t < 8; ++t) {
    const std::string key =
        std::to_string(level.elbowCount) + "," + std::to_string(level.bendCount) + "," +
        std::to_string(level.splitterCount) + ";" +
        std::to_string(IsCellNumber(level.sourceCell) ? TransformCell(level.sourceCell, t) : -1) +
        "," + std::to_string(TransformDirection(level.sourceRotation, t)) + ";" +
        SortedCells(level.fireCells, t) + ";" + SortedCells(level.hazardCells, t) + ";" +
        SortedCells(level.wallCells, t);
    if (t == 0 || key < best) best = key;
  }
  return best;
}

Variety MeasureVariety(const std::vector<LevelRecord>& levels,
                       const std::vector<Solution>& solutions) {
  Variety v;
  std::set<std::array<std::int32_t, 3>> mixes;
  std::set<std::int32_t> nozzles;
  std::set<std::string> keys;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const LevelRecord& level = levels[i];
    ++v.levels;
    mixes.insert({level.elbowCount, level.bendCount, level.splitterCount});
    if (IsCellNumber(level.sourceCell)) {
      nozzles.insert(level.sourceCell);
      const Position at = CellNumberPosition(level.sourceCell);
      ++v.nozzleQuarters[static_cast<std::size_t>((at.x >= kBoardSize / 2 ? 1 : 0) +
                                                  (at.y >= kBoardSize / 2 ? 2 : 0))];
    }
    ++v.nozzleDirections[static_cast<std::size_t>(NormalizeDirection(level.sourceRotation))];
    if (!keys.insert(SymmetryKey(level)).second) ++v.repeats;
    // Each fire as the solution's water first reaches it.
    PlayedLevel played(level);
    if (i < solutions.size()) PlaceSolution(played.puzzle, solutions[i]);
    const Board& board = played.puzzle.board();
    std::set<std::int32_t> seen;
    for (const WaterStep& step : TraceWater(board).steps) {
      Position at = step.cell;
      StepPosition(at, step.direction);
      if (!IsBoardCell(at)) continue;
      const std::int32_t index = BoardIndex(at.x, at.y);
      if (board[static_cast<std::size_t>(index)].kind != KIND_FIRE || !seen.insert(index).second)
        continue;
      ++v.fires;
      Position next = at;
      StepPosition(next, step.direction);
      if (!IsBoardCell(next) ||
          board[static_cast<std::size_t>(BoardIndex(next.x, next.y))].kind == KIND_WALL) {
        ++v.firesBeforeStop;
      }
    }
  }
  v.trayMixes = static_cast<std::int32_t>(mixes.size());
  v.nozzleCells = static_cast<std::int32_t>(nozzles.size());
  return v;
}

std::string VarietyText(const Variety& v) {
  auto percent = [](std::int32_t part, std::int32_t whole) {
    return whole == 0 ? std::string("-") : std::to_string((200 * part + whole) / (2 * whole)) + "%";
  };
  std::string text = "variety of " + std::to_string(v.levels) + " levels:\n";
  text += "  tray mixes: " + std::to_string(v.trayMixes) + "\n";
  text += "  fires right before an edge or a wall: " + std::to_string(v.firesBeforeStop) + " of " +
          std::to_string(v.fires) + " (" + percent(v.firesBeforeStop, v.fires) + ")\n";
  text += "  nozzles: " + std::to_string(v.nozzleCells) +
          " distinct cells; by quarter (top left, top right, "
          "bottom left, bottom right):";
  for (const std::int32_t q : v.nozzleQuarters) text += " " + percent(q, v.levels);
  text += "; pointing N NE E SE S SW W NW:";
  for (const std::int32_t d : v.nozzleDirections) text += " " + percent(d, v.levels);
  text += "\n  levels equal to an earlier one up to the board's symmetries: " +
          std::to_string(v.repeats) + "\n";
  return text;
}

}  // namespace qw
