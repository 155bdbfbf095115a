#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <climits>

#include "picture.h"
#include "platform/image_list.h"

namespace qw {
namespace {

using test::FromPicture;
using test::kBlue;
using test::kRed;
using test::kWhite;
using test::Picture;

TEST(Canvas, FillAndFrameKeepRightAndBottomEdgesOut) {
  Surface s(6, 4);
  Canvas canvas(s);
  canvas.FillRect(Rect{1, 1, 4, 3}, kWhite);
  canvas.FillRect(Rect{2, 2, 2, 4}, kRed);  // empty
  canvas.FillRect(Rect{4, 3, 1, 1}, kRed);  // inverted
  canvas.FillRect(Rect{INT_MIN, INT_MIN, -1, -1}, kRed);
  EXPECT_EQ(Picture(s), "......|.###..|.###..|......");
  EXPECT_EQ(canvas.PixelsWritten(), 6u);
  canvas.FillRect(Rect{INT_MIN, 3, INT_MAX, INT_MAX}, kBlue);
  EXPECT_EQ(Picture(s), "......|.###..|.###..|bbbbbb");

  // Top and left edges, right to the last-but-one pixel, in the first
  // colour; right and bottom edges whole in the second.
  Surface f(6, 5);
  Canvas frames(f);
  frames.FrameRect(Rect{1, 0, 5, 4}, kRed, kBlue);
  EXPECT_EQ(Picture(f), ".rrrb.|.r..b.|.r..b.|.bbbb.|......");
  frames.FrameRect(Rect{0, 4, 2, 6}, kRed, kBlue);  // 2x2, half outside
  frames.FrameRect(Rect{5, 0, 6, 3}, kRed, kBlue);  // 1 wide: all bottom-right
  frames.FrameRect(Rect{3, 2, 1, 1}, kWhite, kWhite);
  EXPECT_EQ(Picture(f), ".rrrbb|.r..bb|.r..bb|.bbbb.|rb....");
}

TEST(Canvas, ClipExcludeSetAndIntersect) {
  Surface s(6, 4);
  Canvas canvas(s);
  canvas.ExcludeClipRect(Rect{1, 1, 3, 3});
  canvas.ExcludeClipRect(Rect{4, 0, 5, 1});
  canvas.FillRect(s.Bounds(), kWhite);
  EXPECT_EQ(Picture(s), "####.#|#..###|#..###|######");

  // A region reaching outside the surface is cut to it.
  Region area(Rect{-5, -5, 2, 2});
  area.Union(Rect{5, 3, 50, 50});
  canvas.SetClip(area);
  Region inside(Rect{0, 0, 2, 2});
  inside.Union(Rect{5, 3, 6, 4});
  EXPECT_TRUE(canvas.Clip().SameArea(inside));
  canvas.FillRect(s.Bounds(), kRed);
  canvas.IntersectClipRect(Rect{1, 1, 6, 6});
  canvas.FillRect(s.Bounds(), kBlue);
  EXPECT_EQ(Picture(s), "rr##.#|rb.###|#..###|#####b");

  // The surface replaced after the clip was set: still never written outside.
  canvas.SetClip(Region(s.Bounds()));
  s = Surface(3, 2);
  canvas.FillRect(Rect{0, 0, 8, 8}, kWhite);
  canvas.DrawLine(Point{0, 0}, Point{8, 8}, 2, kRed);
  EXPECT_EQ(Picture(s), "rr#|rrr");
}

TEST(Canvas, CopyIsClippedToSourceDestinationAndClip) {
  const Surface skin = FromPicture("rgb|#r#");
  Surface s(6, 5);
  Canvas canvas(s);
  canvas.CopyRect(skin, skin.Bounds(), Point{4, 3});    // runs off right and bottom
  canvas.CopyRect(skin, skin.Bounds(), Point{-2, -1});  // runs off left and top
  // Half outside the skin: what exists lands where a full copy puts it.
  canvas.CopyRect(skin, Rect{-2, -1, 2, 1}, Point{0, 0});
  canvas.CopyRect(skin, Rect{1, 1, 40, 40}, Point{0, 4});
  EXPECT_EQ(Picture(s), "#.....|..rg..|......|....rg|r#..#r");
  EXPECT_EQ(canvas.PixelsWritten(), 4u + 1u + 2u + 2u);

  canvas.ExcludeClipRect(Rect{1, 0, 2, 6});
  canvas.CopyRect(skin, skin.Bounds(), Point{0, 1});
  EXPECT_EQ(Picture(s), "#.....|r.bg..|#.#...|....rg|r#..#r");
}

TEST(Canvas, CopyWithHugeCoordinatesStaysInside) {
  const Surface skin = FromPicture("rgb|#r#");
  Surface s(4, 3);
  Canvas canvas(s);
  const Rect all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  canvas.CopyRect(skin, all, Point{0, 0});              // the skin lands at 2^31
  canvas.CopyRect(skin, all, Point{INT_MIN, INT_MIN});  // the skin lands at 0, 0
  canvas.CopyRect(skin, skin.Bounds(), Point{INT_MAX, INT_MAX});
  canvas.CopyRect(skin, skin.Bounds(), Point{INT_MIN, 0});
  canvas.CopyRect(skin, Rect{INT_MAX - 1, 0, INT_MAX, 1}, Point{0, 0});
  canvas.CopyTransparent(skin, all, Point{INT_MAX, INT_MIN}, kWhite);
  EXPECT_EQ(Picture(s), "rgb.|#r#.|....");
  EXPECT_EQ(canvas.PixelsWritten(), 6u);

  // Within one surface: as if every pixel were read before any write.
  canvas.CopyRect(s, Rect{0, 0, 3, 2}, Point{1, 0});
  EXPECT_EQ(Picture(s), "rrgb|##r#|....");
}

TEST(ImageList, DrawsImageNWithMagentaLeftOut) {
  const ImageList list(FromPicture("rmbbm#|rrmb##"), 2, 3, Color{255, 0, 255});
  EXPECT_EQ(list.count(), 3);
  Surface s(7, 3);
  Canvas canvas(s);
  canvas.FillRect(Rect{1, 0, 2, 1}, kBlue);
  list.Draw(canvas, 0, Point{0, 0});
  list.Draw(canvas, 1, Point{2, 1});
  list.Draw(canvas, 2, Point{5, 0});
  for (int bad : {3, -1, INT_MAX, INT_MIN}) {
    list.Draw(canvas, bad, Point{0, 0});
  }
  EXPECT_EQ(Picture(s), "rb....#|rrbb.##|...b...");
  ImageList().Draw(canvas, 0, Point{0, 0});
  EXPECT_EQ(ImageList(s, 0, 3, kRed).count(), 0);
}

}  // namespace
}  // namespace qw
