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

// The tray's pieces as the game lays them out, slot by slot.
std::array<PieceKind, 10> TrayKinds(const LevelRecord& level) {
  std::array<PieceKind, 10> kinds{};
  kinds.fill(KIND_EMPTY);
  std::size_t slot = 0;
  for (const auto& [kind, count] : {std::pair{KIND_ELBOW, level.elbowCount}, {KIND_BEND, level.bendCount}, {KIND_SPLITTER, level.splitterCount}}) {
    for (std::int32_t i = 0; i < count && slot < kinds.size(); ++i) kinds[slot++] = kind;
  }
  return kinds;
}

// The lines of a run's output that tell the story: modes, levels and messages.
std::string Story(const std::string& out) {
  std::string story;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("mode ") || line.starts_with("level ") || line.starts_with("message: ")) story += line + "\n";
  }
  return story;
}

// The script that places one level's solution. Pieces go on in the reverse
// of the order the water reaches them, so that no half-built path sends the
// water anywhere it would not go in the end.
std::string PlaceLevel(const LevelRecord& level, const Solution& solution, const Layout& layout) {
  std::array<PieceKind, 10> trayKinds = TrayKinds(level);
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
  EXPECT_EQ(Story(run.out), expected + "level " + std::to_string(levels.size() - 1) + "\n");
}

// The same placements with keys only: the cursor walks to the tray piece,
// Space picks it up, X turns it, the cursor carries it to its cell and Space
// drops it there.
class KeyPlayer {
 public:
  std::string PlaceLevel(const LevelRecord& level, const Solution& solution) {
    std::array<PieceKind, 10> trayKinds = TrayKinds(level);
    std::ostringstream script;
    if (!shown_) {
      script << "key Left\n";  // shows the cursor on tray slot 0
      shown_ = true;
      at_ = {0, -1};
    }
    for (auto it = solution.rbegin(); it != solution.rend(); ++it) {
      std::int32_t k = 0;
      while (trayKinds[static_cast<std::size_t>(k)] != it->kind) ++k;
      trayKinds[static_cast<std::size_t>(k)] = KIND_EMPTY;
      Walk(script, {k, -1});
      script << "key Space\n";
      for (std::int32_t r = 0; r < it->rotation; ++r) script << "key X\n";
      Walk(script, {it->cell % 10, it->cell / 10});
      script << "key space\n";
    }
    return script.str();
  }
  // A new level hides the cursor.
  void NewLevel() { shown_ = false; }

 private:
  void Walk(std::ostringstream& script, Position to) {
    while (at_ != to) {
      if (at_.y == -1 && to.y >= 0) {
        script << "key Down\n";
        at_ = {std::min(at_.x, 9), 0};
      } else if (at_.y >= 0 && to.y == -1) {
        script << "key Up\n";
        at_ = at_.y == 0 ? Position{at_.x, -1} : Position{at_.x, at_.y - 1};
      } else if (at_.x != to.x) {
        script << (at_.x < to.x ? "key Right\n" : "key Left\n");
        at_.x += at_.x < to.x ? 1 : -1;
      } else {
        script << (at_.y < to.y ? "key Down\n" : "key Up\n");
        at_.y += at_.y < to.y ? 1 : -1;
      }
    }
  }
  bool shown_ = false;
  Position at_;
};

TEST(PlayThrough, TheFirstLevelsWithKeysOnly) {
  const std::vector<LevelRecord> levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat").value();
  constexpr std::size_t kLevels = 6;
  ASSERT_GE(levels.size(), kLevels);
  std::string script = "key Down\nkey Return\nkey Left\ndump\n";  // the highlight on new game, pressed
  std::string expected = "mode 2\nlevel 0\n";
  KeyPlayer player;
  player.NewLevel();
  script += "key Escape\n";  // nothing carried: back to the menu...
  script += "key Down\nkey Return\n";  // ... and in again
  for (std::size_t i = 0; i < kLevels; ++i) {
    const SolveReport report = SolveLevel(levels[i]);
    ASSERT_EQ(report.outcome, SolveOutcome::kSolved) << "level " << i + 1;
    script += player.PlaceLevel(levels[i], report.solution) + "dump\nkey Return\n";
    player.NewLevel();
    expected += "mode 3\nlevel " + std::to_string(i) + "\n";
    expected += "message: Password for next level is: " +
                std::string(levels[i + 1].password.begin(), levels[i + 1].password.end()) + "\n";
  }
  ScratchFolder scratch("keys");
  const auto run = RunGame(QW_GAME_BINARY, "--script -", script + "dump\n", scratch.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(run.out.find("\ncursor "), 13), "\ncursor 0 -1\n");
  EXPECT_EQ(Story(run.out), expected + "mode 2\nlevel " + std::to_string(kLevels) + "\n") << run.out.substr(0, 3000);
}

// The whole game with hints alone, through the real binary: from each
// level's start the hints solve it in as many hints as its fewest-piece
// solution has pieces, every one of them in play (a hint never loses).
TEST(PlayThrough, EveryShippedLevelByHintsAlone) {
  const std::vector<LevelRecord> levels = LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat").value();
  std::string script = "key Down\nkey Return\n";
  std::string expected;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const SolveReport fewest = SolveFewest(levels[i]);
    ASSERT_EQ(fewest.outcome, SolveOutcome::kSolved) << "level " << i + 1;
    const std::size_t pieces = fewest.solution.size();
    for (std::size_t h = 0; h < pieces; ++h) script += "dump\nhint\n";
    script += "dump\nkey Return\n";
    for (std::size_t h = 0; h < pieces; ++h) expected += "mode 2 level " + std::to_string(i) + "\n";
    expected += "mode 3 level " + std::to_string(i) + " hints " + std::to_string(pieces) + "\n";
  }
  ScratchFolder scratch("hints");
  const auto run = RunGame(QW_GAME_BINARY, "--script -", script, scratch.path());
  ASSERT_EQ(run.status, 0) << run.err;
  // One line a dump: its mode and level, and on the solved screen the hints.
  std::string story;
  std::istringstream out(run.out);
  std::string mode, level;
  for (std::string line; std::getline(out, line);) {
    if (line.starts_with("mode ")) mode = line;
    if (line.starts_with("level ")) level = line;
    if (line.starts_with("hints ")) story += mode + " " + level + (mode == "mode 3" ? " " + line : "") + "\n";
  }
  EXPECT_EQ(story, expected);
}

}  // namespace
}  // namespace qw
