#include "data/layout.h"

#include <gtest/gtest.h>

#include <array>
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
}

TEST(ParseLayoutLine, ValuesAreClampedToTheCoordinateRangeAfterYIsShifted) {
  const LayoutItem far =
      ParseLayoutLine(L"99999999999,-2147483648,16777217,-16777217,2147483647,-99");
  const std::array<std::int32_t, 6> got{far.x, far.y, far.w, far.h, far.srcX, far.srcY};
  constexpr std::int32_t limit = 16777216;
  EXPECT_EQ(got, (std::array<std::int32_t, 6>{limit, -limit, limit, -limit, limit, -99}));
  // The ends of the range themselves are kept, y counted after its shift.
  EXPECT_EQ(ParseLayoutLine(L"16777216,16777242,-16777216").y, limit);
  EXPECT_EQ(ParseLayoutLine(L"16777216,-16777190").y, -limit);
  EXPECT_EQ(ParseLayoutLine(L"1,16777243").y, limit);
  EXPECT_EQ(ParseLayoutLine(L"-16777216,0,-16777216").w, -limit);
}

TEST(LoadLayout, CommentsTakeNoIndexAndAnUnterminatedLastLineIsNotLoaded) {
  std::string file;
  for (int i = 0; i < 25; ++i)
    file += "; item " + std::to_string(i) + "\r\n" + std::to_string(i) + ",26,1,1,0,0\r\n";
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

TEST(ItemRect, RightAndBottomAreExclusive) {
  const Layout layout{{10, 20, 30, 40, 0, 0}, {2147483600, 0, 1000, 0, 0, 0}};
  EXPECT_EQ(ItemRect(layout, 0), (Rect{10, 20, 40, 60}));
  EXPECT_EQ(ItemRect(layout, 1), (Rect{kCoordinateLimit, 0, kCoordinateLimit + 1000, 0}));
  EXPECT_EQ(ItemRect(layout, 2), Rect{});
  EXPECT_EQ(ItemRect(layout, -1), Rect{});
}

}  // namespace
}  // namespace qw
