// The desktop window's own behaviour under a window manager: the command
// bar's hover, the window's minimum size and the game's own message box.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "../app/run_game.h"
#include "data/layout.h"
#include "x_session.h"

namespace qw {
namespace {

namespace fs = std::filesystem;
using testing::GameWindowOnScreen;
using testing::Process;
using testing::ScratchFolder;
using testing::XvfbDisplay;

constexpr int kFrameHeight = kClientHeight + 26;

// Two levels: the first is solved as soon as it shows (the nozzle points
// straight at the fire), so its Continue button opens the password message.
constexpr const char* kLevels =
    "; solved at once\r\nFirst\r\nAAAAA\r\n1,0,0\r\n0,2\r\n5\r\n-1\r\n-1\r\n"
    "; the second\r\nSecond\r\nRAILS\r\n1,0,0\r\n90,2\r\n77\r\n-1\r\n-1\r\n";


bool SameClient(const Surface& window, const Surface& client) {
  if (window.height() < kClientHeight || window.width() != kClientWidth) return false;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      if (window.Pixel(x, y) != client.Pixel(x, y)) return false;
    }
  }
  return true;
}

std::string Tap(Point p) { return "tap " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }

bool SameRows(const Surface& a, const Surface& b, int top, int bottom) {
  if (a.width() != b.width() || a.height() < bottom || b.height() < bottom) return false;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    }
  }
  return true;
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import", "openbox", "xprop"}) {
      if (!testing::HaveCommand(tool)) GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
    }
    layout_ = testing::PrepareGameFolder(scratch_.path(), game_, kLevels);
  }

  Point Centre(int item) const { return testing::ItemCentre(layout_, item); }

  // Starts a window manager on the display and waits until it manages.
  void StartWindowManager(const XvfbDisplay& display) {
    wm_.emplace(std::vector<std::string>{"openbox"}, std::vector<std::string>{"DISPLAY=" + display.name()},
                "/dev/null");
    // Up to 30 s: on a loaded machine openbox takes its time.
    for (int i = 0; i < 600; ++i) {
      if (display.Output("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    FAIL() << "openbox did not start";
  }

  std::string Log() const { return testing::ReadAll(scratch_.path() / "log"); }

  // Starts the game and waits for its first frame: until then the renderer
  // may still re-create the window, and a window found earlier may be gone.
  std::unique_ptr<Process> StartGame(const XvfbDisplay& display, const char* scale) {
    auto game = std::make_unique<Process>(std::vector<std::string>{game_.string(), "--scale", scale, "--no-progress"},
                                          std::vector<std::string>{"DISPLAY=" + display.name(), "QW_REPORT_FIRST_FRAME=1"},
                                          (scratch_.path() / "log").string());
    for (int i = 0; i < 400 && Log().find("first frame presented") == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return game;
  }

  // What the headless mode paints after the script.
  Surface Expected(const std::string& script) {
    const fs::path shot = scratch_.path() / "expected.bmp";
    const auto run = testing::RunGame(game_.string(), "--script -", script + "shot " + shot.string() + "\n",
                                      scratch_.path());
    EXPECT_EQ(run.status, 0) << run.err;
    return LoadBmpFile(shot.string()).value();
  }

  ScratchFolder scratch_{"window"};
  fs::path game_ = scratch_.path() / "quenchway";
  std::optional<Process> wm_;
  Layout layout_;
};

TEST_F(Window, LeavingACommandBarButtonClearsItsHoverAndTooltipAtOnce) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  const auto game = StartGame(display, "1");
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();
  const auto menu = window.CaptureUntil([](const Surface& s) { return s.height() == kFrameHeight; });
  ASSERT_TRUE(menu);

  // New game: the level is solved at once, and the bar shows its buttons.
  window.Click(Centre(3).x, Centre(3).y);
  const auto plain = window.CaptureUntil([&](const Surface& s) { return !SameRows(s, *menu, kClientHeight, kFrameHeight); });
  ASSERT_TRUE(plain && !SameRows(*plain, *menu, kClientHeight, kFrameHeight)) << "the bar's buttons never showed";

  // The pointer rests on the clockwise button until its tooltip shows...
  window.MoveTo(38, kClientHeight + 14);
  const int labels = kClientHeight - 34;  // the bar's labels lie in the rows above it
  const auto hovered = window.CaptureUntil([&](const Surface& s) {
    // the tooltip lies just above the bar
    for (int x = 0; x < kClientWidth; ++x) {
      if (s.Pixel(x, kClientHeight - 8) != plain->Pixel(x, kClientHeight - 8)) return true;
    }
    return false;
  });
  ASSERT_TRUE(hovered && !SameRows(*hovered, *plain, labels, kFrameHeight)) << "no hover or tooltip showed";

  // ... then moves onto the board: the bar is as it was before.
  window.MoveTo(120, 150);
  const auto left = window.CaptureUntil([&](const Surface& s) { return SameRows(s, *plain, labels, kFrameHeight); });
  EXPECT_TRUE(left && SameRows(*left, *plain, labels, kFrameHeight))
      << "the button's hover or tooltip stayed after the pointer left it";
}

TEST_F(Window, IsNeverSmallerThanTheGameAtScaleOneUnderAWindowManager) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  ASSERT_NO_FATAL_FAILURE(StartWindowManager(display));
  const auto game = StartGame(display, "2");
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();

  std::string hints;
  for (int i = 0; i < 60 && hints.find("minimum size") == std::string::npos; ++i) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    hints = display.Output("xprop -id " + window.id() + " WM_NORMAL_HINTS");
  }
  EXPECT_NE(hints.find("minimum size: 240 by 294"), std::string::npos) << hints;

  // The window manager is asked for a window of 150 x 150 and keeps the
  // minimum.
  display.Run("xdotool windowsize " + window.id() + " 150 150");
  const std::regex size(R"(Geometry: (\d+)x(\d+))");
  std::smatch m;
  std::string geometry;
  int width = 0, height = 0;
  for (int i = 0; i < 40; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    geometry = display.Output("xdotool getwindowgeometry " + window.id());
    if (std::regex_search(geometry, m, size)) {
      width = std::stoi(m[1]);
      height = std::stoi(m[2]);
      if (width != 2 * kClientWidth) break;  // the request has been served
    }
  }
  EXPECT_EQ(width, kClientWidth) << geometry;
  EXPECT_EQ(height, kFrameHeight) << geometry;
}

// Solves the first level and presses Continue: the next level's password
// shows in a box inside the game's own window, over the solved screen.
class MessageInWindow : public Window {
 protected:
  void OpenPasswordMessage(GameWindowOnScreen& window) {
    solved_ = Expected(Tap(Centre(3)));
    window.Click(Centre(3).x, Centre(3).y);
    const auto seen = window.CaptureUntil([&](const Surface& s) { return SameClient(s, solved_); });
    ASSERT_TRUE(seen && SameClient(*seen, solved_)) << "the first level was not solved";
    window.Click(Centre(12).x, Centre(12).y);
    boxed_ = window.CaptureUntil([&](const Surface& s) { return s.height() == kFrameHeight && !SameClient(s, solved_); })
                 .value_or(Surface());
    ASSERT_FALSE(SameClient(boxed_, solved_)) << "no message box in the window";
  }
  Surface solved_;
  Surface boxed_;
};

TEST_F(MessageInWindow, ShowsInTheGameFrameTakesAllInputAndOpensTheNextLevelOnceClosed) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  const auto game = StartGame(display, "1");
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();
  ASSERT_NO_FATAL_FAILURE(OpenPasswordMessage(window));

  // No second window: the box is drawn in the game's frame, in its middle,
  // and the solved screen shows round it.
  EXPECT_EQ(display.Output("xdotool search --onlyvisible --name '^Quenchway$' | wc -l"), "1");
  Rect changed;
  int count = 0;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      if (boxed_.Pixel(x, y) == solved_.Pixel(x, y)) continue;
      changed = UnionRect(changed, RectFromSize(x, y, 1, 1));
      ++count;
    }
  }
  EXPECT_GT(count, 2000) << "a box of some size";
  EXPECT_LE(std::abs(changed.left - (kClientWidth - changed.right)), 4) << "in the middle";
  EXPECT_LE(std::abs(changed.top - (kClientHeight - changed.bottom)), 4) << "in the middle";
  EXPECT_GE(changed.left, 8);
  EXPECT_GE(changed.top, 8);

  // Modal: a key, the toolbar and a tap beside the box change nothing, and
  // the pointer resting on a command-bar button lights nothing there.
  window.Key("r");
  window.Click(20, kClientHeight - 20);
  window.Click(14, kClientHeight + 14);
  window.Click(Centre(12).x, Centre(12).y);
  window.MoveTo(38, kClientHeight + 14);
  std::this_thread::sleep_for(std::chrono::milliseconds(900));
  const auto still = window.Capture();
  EXPECT_TRUE(still && SameRows(*still, boxed_, 0, kFrameHeight)) << "input reached the game behind the box";

  // Enter closes it; then the next level starts, exactly as the headless
  // mode (where the box counts as closed at once) paints it.
  window.Key("Return");
  const Surface next = Expected(Tap(Centre(3)) + Tap(Centre(12)));
  const auto after = window.CaptureUntil([&](const Surface& s) { return SameClient(s, next); });
  EXPECT_TRUE(after && SameClient(*after, next)) << "the next level did not start as it should";
  std::string log = Log();
  if (const auto quiet = log.find("quenchway: no sound:"); quiet != std::string::npos) {
    log.erase(quiet, log.find('\n', quiet) + 1 - quiet);  // a machine without a sound card
  }
  EXPECT_EQ(log, "quenchway: first frame presented\n") << "the message adds no line on stderr";
}

TEST_F(MessageInWindow, ACloseRequestClosesTheBoxAndThenTheGame) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  ASSERT_NO_FATAL_FAILURE(StartWindowManager(display));
  const auto game = StartGame(display, "1");
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();
  ASSERT_NO_FATAL_FAILURE(OpenPasswordMessage(window));
  // The window manager's close key, once the window has the focus.
  display.Run("timeout 10 xdotool windowfocus --sync " + window.id());
  display.Run("xdotool key alt+F4");
  EXPECT_EQ(game->Wait(std::chrono::seconds(10)), std::optional<int>(0)) << Log();
}

}  // namespace
}  // namespace qw
