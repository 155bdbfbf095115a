// The game loop's message box, through a front end that records what it is
// asked to do: modal without a loop of its own, one box at a time in the
// order the game gave them. (The picture held under a box, a close request
// and the bar and box under the pointer are replayed by golden sessions.)
#include "app/game_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "common/input.h"
#include "qw_app_resources.h"
#include "ui/client_area.h"

namespace qw {
namespace {

using testing::KeyEvent;
using testing::SamePixels;

class RecordingFrontEnd final : public FrontEnd {
 public:
  void Present(const Surface&, const Rect& r) override {
    ++presents;
    presented = r;
  }
  void ToggleFullscreen() override {}
  void ShowMessage(const std::wstring& text) override { systemBoxes.push_back(text); }
  void MessageOpened(const std::wstring& text, const Rect&) override { opened.push_back(text); }
  void CapturePointer(bool) override {}

  int presents = 0;
  Rect presented;
  std::vector<std::wstring> systemBoxes;
  std::vector<std::wstring> opened;
};

class GameLoopBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loop_.Create()) << "the data files in " << QW_SOURCE_DIR "/data";
    loop_.Flush();
  }
  RecordingFrontEnd front_;
  std::uint64_t now_ = 0;
  GameLoop loop_{front_, [this] { return now_; }, QW_SOURCE_DIR "/data",
                 *LoadBmpMemory(resources::kPiecesBmp), *LoadBmpMemory(resources::kToolbarBmp)};
};

TEST_F(GameLoopBox, ShowsMessagesOneAtATimeOverTheHeldPictureAndKeepsInputFromTheGame) {
  const Surface menu = loop_.frame();
  // Two messages from one handler, and a change the game wants painted.
  loop_.ShowMessage(L"first");
  loop_.ShowMessage(L"second");
  loop_.InvalidateAll();
  loop_.Flush();
  ASSERT_NE(loop_.messageBox(), nullptr);
  EXPECT_EQ(front_.opened, std::vector<std::wstring>{L"first"});
  EXPECT_TRUE(front_.systemBoxes.empty()) << "the game's own box, not the system's";
  EXPECT_FALSE(SamePixels(loop_.frame(), menu, kClientRect)) << "the box is drawn in the frame";
  EXPECT_FALSE(loop_.TimeoutMs().has_value()) << "no tooltip timer under a box";

  // Escape closes the box; on the menu it would end the game if it got there.
  loop_.Handle(KeyEvent(Key::Escape));
  loop_.Flush();
  EXPECT_TRUE(loop_.running());
  EXPECT_EQ(front_.opened, (std::vector<std::wstring>{L"first", L"second"}));
  loop_.Handle(KeyEvent(Key::Space));
  loop_.Flush();
  EXPECT_EQ(loop_.messageBox(), nullptr);
  EXPECT_TRUE(loop_.running());
  EXPECT_TRUE(SamePixels(loop_.frame(), menu, kClientRect))
      << "the menu comes back whole once the last box closes";
}

}  // namespace
}  // namespace qw
