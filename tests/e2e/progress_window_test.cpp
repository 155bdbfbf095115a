// Progress in a real window: a level solved and the next one left in play,
// the window closed, the game started again; the menu then offers Continue,
// the chooser marks the solved level, and Continue shows the level in play
// as the headless mode paints it from the same progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../app/run_game.h"
#include "data/layout.h"
#include "data/layout_items.h"
#include "platform/bitmap.h"
#include "x_session.h"

namespace qw {
namespace {

namespace fs = std::filesystem;
using testing::GameWindowOnScreen;
using testing::Process;
using testing::ScratchFolder;
using testing::XvfbDisplay;


// The first level is solved as soon as it shows; the second stays in play.
constexpr const char* kLevels =
    "; solved at once\r\nFirst\r\nAAAAA\r\n1,0,0\r\n0,2\r\n5\r\n-1\r\n-1\r\n"
    "; the second\r\nSecond\r\nRAILS\r\n1,0,0\r\n90,2\r\n77\r\n-1\r\n-1\r\n";

// The window shows the skin's picture of `item` at `at`, leaving out the
// picture's magenta pixels.
bool ShowsItem(const Surface& window, const Surface& skin, const LayoutItem& item, Point at) {
  for (int y = 0; y < item.h; ++y) {
    for (int x = 0; x < item.w; ++x) {
      const std::uint32_t want = skin.Pixel(item.srcX + x, item.srcY + y);
      if ((want & 0xFFFFFF) == 0xFF00FF) continue;
      if (window.Pixel(at.x + x, at.y + y) != want) return false;
    }
  }
  return true;
}

bool SameClient(const Surface& window, const Surface& client) {
  if (window.height() < kClientHeight || window.width() != kClientWidth) return false;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      if (window.Pixel(x, y) != client.Pixel(x, y)) return false;
    }
  }
  return true;
}

class ProgressWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import"}) {
      if (!testing::HaveCommand(tool)) GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
    }
    layout_ = testing::PrepareGameFolder(scratch_.path(), game_, kLevels);
    skin_ = LoadBmpFile(QW_SOURCE_DIR "/data/qw_images.dat").value();
  }
  std::string Log() const { return testing::ReadAll(scratch_.path() / "log"); }
  std::unique_ptr<Process> StartGame(const XvfbDisplay& display) {
    fs::remove(scratch_.path() / "log");
    auto game = std::make_unique<Process>(
        std::vector<std::string>{game_.string(), "--scale", "1", "--progress", progress_.string()},
        std::vector<std::string>{"DISPLAY=" + display.name(), "QW_REPORT_FIRST_FRAME=1"},
        (scratch_.path() / "log").string());
    for (int i = 0; i < 400 && Log().find("first frame presented") == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return game;
  }
  Point Centre(int item) const { return testing::ItemCentre(layout_, item); }
  const LayoutItem& Item(int item) const { return layout_[static_cast<std::size_t>(item)]; }

  ScratchFolder scratch_{"progress-window"};
  fs::path game_ = scratch_.path() / "quenchway";
  fs::path progress_ = scratch_.path() / "progress";
  Layout layout_;
  Surface skin_;
};

TEST_F(ProgressWindow, ASolvedLevelAndTheLevelInPlayShowAfterTheGameStartsAgain) {
  XvfbDisplay display;
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  const LayoutItem& continueButton = Item(kItemMenuContinue);
  {
    const auto game = StartGame(display);
    GameWindowOnScreen window(display, scratch_.path());
    ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();
    const auto menu = window.CaptureUntil([](const Surface& s) { return s.height() > kClientHeight; });
    ASSERT_TRUE(menu);
    EXPECT_FALSE(ShowsItem(*menu, skin_, continueButton, Point{continueButton.x, continueButton.y}))
        << "Continue with no level in play";
    // New game solves the first level; its button opens the second, after
    // the password's message.
    window.Click(Centre(3).x, Centre(3).y);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    window.Click(Centre(kItemContinue).x, Centre(kItemContinue).y);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    window.Key("Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    window.Key("Escape");
    window.Key("Escape");
    ASSERT_EQ(game->Wait(std::chrono::seconds(10)), std::optional<int>(0)) << Log();
  }
  ASSERT_TRUE(fs::exists(progress_ / "progress"));
  // The window's scale and fullscreen choice are kept for the next start.
  EXPECT_NE(testing::ReadAll(progress_ / "progress").find("\nscale 1\nfullscreen 0\n"), std::string::npos);
  // What the headless mode paints on Continue, from a copy of the progress.
  const fs::path copy = scratch_.path() / "copy";
  fs::create_directories(copy);
  fs::copy_file(progress_ / "progress", copy / "progress");
  const fs::path shot = scratch_.path() / "continued.bmp";
  const auto run = testing::RunGame(game_.string(), "--script - --progress " + copy.string(),
                                    "tap " + std::to_string(Centre(kItemMenuContinue).x) + " " +
                                        std::to_string(Centre(kItemMenuContinue).y) + "\nshot " + shot.string() + "\n",
                                    scratch_.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const Surface continued = LoadBmpFile(shot.string()).value();

  const auto game = StartGame(display);
  GameWindowOnScreen window(display, scratch_.path());
  ASSERT_TRUE(window.found()) << "no game window appeared: " << Log();
  const auto menu = window.CaptureUntil(
      [&](const Surface& s) { return ShowsItem(s, skin_, continueButton, Point{continueButton.x, continueButton.y}); });
  ASSERT_TRUE(menu && ShowsItem(*menu, skin_, continueButton, Point{continueButton.x, continueButton.y}))
      << "the menu shows no Continue";

  // The chooser: the first level marked solved, the second (in play) open.
  // Their rows come after the daily puzzle's and the five random levels'.
  window.Click(Centre(kItemMenuLevels).x, Centre(kItemMenuLevels).y);
  const LayoutItem& solved = Item(kItemSolvedMark);
  const LayoutItem& lock = Item(kItemLockMark);
  const Point first{solved.x, solved.y + 6 * 20};
  const auto chooser = window.CaptureUntil([&](const Surface& s) { return ShowsItem(s, skin_, solved, first); });
  ASSERT_TRUE(chooser && ShowsItem(*chooser, skin_, solved, first)) << "no solved mark";
  const Point second{solved.x, solved.y + 7 * 20};
  EXPECT_FALSE(ShowsItem(*chooser, skin_, solved, second)) << "the second level is not solved";
  EXPECT_FALSE(ShowsItem(*chooser, skin_, lock, second)) << "the level in play is not locked";

  // Back on the menu, Continue shows the level in play as it was left.
  window.Key("Escape");
  window.Click(Centre(kItemMenuContinue).x, Centre(kItemMenuContinue).y);
  const auto play = window.CaptureUntil([&](const Surface& s) { return SameClient(s, continued); });
  EXPECT_TRUE(play && SameClient(*play, continued)) << "Continue did not show the level in play";
}

}  // namespace
}  // namespace qw
