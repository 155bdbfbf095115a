// Level start and the water trace on arbitrary records: any number in any
// field and any list text, tray pieces placed on the board with any
// rotation, the pen and the toolbar commands in any order, and every
// screen painted with the shipped art.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "model/cell.h"
#include "support.h"

namespace {

using qw::fuzz::Check;

// Mostly near the values that matter, sometimes anything at all.
std::int32_t Number(FuzzedDataProvider& in, std::int32_t lo, std::int32_t hi) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(lo, hi) : in.ConsumeIntegral<std::int32_t>();
}

std::wstring Text(FuzzedDataProvider& in) {
  std::wstring text;
  for (char c : in.ConsumeRandomLengthString(48))
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

// A cell list: numbers joined by commas, "-1" or free text.
std::wstring CellList(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return Text(in);
    case 1: return std::wstring();  // the file's "-1"
    default: break;
  }
  std::wstring list;
  for (std::int32_t n = in.ConsumeIntegralInRange(1, 12); n > 0; --n) {
    if (!list.empty()) list += L",";
    list += std::to_wstring(Number(in, -5, 105));
  }
  return list;
}

qw::LevelRecord Record(FuzzedDataProvider& in) {
  qw::LevelRecord r;
  r.title = Text(in);
  r.password = in.ConsumeBool() ? L"SEAL" : Text(in);
  r.elbowCount = Number(in, -2, 12);
  r.bendCount = Number(in, -2, 12);
  r.splitterCount = Number(in, -2, 12);
  r.sourceCell = Number(in, -2, 101);
  r.sourceRotation = Number(in, -9, 16);
  r.fireCells = CellList(in);
  r.hazardCells = CellList(in);
  r.wallCells = CellList(in);
  return r;
}

// The puzzle's water is always the trace of its board as it stands.
void CheckWater(const qw::Puzzle& puzzle) {
  const qw::WaterTrace& water = puzzle.Water();
  Check(static_cast<std::int64_t>(water.steps.size()) == water.stats.flowCalls,
        "steps and flow calls differ");
  Check(water.stats.mostFlowCallsPerSource <= qw::kMaxFlowCallsPerSource, "a source ran too long");
  const qw::WaterTrace fresh = qw::TraceWater(puzzle.board());
  Check(fresh.steps == water.steps && fresh.doused == water.doused &&
            fresh.reachesHazard == water.reachesHazard,
        "the puzzle's water is not the board's");
}

void CheckCells(const qw::Puzzle& puzzle) {
  auto sound = [](const qw::Cell& c) {
    if (c.kind == qw::KIND_EMPTY) return true;
    const std::int32_t image = qw::ImageIndex(c);
    return c.variant >= 0 && image >= 0 && image < qw::kPieceImageCount;
  };
  for (const qw::Cell& c : puzzle.tray())
    Check(qw::IsPipePiece(c) || c.kind == qw::KIND_EMPTY, "no piece in the tray");
  for (const qw::Cell& c : puzzle.tray()) Check(sound(c), "a tray Cell without an image");
  for (const qw::Cell& c : puzzle.board()) Check(sound(c), "a board Cell without an image");
}

qw::Point AnyPoint(FuzzedDataProvider& in, const qw::GameController& controller) {
  if (in.ConsumeIntegralInRange(0, 3) == 0)
    return qw::Point{Number(in, -30, 270), Number(in, -30, 300)};
  const qw::Rect r = controller.geometry().CellRect(in.ConsumeIntegralInRange(0, 9),
                                                    in.ConsumeIntegralInRange(-1, 9));
  return qw::RectCenter(r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<qw::LevelRecord> levels;
  for (std::int32_t n = in.ConsumeIntegralInRange(1, 3); n > 0; --n) levels.push_back(Record(in));
  qw::fuzz::Game game(qw::fuzz::ShippedSkin(), qw::fuzz::ShippedLayout(), std::move(levels));
  qw::Puzzle& puzzle = game.puzzle;
  Check(puzzle.StartLevel(0), "the first level did not start");
  CheckCells(puzzle);
  CheckWater(puzzle);

  // Painting costs more than all the rest: a few paints per run.
  std::int32_t paints = 2;
  for (std::int32_t steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps) {
    switch (in.ConsumeIntegralInRange(0, 9)) {
      case 0: {  // a tray piece straight onto a board cell, turned
        const std::int32_t slot = in.ConsumeIntegralInRange(0, qw::kTraySlots - 1);
        const std::int32_t x = in.ConsumeIntegralInRange(0, 9), y = in.ConsumeIntegralInRange(0, 9);
        if (puzzle.Apply(qw::Step::Move(qw::Position{slot, -1}, qw::Position{x, y}))) {
          const std::int32_t turns = in.ConsumeIntegralInRange(0, 7);
          if (turns > 0) puzzle.Apply(qw::Step::Turn({x, y}, true, turns));
        }
        break;
      }
      case 1: game.controller.OnPenDown(AnyPoint(in, game.controller)); break;
      case 2: game.controller.OnPenMove(AnyPoint(in, game.controller)); break;
      case 3: game.controller.OnPenUp(AnyPoint(in, game.controller)); break;
      case 4: {  // a turn anywhere: only pipe pieces turn
        const std::int32_t x = Number(in, -1, 10), y = Number(in, -2, 10);
        puzzle.Apply(qw::Step::Turn({x, y}, in.ConsumeBool(), Number(in, 0, 8)));
        break;
      }
      case 5:
        game.controller.OnCommand(
            in.PickValueInArray({qw::ID_ROTATE_CCW, qw::ID_ROTATE_CW, qw::ID_RESTART}));
        break;
      case 6: game.controller.StartLevel(Number(in, -1, 3)); break;
      case 7: game.controller.OnOkCommand(); break;
      case 8:
        if (paints-- > 0) game.Paint();
        break;
      default: {  // as the controller does: a pipe piece, or nothing
        const std::int32_t x = Number(in, -1, 10), y = Number(in, -2, 10);
        const qw::Cell* cell = puzzle.At(qw::Position{x, y});
        if (cell != nullptr && qw::IsPipePiece(*cell)) {
          puzzle.Select({x, y});
        } else if (cell == nullptr) {
          puzzle.Select(qw::kNoPosition);
        }
        break;
      }
    }
    CheckCells(puzzle);
    CheckWater(puzzle);
  }
  game.Paint();
  return 0;
}
