#include "platform/font.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/canvas.h"

namespace qw {
namespace {

constexpr Color kPanel{204, 204, 255};
constexpr Color kCaption{94, 94, 94};

TEST(Font, CaptionFontIsFoundAndFitsItsHeight) {
  const std::unique_ptr<Font> font = Font::Open(12, 400, "Arial");
  ASSERT_NE(font, nullptr) << "no scalable font installed";
  const TextMask mask = font->Render(L"Level 1/12");
  EXPECT_GT(mask.width, 20);
  EXPECT_GE(mask.height, 10);  // the largest size that fits, not a tiny one
  EXPECT_LE(mask.height, 12);
  ASSERT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width) * mask.height);
  EXPECT_TRUE(std::find(mask.coverage.begin(), mask.coverage.end(), 255) != mask.coverage.end());

  EXPECT_TRUE(font->Render(L"").coverage.empty());
  // Not characters: replaced, never a crash.
  EXPECT_GT(font->Render(std::wstring{L'A', wchar_t(0xD800), wchar_t(0x7FFFFFFF)}).width, 0);
  EXPECT_EQ(Font::Open(0, 400, "Arial"), nullptr);
  EXPECT_NE(Font::Open(12, 700, "Arial"), nullptr);
}

TEST(Font, TextStaysInsideItsBoxAndClip) {
  const std::unique_ptr<Font> font = Font::Open(12, 400, "Arial");
  ASSERT_NE(font, nullptr);
  Surface s(60, 30);
  Canvas canvas(s);
  canvas.FillRect(s.Bounds(), kPanel);
  const Rect box{5, 4, 35, 12};  // cuts the text on the right and the bottom
  canvas.ExcludeClipRect(Rect{5, 4, 12, 30});
  canvas.DrawText(font.get(), L"WWWWWWWW", box, kCaption);
  int inked = 0;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const Color c = s.ColorAt(x, y);
      if (c != kPanel) {
        ASSERT_TRUE(PtInRect(box, Point{x, y}) && x >= 12) << x << "," << y;
        EXPECT_TRUE(c.r >= kCaption.r && c.r <= kPanel.r && c.b >= kCaption.b &&
                    c.b <= kPanel.b);  // blended
        ++inked;
      }
    }
  }
  EXPECT_GT(inked, 20);
}

TEST(Font, UnknownFaceResolvesOrDrawsNothing) {
  if (const std::unique_ptr<Font> font = Font::Open(12, 400, "No Such Face Anywhere")) {
    EXPECT_GT(font->Render(L"x").width, 0);  // fontconfig's fallback
  }
  Surface s(10, 10);
  Canvas canvas(s);
  canvas.DrawText(nullptr, L"Level 1/12", s.Bounds(), kCaption);
  EXPECT_EQ(canvas.PixelsWritten(), 0u);
  EXPECT_TRUE(
      std::all_of(s.pixels().begin(), s.pixels().end(), [](std::uint32_t p) { return p == 0; }));
}

}  // namespace
}  // namespace qw
