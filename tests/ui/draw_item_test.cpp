#include "ui/draw_item.h"

#include <gtest/gtest.h>

#include <vector>

namespace qw {
namespace {

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
