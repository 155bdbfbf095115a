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

TEST_F(MessageBoxTest, DrawsAFramedPanelWithCentredTextAndAnOkButtonInsideItsBoundsOnly) {
  const MessageBox box(font_.get(), kPassword);
  const Painted p(box);
  const Rect bounds = box.Bounds(), panel = box.Panel(), ok = box.OkButton();
  ASSERT_EQ(box.lines(), std::vector<std::wstring>{kPassword});

  // Inside the client area, in its middle; nothing outside the bounds drawn.
  EXPECT_EQ(IntersectRect(bounds, kClientRect), bounds);
  EXPECT_LE(std::abs(bounds.left - (kClientWidth - bounds.right)), 1);
  EXPECT_LE(std::abs(bounds.top - (kClientHeight - bounds.bottom)), 1);
  for (std::int32_t y = 0; y < kClientHeight; ++y) {
    for (std::int32_t x = 0; x < kClientWidth; ++x) {
      if (!PtInRect(bounds, Point{x, y})) {
        ASSERT_EQ(p.At(x, y), kUnder) << x << "," << y;
      }
    }
  }
  // A black frame all round the panel, the panel's colour inside, a shadow
  // below and to the right that leaves the corner opposite it alone.
  for (std::int32_t x = panel.left; x < panel.right; ++x) {
    EXPECT_EQ(p.At(x, panel.top), kFrameColor);
    EXPECT_EQ(p.At(x, panel.bottom - 1), kFrameColor);
  }
  for (std::int32_t y = panel.top; y < panel.bottom; ++y) {
    EXPECT_EQ(p.At(panel.left, y), kFrameColor);
    EXPECT_EQ(p.At(panel.right - 1, y), kFrameColor);
  }
  EXPECT_EQ(p.At(panel.right + 1, panel.bottom + 1), (Color{70, 70, 130}));
  EXPECT_EQ(p.At(panel.right + 1, panel.top), kUnder);
  EXPECT_EQ(p.At(panel.left + 3, ok.top - 2), kPanelColor);

  // The text: dark pixels in its line, centred in the panel, no wider than
  // it; between the line and the button only the panel's colour.
  const Rect line = box.LineRect(0);
  const auto [first, end] = p.DarkColumns(line);
  ASSERT_LT(first, end) << "no text drawn";
  EXPECT_GT(end - first, 150) << "the whole sentence on one line";
  EXPECT_LE(std::abs((first - panel.left) - (panel.right - end)), 3);
  for (std::int32_t y = line.bottom; y < ok.top - 1; ++y) {
    for (std::int32_t x = panel.left + 2; x < panel.right - 2; ++x)
      ASSERT_EQ(p.At(x, y), kPanelColor) << x << "," << y;
  }

  // OK: centred at the bottom of the panel, framed in black, lit from the
  // top left, its label dark and in its middle.
  EXPECT_TRUE(PtInRect(InflateRect(panel, -2, -2), Point{ok.left, ok.top}));
  EXPECT_TRUE(PtInRect(InflateRect(panel, -2, -2), Point{ok.right - 1, ok.bottom - 1}));
  EXPECT_LE(std::abs((ok.left - panel.left) - (panel.right - ok.right)), 1);
  EXPECT_GT(ok.top, line.bottom);
  EXPECT_EQ(p.At(ok.left, ok.top), kFrameColor);
  EXPECT_EQ(p.At(ok.right - 1, ok.bottom - 1), kFrameColor);
  EXPECT_EQ(p.At(ok.left + 1, ok.top + 1), (Color{255, 255, 255}));
  const auto [okFirst, okEnd] = p.DarkColumns(InflateRect(ok, -2, -2));
  ASSERT_LT(okFirst, okEnd) << "no label on the button";
  EXPECT_LE(std::abs((okFirst - ok.left) - (ok.right - okEnd)), 3);
}

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
