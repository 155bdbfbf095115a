#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "data/layout.h"
#include "platform/bitmap.h"
#include "shipped_art.h"

namespace qw::testing {
namespace {

bool SamePicture(const Surface& skin, const LayoutItem& a, const LayoutItem& b) {
  for (std::int32_t y = 0; y < a.h; ++y) {
    for (std::int32_t x = 0; x < a.w; ++x) {
      if (skin.Pixel(a.srcX + x, a.srcY + y) != skin.Pixel(b.srcX + x, b.srcY + y)) return false;
    }
  }
  return true;
}

bool Overlap(const Rect& a, const Rect& b) { return !IntersectRect(a, b).IsEmpty(); }

// No two of these items share a pixel on screen.
void ExpectApart(const Layout& layout, std::initializer_list<std::int32_t> items) {
  for (std::int32_t a : items) {
    for (std::int32_t b : items) {
      if (a < b) {
        EXPECT_FALSE(Overlap(ItemRect(layout, a), ItemRect(layout, b)))
            << "items " << a << " and " << b;
      }
    }
  }
}

TEST(ShippedBitmaps, HaveTheirSizesAndDepthsAndLoad) {
  struct Expected {
    const char* file;
    std::int32_t width, height, bits;
  };
  for (const Expected& e :
       {Expected{"resources/pieces.bmp", 720, 20, 24},
        Expected{"resources/toolbar.bmp", 112, 15, 4}, Expected{"resources/icon32.bmp", 32, 32, 24},
        Expected{"resources/icon16.bmp", 16, 16, 24}}) {
    SCOPED_TRACE(e.file);
    const auto header = ReadBmpHeader(ShippedPath(e.file));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, e.width);
    EXPECT_EQ(header->height, e.height);
    EXPECT_EQ(header->bitsPerPixel, e.bits);
    const auto loaded = LoadBmpFile(ShippedPath(e.file));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->width(), e.width);
  }
  const auto skin = ReadBmpHeader(ShippedPath("data/qw_images.dat"));
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->bitsPerPixel, 24);
  EXPECT_FALSE(Skin().IsEmpty());
}

TEST(ShippedLayout, EveryLineEndsInCrLf) {
  std::ifstream file(ShippedPath("data/qw_layout.dat"), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
    }
    if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare return at byte " << i;
    }
  }
}

TEST(ShippedLayout, ItemsLieInTheClientAreaAndShowPartsOfTheSkin) {
  const Layout& layout = ShippedLayout();
  ASSERT_GE(layout.size(), static_cast<std::size_t>(kLayoutItemsNeeded));
  const Rect client{0, 0, kClientWidth, kClientHeight};
  for (std::int32_t i = 0; i < kLayoutItemsNeeded; ++i) {
    if (i == 15) continue;  // holds its place only
    SCOPED_TRACE("item " + std::to_string(i));
    const LayoutItem& item = layout[i];
    const Rect r = ItemRect(layout, i);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_EQ(IntersectRect(r, client), r);
    const Rect src = RectFromSize(item.srcX, item.srcY, item.w, item.h);
    EXPECT_EQ(IntersectRect(src, Skin().Bounds()), src);
  }
}

// The caption, tray and board, the outcome's banners and buttons, the menu's
// buttons and the password screen's keys each keep to their own pixels; a
// highlighted button covers its normal one and looks different; item 14
// stands in for item 12, whose rectangle is the one that is tapped.
TEST(ShippedLayout, ItemsThatAreSeenTogetherStayApart) {
  const Layout& layout = ShippedLayout();
  ASSERT_GE(layout.size(), 25u);
  const Rect caption{15, 5, 225, 18};
  EXPECT_FALSE(Overlap(caption, ItemRect(layout, 16)));
  EXPECT_FALSE(Overlap(caption, ItemRect(layout, 17)));
  for (const std::int32_t item : {12, 13, 14, 16, 18, 19}) ExpectApart(layout, {item, 17});
  ExpectApart(layout, {12, 18});
  ExpectApart(layout, {13, 19});
  ExpectApart(layout, {3, 5, 7, 9});
  ExpectApart(layout, {20, 21, 22, 23, 24});
  for (std::int32_t normal : {3, 5, 7, 9}) {
    EXPECT_EQ(ItemRect(layout, normal + 1), ItemRect(layout, normal)) << normal;
    EXPECT_FALSE(SamePicture(Skin(), layout[normal], layout[normal + 1])) << normal;
  }
  EXPECT_EQ(ItemRect(layout, 14), ItemRect(layout, 12));
  EXPECT_EQ(layout[23].w, 8 * 20) << "the keypad holds eight keys";
}

TEST(ShippedSkin, TheInstructionsTextKeepsAMarginFromTheRightEdge) {
  // Eight pixels, as the pictures keep from the left edge: below the heading,
  // those columns show the page's colour only.
  const Layout& layout = ShippedLayout();
  ASSERT_GE(layout.size(), 25u);
  const LayoutItem& page = layout[11];
  const auto panel = Skin().Pixel(page.srcX + page.w - 1, page.srcY + page.h / 2);
  std::int32_t inked = 0;
  for (std::int32_t y = 24; y < page.h; ++y) {
    for (std::int32_t x = page.w - 8; x < page.w; ++x)
      inked += Skin().Pixel(page.srcX + x, page.srcY + y) != panel ? 1 : 0;
  }
  EXPECT_EQ(inked, 0);
}

}  // namespace
}  // namespace qw::testing
