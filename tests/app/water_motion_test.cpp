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
#include "quiet_front_end.h"
#include "run_game.h"

namespace qw {
namespace {

TEST(Settings, TheScreenChangesEachSettingAtOnceAndKeepsIt) {
  testing::QuietFrontEnd front;
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

// (The sounds of each action, and none once muted, are replayed by golden
// sessions.)
TEST(Sounds, WithoutAnAudioDeviceTheGamePlaysOnAndMuteIsKeptForTheNextRun) {
  testing::ScratchFolder scratch("sounds");
  const std::string game = "env SDL_AUDIODRIVER=none " QW_GAME_BINARY;
  const std::string args = "--script - --progress " + scratch.path().string();
  const auto first =
      testing::RunGame(game, args, "set volume 60\ntap 120 121\nhint\nkey M\n", scratch.path());
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(std::count(first.err.begin(), first.err.end(), '\n'), 1) << first.err;
  EXPECT_NE(first.err.find("no sound"), std::string::npos) << first.err;
  // The next run keeps the mute: level 1 solved by a hint, without a sound.
  const auto second =
      testing::RunGame(game, args, "set volume 60\ntap 120 121\nhint\ndump\n", scratch.path());
  EXPECT_NE(second.out.find("\nhints 1\n"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("\nsounds\n"), std::string::npos) << second.out;
}

}  // namespace
}  // namespace qw
