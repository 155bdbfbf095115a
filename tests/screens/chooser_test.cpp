// The level chooser of the real binary, on the fixture's flat-colour skin
// with the chooser's items added, against a picture composed here: the page
// and its buttons in their item colours, a solved or lock mark (from the
// skin, its magenta corner left out) in each row as the progress file says,
// the highlighted row's fill and frame, and empty rows on the last page.
// Texts are only checked to be there, in the rows that hold an entry.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>
#include <string>

#include "data/levels.h"
#include "data/progress.h"
#include "fixture.h"
#include "platform/bitmap.h"

namespace qw {
namespace {

using testing::ItemColor;
using testing::kClientHeight;
using testing::kClientWidth;

// Items 25 to 38 in client coordinates.
constexpr std::array<Rect, 14> kChooserPlaces = {{
    {0, 176, 240, 200}, {130, 178, 230, 198}, {130, 178, 230, 198}, {10, 178, 110, 198}, {10, 178, 110, 198},
    {0, 0, 240, 268},   {10, 20, 230, 220},   {10, 230, 60, 250},   {150, 230, 180, 250}, {190, 230, 220, 250},
    {12, 23, 26, 37},   {12, 23, 26, 37},     {10, 252, 230, 266},  {70, 230, 140, 250},
}};
const Rect& Place(std::int32_t item) { return kChooserPlaces[static_cast<std::size_t>(item - 25)]; }

constexpr Color kSelection{235, 235, 255};
constexpr Color kCursor{255, 128, 0};
constexpr Color kSolvedMark{0, 160, 40};
constexpr Color kLockMark{90, 90, 90};
constexpr std::uint32_t kMagenta = 0xFF00FF;

// Twelve levels: two pages. Each is the fixture's first level (it stays in
// play) under a title of its own.
std::vector<LevelRecord> TwelveLevels(std::string* text) {
  for (int i = 0; i < 12; ++i) {
    *text += "Level " + std::to_string(i + 1) + "\r\nSEAL\r\n4,3,3\r\n0,2\r\n55,77\r\n33\r\n1\r\n";
  }
  std::wstring wide(text->begin(), text->end());
  return ParseLevels(wide);
}

class ChooserScreen : public ::testing::Test {
 protected:
  ChooserScreen() : box("chooser") {
    // The fixture's skin gets a band below it for each new item.
    Surface old = LoadBmpFile((box.data() / "qw_images.dat").string()).value();
    const std::int32_t top = old.height();
    Surface skin(kClientWidth, top + 14 * kClientHeight);
    for (std::int32_t y = 0; y < old.height(); ++y) {
      for (std::int32_t x = 0; x < old.width(); ++x) skin.SetPixel(x, y, old.Pixel(x, y));
    }
    std::string layout = testing::ReadBytes(box.data() / "qw_layout.dat");
    for (std::int32_t i = 25; i <= 38; ++i) {
      const Rect& r = Place(i);
      const std::int32_t src = top + (i - 25) * kClientHeight;
      const Color c = i == 35 ? kSolvedMark : i == 36 ? kLockMark : ItemColor(i);
      for (std::int32_t y = 0; y < r.Height(); ++y) {
        for (std::int32_t x = 0; x < r.Width(); ++x) skin.SetPixel(x, src + y, ToPixel(c));
      }
      if (i == 35 || i == 36) skin.SetPixel(0, src, kMagenta);  // a corner left out
      layout += std::to_string(r.left) + "," + std::to_string(r.top + 26) + "," + std::to_string(r.Width()) + "," +
                std::to_string(r.Height()) + ",0," + std::to_string(src) + "\r\n";
    }
    SaveBmp24(skin, (box.data() / "qw_images.dat").string());
    box.Write("qw_layout.dat", layout);
    std::string levelText;
    levels = TwelveLevels(&levelText);
    box.Write("qw_levels.dat", levelText);
    // Levels 1 and 3 solved.
    Progress progress;
    RecordSolved(progress, KeyOfLevel(levels[0]), LevelBest{3, 9, 0, 41000});
    RecordSolved(progress, KeyOfLevel(levels[2]), LevelBest{4, 12, 1, 65000});
    std::filesystem::create_directories(box.folder() / "progress");
    std::ofstream(box.folder() / "progress" / "progress", std::ios::binary) << WriteProgress(progress);
  }

  // Checks the shot: rows of the page holding `first` to `first + 9`, the
  // highlighted one, each entry's state ('s' solved, 'o' open, 'l' locked).
  void Check(const std::filesystem::path& shot, std::int32_t first, std::int32_t highlighted, const std::string& states) {
    const std::optional<Surface> got = LoadBmpFile(shot.string());
    ASSERT_TRUE(got) << shot;
    Surface want(kClientWidth, kClientHeight);
    std::vector<bool> checked(static_cast<std::size_t>(kClientWidth * kClientHeight), true);
    auto fill = [&](const Rect& r, Color c) {
      for (std::int32_t y = r.top; y < r.bottom; ++y) {
        for (std::int32_t x = r.left; x < r.right; ++x) want.SetPixel(x, y, ToPixel(c));
      }
    };
    auto skip = [&](const Rect& r) {
      for (std::int32_t y = r.top; y < r.bottom; ++y) {
        for (std::int32_t x = r.left; x < r.right; ++x) checked[static_cast<std::size_t>(y * kClientWidth + x)] = false;
      }
    };
    for (std::int32_t i : {30, 32, 33, 34}) fill(Place(i), ItemColor(i));
    const Rect list = Place(31);
    for (std::int32_t row = 0; row < 10; ++row) {
      const std::int32_t entry = first + row;
      const std::int32_t top = list.top + 20 * row;
      const Rect rowRect{list.left, top, list.right, top + 20};
      if (entry >= static_cast<std::int32_t>(states.size())) continue;  // empty: the page shows
      if (entry == highlighted) {
        fill(rowRect, kSelection);
        fill(Rect{rowRect.left, top, rowRect.right, top + 1}, kCursor);
        fill(Rect{rowRect.left, top + 19, rowRect.right, top + 20}, kCursor);
        fill(Rect{rowRect.left, top, rowRect.left + 1, top + 20}, kCursor);
        fill(Rect{rowRect.right - 1, top, rowRect.right, top + 20}, kCursor);
      }
      const char state = states[static_cast<std::size_t>(entry)];
      if (state != 'o') {
        const Rect mark = RectFromSize(12, 23 + 20 * row, 14, 14);
        fill(Rect{mark.left + 1, mark.top, mark.right, mark.top + 1}, state == 's' ? kSolvedMark : kLockMark);
        fill(Rect{mark.left, mark.top + 1, mark.right, mark.bottom}, state == 's' ? kSolvedMark : kLockMark);
      }
      // The row's text: its own colour, so not compared, but it must be there.
      const Rect text{30, top + 1, list.right - 1, top + 19};
      skip(text);
      bool ink = false;
      for (std::int32_t y = text.top; y < text.bottom; ++y) {
        for (std::int32_t x = text.left; x < text.right; ++x) {
          const std::uint32_t p = got->Pixel(x, y);
          ink = ink || (p != ToPixel(kSelection) && p != ToPixel(ItemColor(30)));
        }
      }
      EXPECT_TRUE(ink) << shot.filename() << ": no text in row " << row;
    }
    skip(Place(37));
    skip(Place(38));
    std::int64_t differences = 0;
    std::string where;
    for (std::int32_t y = 0; y < kClientHeight; ++y) {
      for (std::int32_t x = 0; x < kClientWidth; ++x) {
        if (!checked[static_cast<std::size_t>(y * kClientWidth + x)] || got->Pixel(x, y) == want.Pixel(x, y)) continue;
        if (++differences <= 5) where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
    EXPECT_EQ(differences, 0) << shot.filename() << ":" << where;
  }

  testing::ScreenSandbox box;
  std::vector<LevelRecord> levels;
};

TEST_F(ChooserScreen, MarksSolvedAndLockedLevelsAndTurnsItsPages) {
  const auto a = box.folder() / "a.bmp", b = box.folder() / "b.bmp";
  const testing::Outcome run = box.Run("tap 60 188\nshot " + a.string() + "\nkey Right\nshot " + b.string() +
                                           "\ndump\n",
                                       std::chrono::seconds(20), {"--progress", (box.folder() / "progress").string()});
  ASSERT_EQ(run.code, 0) << run.err;
  ASSERT_NE(run.out.find("mode 6\n"), std::string::npos) << run.out;
  // First the daily puzzle and the five random levels, always open; then
  // levels 1 and 3 solved, 2 and 4 following a solved level, the rest
  // locked. The chooser opens at the first level not solved.
  const std::string states = "oooooo" "sosollllllll";
  Check(a, 0, 7, states);
  Check(b, 10, 17, states);
}

}  // namespace
}  // namespace qw
