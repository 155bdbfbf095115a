// The game loop's message box, through a front end that records what it is
// asked to do: modal without a loop of its own, one box at a time in the
// order the game gave them, the bar and the box under the pointer. (The
// picture held under a box and a close request are replayed by golden
// sessions.)
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
using testing::PointerEvent;
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

TEST_F(GameLoopBox, TheBarAndTheBoxShowHoverAndPressesAsThePointerMoves) {
  loop_.controller().StartLevel(0);
  loop_.Flush();
  const Surface plain = loop_.frame();
  const Rect bar{0, kClientHeight, kClientWidth, GameLoop::kFrameHeight};
  const Point button{14, kClientHeight + 14};  // the bar's first button
  const Point board{kClientWidth / 2, kClientHeight / 2};
  // A press on a button, then a move off it onto the board: raised again.
  loop_.Handle(PointerEvent(InputEvent::Type::PointerDown, button));
  loop_.Flush();
  ASSERT_FALSE(SamePixels(loop_.frame(), plain, bar));
  loop_.Handle(PointerEvent(InputEvent::Type::PointerMove, board));
  loop_.Flush();
  EXPECT_TRUE(SamePixels(loop_.frame(), plain, bar));
  loop_.Handle(PointerEvent(InputEvent::Type::PointerUp, board));

  // Hover long enough for the tooltip; a box that opens clears both.
  loop_.Handle(PointerEvent(InputEvent::Type::PointerMove, button));
  now_ += 1000;
  loop_.Tick();
  loop_.Flush();
  ASSERT_NE(loop_.tooltip(), nullptr);
  loop_.ShowMessage(L"message");
  loop_.Flush();
  EXPECT_EQ(loop_.tooltip(), nullptr);
  EXPECT_TRUE(SamePixels(loop_.frame(), plain, bar));

  // The box's OK shows pressed, and is presented so, while held.
  const Rect ok = loop_.messageBox()->OkButton();
  const Surface raised = loop_.frame();
  front_.presented = Rect{};
  loop_.Handle(PointerEvent(InputEvent::Type::PointerDown, RectCenter(ok)));
  loop_.Flush();
  EXPECT_FALSE(SamePixels(loop_.frame(), raised, ok));
  EXPECT_EQ(IntersectRect(front_.presented, ok), ok);
}

}  // namespace
}  // namespace qw
