// The running water and the sounds, on the game loop with the shipped data
// and a clock the test moves: the water reaches its new stretches in the
// trace's order and ends in the still game's picture, the outcome waits for
// it, a press completes it first and undo never runs it; each action starts
// its sound, and none starts while muted.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_loop.h"
#include "data/layout.h"
#include "data/layout_items.h"
#include "platform/bitmap.h"
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

InputEvent CommandEvent(ToolbarCommand command) {
  InputEvent e;
  e.type = InputEvent::Type::Command;
  e.command = static_cast<std::int32_t>(command);
  return e;
}

bool SameClient(const Surface& a, const Surface& b) {
  for (std::int32_t y = 0; y < kClientHeight; ++y) {
    if (!std::equal(a.Row(y), a.Row(y) + kClientWidth, b.Row(y))) return false;
  }
  return true;
}

// A game on a level of the set, at a clock of its own.
struct Game {
  explicit Game(Motion motion, std::int32_t level = 0) {
    EXPECT_TRUE(loop.Create());
    loop.SetMotion(motion);
    loop.controller().StartLevel(level);
    loop.Flush();
  }
  void Send(const InputEvent& e) {
    loop.Handle(e);
    loop.Flush();
  }
  void Wait(std::uint64_t ms) {
    now += ms;
    loop.Tick();
    loop.Flush();
  }
  std::uint64_t now = 0;
  QuietFrontEnd front;
  GameLoop loop{front, [this] { return now; }, QW_SOURCE_DIR "/data",
                *LoadBmpMemory(resources::kPiecesBmp), *LoadBmpMemory(resources::kToolbarBmp)};
};

TEST(WaterMotion, RunsInTheTracesOrderToTheStillPictureAndTheOutcomeWaitsForIt) {
  for (const Motion motion : {Motion::kNormal, Motion::kFast}) {
    Game still(Motion::kOff, 1), moving(motion, 1);  // level 2: steps before the last one too
    bool sawPartWay = false;
    // Hints until solved: each step's new water runs, the outcome after it.
    for (int hint = 0; hint < 20 && still.loop.controller().state().screenMode == MODE_PLAY;
         ++hint) {
      still.Send(CommandEvent(ID_HINT));
      moving.Send(CommandEvent(ID_HINT));
      const WaterRun& run = moving.loop.controller().state().water;
      const std::vector<WaterStep>& steps = moving.loop.puzzle().Water().steps;
      moving.front.presented.clear();
      while (moving.loop.Animating() && run.flowing()) {
        ASSERT_EQ(moving.loop.controller().state().screenMode, MODE_PLAY)
            << "the outcome waits for the water";
        // What shows is a prefix of the new stretches in the trace's order.
        for (std::size_t i = 1; i < steps.size(); ++i) {
          if (run.Shown(i) == 1.0) continue;
          for (std::size_t j = i + 1; j < steps.size(); ++j)
            ASSERT_LE(run.Shown(j), run.Shown(i)) << i << " " << j;
        }
        if (!SameClient(moving.loop.client(), still.loop.client())) sawPartWay = true;
        moving.Wait(16);
        ASSERT_LT(moving.now, 100000u);
        for (const Rect& r : moving.front.presented) {
          if (run.flowing()) {
            ASSERT_LE(r.Width() * r.Height(), 90 * 90)
                << "a frame paints near the water that moved";
          }
        }
        moving.front.presented.clear();
      }
      moving.Wait(WaterRun::kDropsMs);  // the celebration too
      EXPECT_FALSE(moving.loop.Animating());
      EXPECT_EQ(moving.loop.controller().state().screenMode,
                still.loop.controller().state().screenMode);
      ASSERT_TRUE(SameClient(moving.loop.client(), still.loop.client())) << "hint " << hint;
    }
    EXPECT_EQ(still.loop.controller().state().screenMode, MODE_SOLVED);
    EXPECT_TRUE(sawPartWay);
  }
}

TEST(WaterMotion, InputCompletesTheRunFirstAndTakingBackNeverRuns) {
  // Level 2 takes more than one step.
  Game still(Motion::kOff, 1), moving(Motion::kNormal, 1);
  still.Send(CommandEvent(ID_HINT));
  moving.Send(CommandEvent(ID_HINT));
  ASSERT_EQ(still.loop.controller().state().screenMode, MODE_PLAY);
  moving.Wait(40);
  InputEvent move;
  move.type = InputEvent::Type::PointerMove;
  move.point = Point{5, 5};
  moving.Send(move);
  EXPECT_TRUE(moving.loop.Animating()) << "moving the pointer leaves the water running";
  // A key completes the run, then acts: the cursor shows over the end state.
  InputEvent left;
  left.type = InputEvent::Type::KeyDown;
  left.key = Key::Left;
  still.Send(left);
  moving.Send(left);
  EXPECT_FALSE(moving.loop.Animating());
  EXPECT_TRUE(SameClient(moving.loop.client(), still.loop.client()));
  // Undo: the run completes, then the undo shows its end state at once.
  still.Send(CommandEvent(ID_UNDO));
  moving.Send(CommandEvent(ID_UNDO));
  EXPECT_FALSE(moving.loop.Animating());
  EXPECT_EQ(moving.loop.controller().history().RedoCount(), 1);
  EXPECT_TRUE(SameClient(moving.loop.client(), still.loop.client()));
  for (const ToolbarCommand c : {ID_REDO, ID_RESTART}) {
    still.Send(CommandEvent(c));
    moving.Send(CommandEvent(c));
    EXPECT_FALSE(moving.loop.Animating()) << static_cast<int>(c);
    EXPECT_TRUE(SameClient(moving.loop.client(), still.loop.client())) << static_cast<int>(c);
  }
}

TEST(Sounds, EachActionStartsItsSoundAndMutedStartsNone) {
  for (const bool muted : {false, true}) {
    Game game(Motion::kNormal);
    game.loop.NoteSounds();
    game.loop.SetVolume(40);
    InputEvent m;
    m.type = InputEvent::Type::KeyDown;
    m.key = Key::Letter;
    m.letter = 'M';
    if (muted) game.Send(m);
    for (int hint = 0; hint < 20 && game.loop.controller().state().screenMode == MODE_PLAY;
         ++hint) {
      game.Send(CommandEvent(ID_HINT));
      game.Wait(2000);
    }
    game.Send(
        CommandEvent(ID_UNDO));  // the solved screen stays: no step, no sound but the button's
    std::vector<Sound> heard = game.loop.TakeSoundsStarted();
    if (muted) {
      EXPECT_TRUE(heard.empty());
      continue;
    }
    for (const Sound s :
         {Sound::kButton, Sound::kDrop, Sound::kWater, Sound::kDouse, Sound::kSolved}) {
      EXPECT_NE(std::find(heard.begin(), heard.end(), s), heard.end()) << SoundName(s);
    }
    EXPECT_EQ(heard.back(), Sound::kButton);
    EXPECT_EQ(heard[heard.size() - 2], Sound::kSolved);
  }
}

TEST(Settings, TheScreenChangesEachSettingAtOnceAndKeepsIt) {
  QuietFrontEnd front;
  GameLoop loop{front, [] { return std::uint64_t{0}; }, QW_SOURCE_DIR "/data",
                *LoadBmpMemory(resources::kPiecesBmp), *LoadBmpMemory(resources::kToolbarBmp)};
  ASSERT_TRUE(loop.Create());
  loop.AttachProgress(Progress{}, nullptr);
  auto tap = [&](std::int32_t item) {
    const Point p = RectCenter(ItemRect(loop.layout(), item));
    for (const auto type : {InputEvent::Type::PointerDown, InputEvent::Type::PointerUp}) {
      InputEvent e;
      e.type = type;
      e.point = p;
      loop.Handle(e);
    }
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
  // The keys do the same: Left slows the water, Down turns the volume down,
  // M unmutes and shows it at once, 3 picks High contrast, Enter goes back.
  auto key = [&](Key k, char letter = 0) {
    InputEvent e;
    e.type = InputEvent::Type::KeyDown;
    e.key = k;
    e.letter = letter;
    loop.Handle(e);
    front.presented.clear();
    loop.Flush();
  };
  key(Key::Left);
  key(Key::Down);
  key(Key::Down);
  key(Key::Letter, 'M');
  EXPECT_FALSE(front.presented.empty()) << "the mute box is redrawn";
  key(Key::Letter, '3');
  EXPECT_EQ(kept.theme, loop.theme());
  EXPECT_EQ(loop.theme(), ThemeId::kContrast);
  EXPECT_EQ(loop.motion(), Motion::kNormal);
  EXPECT_EQ(kept.animation, SavedAnimation::kNormal);
  EXPECT_EQ(kept.volume, 70);
  EXPECT_FALSE(loop.muted());
  key(Key::Enter);
  EXPECT_EQ(loop.controller().state().screenMode, MODE_MENU);
  tap(kItemMenuSettings);
  tap(kItemSettingsBack);
  EXPECT_EQ(loop.controller().state().screenMode, MODE_MENU);
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
