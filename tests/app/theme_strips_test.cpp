// A theme draws its own piece and toolbar strips from its folder, and
// Classic's again when the player goes back to Classic.
#include <gtest/gtest.h>

#include <string>

#include "app/game_loop.h"
#include "platform/bitmap.h"
#include "qw_app_resources.h"
#include "quiet_front_end.h"
#include "ui/board_geometry.h"

namespace qw {
namespace {

// Level 1's burning fire on cell (3, 6) and the bar's first button, as drawn
// on the play screen, against the strips they come from.
TEST(ThemeStrips, EachThemeDrawsItsOwn) {
  testing::QuietFrontEnd front;
  const Surface classicPieces = *LoadBmpMemory(resources::kPiecesBmp);
  const Surface classicBar = *LoadBmpMemory(resources::kToolbarBmp);
  GameLoop loop{front, [] { return std::uint64_t{0}; }, QW_SOURCE_DIR "/data", classicPieces,
                classicBar};
  ASSERT_TRUE(loop.Create());
  loop.controller().StartLevel(0);
  const Rect fire = BoardGeometry(loop.layout()).CellRect(3, 6);
  for (const ThemeId theme : {ThemeId::kContrast, ThemeId::kDark, ThemeId::kClassic}) {
    const std::string folder = QW_SOURCE_DIR "/data/themes/" + std::string(ThemeOf(theme).name);
    const bool classic = theme == ThemeId::kClassic;
    const Surface pieces = classic ? classicPieces : *LoadBmpFile(folder + "/pieces.bmp");
    const Surface bar = classic ? classicBar : *LoadBmpFile(folder + "/toolbar.bmp");
    SCOPED_TRACE(ThemeOf(theme).name);
    loop.SetTheme(theme);
    loop.Flush();
    for (std::int32_t y = 0; y < Toolbar::kImageHeight; ++y) {
      for (std::int32_t x = 0; x < Toolbar::kImageWidth; ++x) {
        const Color piece = pieces.ColorAt(32 * kPieceSize + x, y);
        if (piece != kTransparentKey) {
          EXPECT_EQ(loop.frame().ColorAt(fire.left + x, fire.top + y), piece) << x << "," << y;
        }
        if (bar.ColorAt(x, y) != Color{192, 192, 192}) {
          EXPECT_EQ(loop.frame().ColorAt(6 + x, kClientHeight + 6 + y), bar.ColorAt(x, y));
        }
      }
    }
  }
}

}  // namespace
}  // namespace qw
