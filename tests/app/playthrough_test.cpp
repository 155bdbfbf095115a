// The shipped game played from the menu to the end in script mode, each level
// solved with the solver's pieces as a player would place them: select a
// piece in the tray, turn it there, drag it onto its cell.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "data/layout.h"
#include "data/levels.h"
#include "solver/solver.h"
#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

std::string At(Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The script that places one level's solution. Pieces go on in the reverse
// of the order the water reaches them, so that no half-built path sends the
// water anywhere it would not go in the end.
std::string PlaceLevel(const LevelRecord& level, const Solution& solution, const Layout& layout) {
  std::array<PieceKind, 10> trayKinds{};
  trayKinds.fill(KIND_EMPTY);
  std::size_t slot = 0;
  for (const auto& [kind, count] : {std::pair{KIND_ELBOW, level.elbowCount}, {KIND_BEND, level.bendCount}, {KIND_SPLITTER, level.splitterCount}}) {
    for (std::int32_t i = 0; i < count && slot < trayKinds.size(); ++i) trayKinds[slot++] = kind;
  }
  const Rect tray = ItemRect(layout, 16), board = ItemRect(layout, 17);
  std::ostringstream script;
  for (auto it = solution.rbegin(); it != solution.rend(); ++it) {
    std::size_t k = 0;
    while (trayKinds[k] != it->kind) ++k;
    trayKinds[k] = KIND_EMPTY;
    const Point from{tray.left + 1 + 21 * static_cast<std::int32_t>(k) + 10, tray.top + 11};
    const Point to{board.left + 1 + 21 * (it->cell % 10) + 10, board.top + 1 + 21 * (it->cell / 10) + 10};
    script << "tap " << At(from) << "\n";
    for (std::int32_t r = 0; r < it->rotation; ++r) script << "rotate-cw\n";
    script << "drag " << At(from) << " " << At(to) << "\n";
  }
  return script.str();
}

TEST(PlayThrough, EveryShippedLevelFromTheMenuToTheEnd) {
  const Layout layout = LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value();
  const std::vector<LevelRecord> levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat").value();
  ASSERT_GE(levels.size(), 30u);

  std::string script = "tap " + At(Centre(ItemRect(layout, 3))) + "\n";
  std::string expected;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const SolveReport report = SolveLevel(levels[i]);
    ASSERT_EQ(report.outcome, SolveOutcome::kSolved) << "level " << i + 1;
    script += PlaceLevel(levels[i], report.solution, layout) + "dump\n";
    script += "tap " + At(Centre(ItemRect(layout, 12))) + "\n";
    expected += "mode 3\nlevel " + std::to_string(i) + "\n";
    if (i + 1 < levels.size()) {
      expected += "message: Password for next level is: " +
                  std::string(levels[i + 1].password.begin(), levels[i + 1].password.end()) + "\n";
    }
  }
  script += "dump\n";
  expected += "mode 0\n";

  ScratchFolder scratch("playthrough");
  const auto run = RunGame(QW_GAME_BINARY, "--script -", script, scratch.path());
  ASSERT_EQ(run.status, 0) << run.err;
  // Keep the lines that tell the story: modes, levels and messages.
  std::string story;
  std::istringstream out(run.out);
  for (std::string line; std::getline(out, line);) {
    if (line.starts_with("mode ") || line.starts_with("level ") || line.starts_with("message: ")) story += line + "\n";
  }
  EXPECT_EQ(story, expected + "level " + std::to_string(levels.size() - 1) + "\n");
}

}  // namespace
}  // namespace qw
