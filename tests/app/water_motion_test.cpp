// The settings screen and the sounds, on the game loop with the shipped data:
// each setting is kept in the progress, and a game without an audio device
// plays on and keeps its mute for the next run. (The running water, the
// sounds each action starts and the settings screen's keys are replayed by
// golden sessions.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_loop.h"
#include "data/layout.h"
#include "data/layout_items.h"
#include "platform/bitmap.h"
#include "common/input.h"
#include "qw_app_resources.h"
#include "run_game.h"

namespace qw {
namespace {

class QuietFrontEnd final : public FrontEnd {
 public:
  void Present(const Surface&, const Rect& changed) override { presented.push_back(changed); }
  void ToggleFullscreen() override {}
  void ShowMessage(const std::wstring&) override {}
  void CapturePointer(bool) override {}
  std::vector<Rect> presented;
};

TEST(Settings, TheScreenChangesEachSettingAtOnceAndKeepsIt) {
  QuietFrontEnd front;
  GameLoop loop{front, [] { return std::uint64_t{0}; }, QW_SOURCE_DIR "/data",
                *LoadBmpMemory(resources::kPiecesBmp), *LoadBmpMemory(resources::kToolbarBmp)};
  ASSERT_TRUE(loop.Create());
  loop.AttachProgress(Progress{}, nullptr);
  auto tap = [&](std::int32_t item) {
    const Point p = RectCenter(ItemRect(loop.layout(), item));
    for (const auto type : {InputEvent::Type::PointerDown, InputEvent::Type::PointerUp})
      loop.Handle(testing::PointerEvent(type, p));
    loop.Flush();
  };
  tap(kItemMenuSettings);
  ASSERT_EQ(loop.controller().state().screenMode, MODE_SETTINGS);
  tap(kItemMotionFirst + 2);
  tap(kItemVolumeUp);
  tap(kItemMute);
  tap(kItemThemeFirst + 1);
  EXPECT_EQ(loop.theme(), ThemeId::kDark);
  EXPECT_EQ(loop.motion(), Motion::kFast);
  EXPECT_EQ(loop.volume(), 90);
  EXPECT_TRUE(loop.muted());
  const Progress& kept = loop.recorder()->progress();
  EXPECT_EQ(kept.animation, SavedAnimation::kFast);
  EXPECT_EQ(kept.volume, 90);
  EXPECT_TRUE(kept.mute);
  EXPECT_EQ(kept.theme, ThemeId::kDark);
  // The keys on this screen, and Settings and Back, are replayed by a golden
  // session.
}

// The sounds lines of a script's dumps, in order.
std::vector<std::string> SoundLines(const std::string& out) {
  std::vector<std::string> lines;
  for (std::size_t at = out.find("\nsounds"); at != std::string::npos;
       at = out.find("\nsounds", at + 1)) {
    lines.push_back(out.substr(at + 1, out.find('\n', at + 1) - at - 1));
  }
  return lines;
}

TEST(Sounds, WithoutAnAudioDeviceTheGamePlaysOnAndMuteIsKeptForTheNextRun) {
  testing::ScratchFolder scratch("sounds");
  const Layout layout = LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value();
  const Rect tray = ItemRect(layout, 16), board = ItemRect(layout, 17);
  auto cell = [&](std::int32_t x, std::int32_t y) {
    return std::to_string(board.left + 11 + 21 * x) + " " + std::to_string(board.top + 11 + 21 * y);
  };
  const std::string slot = std::to_string(tray.left + 11) + " " + std::to_string(tray.top + 11);
  // Level 1: a piece dropped on the nozzle, then on an empty cell, then turned.
  const std::string play = "set volume 60\nkey Down\nkey Enter\ndrag " + slot + " " + cell(2, 0) +
                           "\ndrag " + slot + " " + cell(0, 9) + "\nrotate-cw\ndump\n";
  const std::string game = "env SDL_AUDIODRIVER=none " QW_GAME_BINARY;
  const std::string args = "--script - --progress " + scratch.path().string();
  const auto first =
      testing::RunGame(game, args, play + "key M\nrotate-cw\ndump\n", scratch.path());
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(std::count(first.err.begin(), first.err.end(), '\n'), 1) << first.err;
  EXPECT_NE(first.err.find("no sound"), std::string::npos) << first.err;
  const std::vector<std::string> heard = SoundLines(first.out);
  ASSERT_EQ(heard.size(), 2u) << first.out;
  EXPECT_NE(heard[0].find(" pickup invalid pickup drop button turn"), std::string::npos)
      << heard[0];
  EXPECT_EQ(heard[1], "sounds") << "muted";
  // The next run keeps the mute.
  const auto second = testing::RunGame(game, args, play, scratch.path());
  EXPECT_EQ(SoundLines(second.out), std::vector<std::string>{"sounds"}) << second.out;
}

}  // namespace
}  // namespace qw
