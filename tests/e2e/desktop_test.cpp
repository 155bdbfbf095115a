// The real game in a real window on a virtual display, played with the
// mouse and keys: what it shows must be exactly what the headless script
// mode paints for the same input, scaled up.
#include <gtest/gtest.h>

#include <filesystem>

#include "../app/run_game.h"
#include "data/layout.h"
#include "data/layout_items.h"
#include "x_session.h"

namespace qw {
namespace {

namespace fs = std::filesystem;
using testing::GameWindowOnScreen;
using testing::Process;
using testing::RunGame;
using testing::ScratchFolder;
using testing::XvfbDisplay;

// One level with a known board: the source in the top-left corner pointing
// east, a fire out of its way, two elbows in the tray.
constexpr const char* kLevels =
    "; a level for the desktop tests\r\nDesktop\r\nAAAAA\r\n2,0,0\r\n0,2\r\n77\r\n-1\r\n-1\r\n";

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import"}) {
      if (!testing::HaveCommand(tool))
        GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
    }
    layout_ = testing::PrepareGameFolder(scratch_.path(), game_, kLevels);
  }

  Point Centre(int item) const { return testing::ItemCentre(layout_, item); }
  // The centre of tray slot k (y = -1) or board cell (x, y).
  Point CellCentre(int x, int y) const {
    const Rect r = ItemRect(layout_, y < 0 ? 16 : 17);
    return Point{r.left + 1 + 21 * x + 10, r.top + 1 + 21 * (y < 0 ? 0 : y) + 10};
  }

  // What the headless mode paints after the script (a run that hangs is
  // stopped after 20 seconds and paints nothing).
  Surface Expected(const std::string& script) {
    const fs::path shot = scratch_.path() / "expected.bmp";
    fs::remove(shot);
    const auto run = RunGame("timeout -s KILL 20 " + game_.string(), "--script -",
                             script + "shot " + shot.string() + "\n", scratch_.path());
    EXPECT_EQ(run.status, 0) << run.err;
    return LoadBmpFile(shot.string()).value_or(Surface());
  }

  // The window shows `expected` in its client area, each pixel as a
  // scale x scale block.
  static bool Shows(const Surface& window, const Surface& expected, int scale) {
    if (window.width() < kClientWidth * scale || window.height() < kClientHeight * scale)
      return false;
    for (int y = 0; y < kClientHeight; ++y) {
      for (int x = 0; x < kClientWidth; ++x) {
        if (window.Pixel(x * scale, y * scale) != expected.Pixel(x, y) ||
            window.Pixel(x * scale + scale - 1, y * scale + scale - 1) != expected.Pixel(x, y)) {
          return false;
        }
      }
    }
    return true;
  }

  ScratchFolder scratch_{"desktop"};
  fs::path game_ = scratch_.path() / "quenchway";
  Layout layout_;
};

std::string Tap(Point p) { return "tap " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }

// At scale 2, so that the pointer is mapped back to game pixels on the way.
TEST_F(Desktop, PlaysWithMouseToolbarAndKeysAsTheHeadlessModePaints) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  Process game({game_.string(), "--scale", "2", "--no-progress"}, {"DISPLAY=" + display.name()},
               (scratch_.path() / "log").string());
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: "
                              << testing::ReadAll(scratch_.path() / "log");

  std::string script;
  // After the first step that fails, the rest would only wait for
  // pictures that cannot come.
  auto expect = [&](const std::string& step, const char* what) -> Surface {
    if (HasFailure()) return Surface();
    script += step;
    const Surface expected = Expected(script);
    const auto seen = window.CaptureUntil([&](const Surface& s) { return Shows(s, expected, 2); });
    EXPECT_TRUE(seen && Shows(*seen, expected, 2)) << what;
    return seen ? *seen : Surface();
  };

  const Surface menu = expect("", "the menu");
  EXPECT_EQ(menu.width(), 2 * kClientWidth);
  EXPECT_EQ(menu.height(), 2 * (kClientHeight + 26));  // the command bar below

  window.Click(2 * Centre(3).x, 2 * Centre(3).y);
  const Surface play = expect(Tap(Centre(3)), "the play screen after New game");
  // The command bar shows its buttons once a level runs.
  EXPECT_NE(play.Pixel(22, 560), menu.Pixel(22, 560));

  const Point from = CellCentre(0, -1), to = CellCentre(5, 3);
  window.Drag(2 * from.x, 2 * from.y, 2 * to.x, 2 * to.y);
  expect("drag " + std::to_string(from.x) + " " + std::to_string(from.y) + " " +
             std::to_string(to.x) + " " + std::to_string(to.y) + "\n",
         "the elbow dragged onto the board");

  window.Click(76, 2 * (kClientHeight + 14));  // the toolbar's clockwise button
  window.MoveTo(240, 80);  // off the bar, before its tooltip shows over the board
  expect("rotate-cw\n", "the elbow turned by the toolbar");
  window.Key("z");
  expect("rotate-ccw\n", "the elbow turned back by the keyboard");
  window.Key("ctrl+z");
  expect("undo\n", "Ctrl+Z undoes the turn back, and does not turn");
  window.Key("ctrl+z");
  expect("undo\n", "Ctrl+Z again undoes the toolbar's turn");
  window.Key("ctrl+shift+z");
  expect("redo\n", "Ctrl+Shift+Z redoes it");

  window.Key("Escape");
  expect("ok\n", "the menu after Escape");

  // The level editor from the chooser's E, a fire placed with the pen, and
  // back through the chooser with Escape.
  const Rect board = ItemRect(layout_, kItemEditorBoard);
  const Point fire{board.left + 1 + 21 * 3 + 10, board.top + 1 + 21 * 2 + 10};
  window.Click(2 * 68, 2 * 67);
  window.Key("e");
  window.Click(2 * fire.x, 2 * fire.y);
  expect("tap 68 67\nkey e\n" + Tap(fire), "a fire placed in the editor");
  window.Key("Escape");
  window.Key("Escape");
  expect("ok\nok\n", "the menu after the editor and the chooser");
  window.Key("Escape");
  EXPECT_EQ(game.Wait(std::chrono::seconds(5)), std::optional<int>(0))
      << "Escape on the menu ends the game";
}

}  // namespace
}  // namespace qw
