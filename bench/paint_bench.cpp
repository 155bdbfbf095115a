// Full paints of every screen and the paint of one drag move on the software
// surface, as time and pixels written, each also as a multiple of copying one
// whole 240 x 268 frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "bench/benchmarks.h"
#include "bench/boards.h"
#include "bench/scene.h"
#include "data/layout_items.h"
#include "ui/keyboard.h"
#include "ui/client_area.h"

namespace qw::bench {

namespace {

constexpr double kFramePixels = double{kClientWidth} * kClientHeight;

// Sets the scene up for one screen; false with the reason when it cannot.
using Setup = std::function<bool(Scene&, std::string&)>;

bool MidGame(Scene& scene, std::string& error) {
  Puzzle& puzzle = scene.puzzle();
  if (!StartFirstLevel(scene) || !PutBoard(puzzle, MidGameBoard(), error)) return false;
  puzzle.Select({2, 5});  // the elbow placed last
  return true;
}

// A board of the trace benchmarks, and one fire that the water misses so
// that the play screen stays.
bool TraceBoard(Scene& scene, std::string& error, const BoardPicture& board) {
  Puzzle& puzzle = scene.puzzle();
  if (!StartFirstLevel(scene) || !PutBoard(puzzle, board, error)) return false;
  Board cells = puzzle.board();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].kind != KIND_EMPTY) continue;
    cells[i] = Cell{KIND_FIRE, 0};
    puzzle.SetUpPosition(puzzle.tray(), cells);
    if (puzzle.board()[i].variant == 0) return true;
    cells[i] = Cell{};
  }
  puzzle.SetUpPosition(puzzle.tray(), cells);
  error = "the water reaches every cell of the board";
  return false;
}

// The board with the most water.
bool WorstBoard(Scene& scene, std::string& error) {
  return TraceBoard(scene, error, TraceBoards().front());
}

// The costliest board a level can give: one nozzle and the tray's ten pieces.
bool TenPieces(Scene& scene, std::string& error) {
  for (const BoardPicture& board : TraceBoards()) {
    if (board.name == "ten_pieces") return TraceBoard(scene, error, board);
  }
  error = "no ten-piece board";
  return false;
}

// The outcome screen of a board whose water reaches the last fire, or a
// hazard.
bool ShowOutcome(Scene& scene, std::string& error, bool solved) {
  if (!MidGame(scene, error)) return false;
  Puzzle& puzzle = scene.puzzle();
  Board board = puzzle.board();
  for (Cell& cell : board) {
    if (cell.kind == KIND_FIRE && !solved) cell = Cell{KIND_SPARK, 0};
    if (cell.kind == KIND_FIRE) cell.kind = KIND_EMPTY;  // nothing left burning
  }
  puzzle.SetUpPosition(puzzle.tray(), board);
  // The board decides the outcome: a turn of the selected piece shows it.
  puzzle.Select({2, 5});
  scene.controller().OnRotateClockwise();
  return puzzle.GetOutcome() == (solved ? Outcome::kSolved : Outcome::kFailed);
}

struct ScreenCase {
  std::string name;
  ScreenMode mode;  // the screen the paint must draw
  Setup setup;
};

std::vector<ScreenCase> Screens() {
  return {
      {"menu", MODE_MENU, [](Scene& s, std::string&) { return s.ui().screenMode == MODE_MENU; }},
      {"help", MODE_HELP,
       [](Scene& s, std::string&) {
         const Point instructions = RectCenter(ItemRect(s.layout(), MenuButtonItem(2)));
         s.controller().OnPenDown(instructions);
         s.controller().OnPenUp(instructions);
         return true;
       }},
      {"play", MODE_PLAY, MidGame},
      {"play_worst_board", MODE_PLAY, WorstBoard},
      {"play_ten_pieces", MODE_PLAY, TenPieces},
      {"solved", MODE_SOLVED, [](Scene& s, std::string& e) { return ShowOutcome(s, e, true); }},
      {"failed", MODE_FAILED, [](Scene& s, std::string& e) { return ShowOutcome(s, e, false); }},
      {"password", MODE_PASSWORD,
       [](Scene& s, std::string&) {
         s.controller().OnPasswordCommand();
         for (const char letter : {'A', 'E', 'I', 'R', 'S'}) {
           const Point key = MapKey(Key::Letter, letter, MODE_PASSWORD, s.layout()).tap;
           s.controller().OnPenDown(key);
           s.controller().OnPenUp(key);
         }
         return s.ui().enteredPassword == L"AEIRS";
       }},
  };
}

std::unique_ptr<Scene> Prepare(benchmark::State& state, const Setup& setup) {
  std::string error;
  std::unique_ptr<Scene> scene = Scene::Load(DataFolder(), error);
  if (scene && !setup(*scene, error)) {
    if (error.empty()) error = "the screen could not be set up";
    scene.reset();
  }
  if (!scene) state.SkipWithError(error.c_str());
  return scene;
}

// Time and pixels per iteration as multiples of one frame copy.
void SetRatios(benchmark::State& state, double cpuSeconds, std::uint64_t pixels,
               double frameCopySeconds) {
  const double n = static_cast<double>(state.iterations());
  state.counters["pixels"] = static_cast<double>(pixels) / n;
  state.counters["pixels_x_frame"] = static_cast<double>(pixels) / n / kFramePixels;
  state.counters["time_x_frame_copy"] = cpuSeconds / n / frameCopySeconds;
}

void FullPaint(benchmark::State& state, const ScreenCase& screen, double frameCopySeconds) {
  std::unique_ptr<Scene> scene = Prepare(state, screen.setup);
  if (!scene) return;
  const ScreenMode mode = screen.mode;
  if (scene->ui().screenMode != mode) {
    state.SkipWithError("the screen was not set up");
    return;
  }
  std::uint64_t pixels = 0;
  const double start = ThreadCpuSeconds();
  for (auto _ : state) pixels += scene->PaintAll();
  const double cpu = ThreadCpuSeconds() - start;
  if (scene->ui().screenMode != mode || scene->HasDirty()) {
    state.SkipWithError("the paint changed the screen mode");
    return;
  }
  SetRatios(state, cpu, pixels, frameCopySeconds);
}

// The pen path of a drag: across the board and back, 5 pixels a move, as
// pointer motion arrives when a piece is dragged at a moderate speed.
std::vector<Point> DragPath(const Rect& board) {
  std::vector<Point> path;
  const std::int32_t y = (board.top + board.bottom) / 2;
  for (std::int32_t x = board.left + 12; x < board.right - 12; x += 5)
    path.push_back(Point{x, y + (x % 7)});
  for (std::int32_t x = board.right - 12; x > board.left + 12; x -= 5)
    path.push_back(Point{x, y - (x % 7)});
  return path;
}

void DragMove(benchmark::State& state, const Setup& setup, double frameCopySeconds) {
  std::unique_ptr<Scene> scene = Prepare(state, setup);
  if (!scene) return;
  Puzzle& puzzle = scene->puzzle();
  GameController& controller = scene->controller();
  scene->PaintAll();
  // Press the first tray piece and pull it out of its slot.
  std::int32_t slot = 0;
  while (slot < kTraySlots && !IsPipePiece(puzzle.tray()[static_cast<std::size_t>(slot)])) ++slot;
  if (slot == kTraySlots) {
    state.SkipWithError("no piece in the tray");
    return;
  }
  const Point press = scene->geometry().CellCentre({slot, -1});
  controller.OnPenDown(press);
  controller.OnPenMove(Point{press.x, press.y + 8});
  scene->PaintDirty();
  if (scene->ui().press.dragging != 1) {
    state.SkipWithError("the drag did not start");
    return;
  }
  const std::vector<Point> path = DragPath(scene->geometry().board());
  std::size_t step = 0;
  std::uint64_t pixels = 0;
  const double start = ThreadCpuSeconds();
  for (auto _ : state) {
    controller.OnPenMove(path[step]);
    pixels += scene->PaintDirty();
    step = step + 1 == path.size() ? 0 : step + 1;
  }
  const double cpu = ThreadCpuSeconds() - start;
  SetRatios(state, cpu, pixels, frameCopySeconds);
}

void FrameCopy(benchmark::State& state) {
  const Surface from(kClientWidth, kClientHeight);
  Surface to(kClientWidth, kClientHeight);
  for (auto _ : state) {
    std::copy(from.pixels().begin(), from.pixels().end(), to.pixels().begin());
    benchmark::DoNotOptimize(to.pixels().data());
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = kFramePixels;
}

}  // namespace

double FrameCopySeconds() {
  const Surface from(kClientWidth, kClientHeight);
  Surface to(kClientWidth, kClientHeight);
  constexpr int kBatches = 31;
  constexpr int kCopies = 200;
  std::vector<double> perCopy;
  for (int b = 0; b < kBatches; ++b) {
    const double start = ThreadCpuSeconds();
    for (int i = 0; i < kCopies; ++i) {
      std::copy(from.pixels().begin(), from.pixels().end(), to.pixels().begin());
      benchmark::DoNotOptimize(to.pixels().data());
      benchmark::ClobberMemory();
    }
    perCopy.push_back((ThreadCpuSeconds() - start) / kCopies);
  }
  std::nth_element(perCopy.begin(), perCopy.begin() + kBatches / 2, perCopy.end());
  return perCopy[kBatches / 2];
}

void RegisterPaintBenchmarks(double frameCopySeconds) {
  benchmark::RegisterBenchmark("FrameCopy/240x268", FrameCopy);
  for (const ScreenCase& screen : Screens()) {
    benchmark::RegisterBenchmark(("Paint/" + screen.name).c_str(),
                                 [screen, frameCopySeconds](benchmark::State& s) {
                                   FullPaint(s, screen, frameCopySeconds);
                                 });
  }
  benchmark::RegisterBenchmark(
      "DragMove/handle+paint/play",
      [frameCopySeconds](benchmark::State& s) { DragMove(s, MidGame, frameCopySeconds); });
  benchmark::RegisterBenchmark(
      "DragMove/handle+paint/play_worst_board",
      [frameCopySeconds](benchmark::State& s) { DragMove(s, WorstBoard, frameCopySeconds); });
}

}  // namespace qw::bench
