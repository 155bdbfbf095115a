// The box's picture is pinned by a golden session's shots (the password
// box over the solved screen, its OK pressed); here its line breaks and
// what closes it.
#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/input.h"
#include "platform/font.h"
#include "ui/client_area.h"
#include "ui/renderer.h"

namespace qw {
namespace {

constexpr Color kUnder{1, 2, 3};  // the game's picture under the box
const std::wstring kPassword = L"Password for next level is: RAILS";

bool Dark(Color c) { return c.r + c.g + c.b < 3 * 110; }

struct Painted {
  Surface surface{kClientWidth, kClientHeight};
  explicit Painted(const MessageBox& box) {
    Canvas canvas(surface);
    canvas.FillRect(kClientRect, kUnder);
    box.Paint(canvas);
  }
  Color At(std::int32_t x, std::int32_t y) const { return surface.ColorAt(x, y); }
  // The columns of dark (text) pixels inside r: first and one past the last.
  std::pair<std::int32_t, std::int32_t> DarkColumns(const Rect& r) const {
    std::int32_t first = r.right, last = r.left - 1;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
      for (std::int32_t x = r.left; x < r.right; ++x) {
        if (Dark(At(x, y))) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
      }
    }
    return {first, last + 1};
  }
};

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!font_) GTEST_SKIP() << "no font (fonts-liberation is installed by scripts/install-deps)";
  }
  std::unique_ptr<Font> font_ = Font::Open(12, 400, "Arial");
};

TEST_F(MessageBoxTest, BreaksTheTextAtItsLineBreaksAndBetweenWordsToFitThePanel) {
  const MessageBox failure(font_.get(), L"Could not load image.\r\nExiting...");
  EXPECT_EQ(failure.lines(), (std::vector<std::wstring>{L"Could not load image.", L"Exiting..."}));

  std::wstring longText;
  for (int i = 0; i < 30; ++i) longText += L"water ";
  longText += L"end";
  const MessageBox box(font_.get(), longText);
  ASSERT_GT(box.lines().size(), 2u);
  std::wstring joined;
  for (const std::wstring& line : box.lines()) {
    EXPECT_LE(font_->Render(line).width, box.Panel().Width() - 4)
        << std::string(line.begin(), line.end());
    joined += (joined.empty() ? L"" : L" ") + line;
  }
  EXPECT_EQ(joined, longText);
  const Painted p(box);
  const Rect last = box.LineRect(box.lines().size() - 1);
  EXPECT_LT(p.DarkColumns(last).first, p.DarkColumns(last).second) << "the last line is drawn";
  EXPECT_LT(last.bottom, box.OkButton().top);
}

InputEvent Pen(InputEvent::Type type, Point p) { return testing::PointerEvent(type, p); }
InputEvent KeyDown(Key key, bool repeat = false) {
  return testing::KeyEvent(key, key == Key::Letter ? 'R' : 0, repeat);
}

TEST_F(MessageBoxTest, ClosesOnEnterEscapeSpaceAndAClickOnOkOnly) {
  for (Key key : {Key::Enter, Key::Escape, Key::Space}) {
    MessageBox box(font_.get(), kPassword);
    EXPECT_FALSE(box.OnEvent(KeyDown(key, true))) << "a held key that repeats";
    EXPECT_TRUE(box.open());
    EXPECT_TRUE(box.OnEvent(KeyDown(key)));
    EXPECT_FALSE(box.open());
  }
  MessageBox box(font_.get(), kPassword);
  const Rect ok = box.OkButton();
  const Point onOk{ok.left + 3, ok.top + 3};
  const Point off{box.Panel().left + 3, box.Panel().top + 3};
  for (const InputEvent& e :
       {KeyDown(Key::Letter), KeyDown(Key::Left), KeyDown(Key::F11),
        // the release of the press that opened the box
        Pen(InputEvent::Type::PointerUp, onOk),
        // a press beside OK released on it
        Pen(InputEvent::Type::PointerDown, off), Pen(InputEvent::Type::PointerUp, onOk),
        // a press on OK released beside it
        Pen(InputEvent::Type::PointerDown, onOk), Pen(InputEvent::Type::PointerMove, off),
        Pen(InputEvent::Type::PointerUp, off)}) {
    EXPECT_FALSE(box.OnEvent(e));
  }
  EXPECT_TRUE(box.open());

  // Pressed, the button shows sunk while the pen is over it.
  box.OnEvent(Pen(InputEvent::Type::PointerDown, onOk));
  EXPECT_EQ(Painted(box).At(ok.left + 1, ok.top + 1), (Color{96, 96, 140}));
  box.OnEvent(Pen(InputEvent::Type::PointerMove, off));
  EXPECT_EQ(Painted(box).At(ok.left + 1, ok.top + 1), (Color{255, 255, 255}));
  box.OnEvent(Pen(InputEvent::Type::PointerMove, onOk));
  EXPECT_TRUE(box.OnEvent(Pen(InputEvent::Type::PointerUp, onOk)));
  EXPECT_FALSE(box.open());
}

}  // namespace
}  // namespace qw
