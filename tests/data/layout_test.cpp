#include "data/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_file.h"

namespace qw {
namespace {

using testing::TempFile;

TEST(ParseLayoutLine, ScansSixNumbersAndShiftsY) {
  EXPECT_EQ(ParseLayoutLine(L"0,26,240,20,0,0"), (LayoutItem{0, 0, 240, 20, 0, 0}));
  EXPECT_EQ(ParseLayoutLine(L"1,10,2,3,4,5"), (LayoutItem{1, -16, 2, 3, 4, 5}));
  EXPECT_EQ(ParseLayoutLine(L"10, 30, 20, 20, 0, 40"), (LayoutItem{10, 4, 20, 20, 0, 40}));
  EXPECT_EQ(ParseLayoutLine(L"1,27,2,3,4,5 and more"), (LayoutItem{1, 1, 2, 3, 4, 5}));
}

TEST(ParseLayoutLine, FieldsTheScanDoesNotReachAreZero) {
  // A blank before a comma stops the scan, as does a non-number.
  EXPECT_EQ(ParseLayoutLine(L"7 ,30,1,1,1,1"), (LayoutItem{7, -26, 0, 0, 0, 0}));
  EXPECT_EQ(ParseLayoutLine(L"7,30,x,1,1,1"), (LayoutItem{7, 4, 0, 0, 0, 0}));
  EXPECT_EQ(ParseLayoutLine(L"7,30"), (LayoutItem{7, 4, 0, 0, 0, 0}));
  EXPECT_EQ(ParseLayoutLine(L""), (LayoutItem{0, -26, 0, 0, 0, 0}));
  // Values beyond 32 bits saturate, and so does the shift of y.
  EXPECT_EQ(ParseLayoutLine(L"99999999999,-2147483648,0,0,0,0"),
            (LayoutItem{2147483647, -2147483647 - 1, 0, 0, 0, 0}));
}

TEST(LoadLayout, CommentsTakeNoIndexAndAnUnterminatedLastLineIsNotLoaded) {
  std::string file;
  for (int i = 0; i < 25; ++i) file += "; item " + std::to_string(i) + "\r\n" + std::to_string(i) + ",26,1,1,0,0\r\n";
  TempFile full(file);
  const auto layout = LoadLayout(full.path());
  ASSERT_TRUE(layout);
  ASSERT_EQ(layout->size(), 25u);
  EXPECT_EQ((*layout)[24].x, 24);

  file.resize(file.size() - 2);
  TempFile cut(file);
  EXPECT_EQ(LoadLayout(cut.path())->size(), 24u);
  EXPECT_FALSE(LoadLayout("/nonexistent/qw_layout.dat"));
}

TEST(ItemRect, RightAndBottomAreExclusiveAndSaturate) {
  const Layout layout{{10, 20, 30, 40, 0, 0}, {2147483600, 0, 1000, 0, 0, 0}};
  EXPECT_EQ(ItemRect(layout, 0), (Rect{10, 20, 40, 60}));
  EXPECT_EQ(ItemRect(layout, 1), (Rect{2147483600, 0, 2147483647, 0}));
  EXPECT_EQ(ItemRect(layout, 2), Rect{});
  EXPECT_EQ(ItemRect(layout, -1), Rect{});
}

TEST(DrawItem, CopiesTheSourceRectangleUnchangedAndOnlyWhatExists) {
  Surface skin(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) skin.SetPixel(x, y, static_cast<std::uint32_t>(0x010000 * x + y));
  const Layout layout{{1, 1, 2, 2, 2, 1}, {0, 0, 8, 8, 2, 2}};
  Surface screen(8, 8);
  Canvas canvas(screen);
  DrawItem(canvas, skin, layout, 0);
  EXPECT_EQ(screen.Pixel(1, 1), skin.Pixel(2, 1));
  EXPECT_EQ(screen.Pixel(2, 2), skin.Pixel(3, 2));
  EXPECT_EQ(screen.Pixel(3, 3), 0u);

  // A source rectangle reaching past the skin copies only the pixels that exist.
  Surface second(8, 8);
  Canvas c2(second);
  DrawItem(c2, skin, layout, 1);
  EXPECT_EQ(second.Pixel(1, 1), skin.Pixel(3, 3));
  EXPECT_EQ(second.Pixel(2, 2), 0u);
  // No such item, just past the table or before it: nothing is drawn.
  const std::vector<std::uint32_t> before = second.pixels();
  DrawItem(c2, skin, layout, 2);
  DrawItem(c2, skin, layout, -1);
  EXPECT_EQ(second.pixels(), before);
}

}  // namespace
}  // namespace qw
