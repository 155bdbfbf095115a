#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/make_level.h"
#include "platform/png_file.h"
#include "levels/show.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace qw {
namespace {

LevelRecord WorkedExample() { return testing::MakeLevel(2, 1, 0, 0, 2, L"45", L"", L"3,13,23"); }

const Solution kTwoElbows{Placement{KIND_ELBOW, 2, 2, 4}, Placement{KIND_ELBOW, 42, 6, 64}};

TEST(BoardText, ShowsCellsWaterAndOutcome) {
  const std::string before = BoardText(WorkedExample(), 1, nullptr);
  EXPECT_NE(before.find("tray: 2 elbows, 1 bend, 0 splitters"), std::string::npos);
  EXPECT_NE(before.find("   0  S2  ~  ~  #  .  .  .  .  .  .\n"), std::string::npos) << before;
  EXPECT_NE(before.find("  40   .  .  .  .  .  F  .  .  .  .\n"), std::string::npos) << before;
  EXPECT_NE(before.find("water: 1 fire burning"), std::string::npos);

  const std::string after = BoardText(WorkedExample(), 1, &kTwoElbows);
  EXPECT_NE(after.find("solution: elbow@2/r2 elbow@42/r6"), std::string::npos);
  EXPECT_NE(after.find("  40   .  . E6  ~  ~  f  ~  ~  ~  ~\n"), std::string::npos) << after;
  EXPECT_NE(after.find("water: every fire doused"), std::string::npos);
}

// Reads back the pixels of a PNG written by EncodePng (stored blocks only).
std::vector<std::uint8_t> StoredScanlines(const std::vector<std::uint8_t>& png) {
  const std::size_t idat = 8 + 25;  // signature, IHDR chunk
  const std::size_t length = (std::size_t{png[idat]} << 24) | (std::size_t{png[idat + 1]} << 16) |
                             (std::size_t{png[idat + 2]} << 8) | png[idat + 3];
  std::vector<std::uint8_t> raw;
  std::size_t at = idat + 8 + 2;                  // chunk length and type, zlib header
  const std::size_t end = idat + 8 + length - 4;  // before the Adler checksum
  while (at < end) {
    const std::size_t n = png[at + 1] | (std::size_t{png[at + 2]} << 8);
    raw.insert(raw.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 5),
               png.begin() + static_cast<std::ptrdiff_t>(at + 5 + n));
    at += 5 + n;
  }
  return raw;
}

class RenderPng : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("qw_levels_show_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir_);
    Surface skin(240, 20);
    ASSERT_TRUE(SaveBmp24(skin, Path("qw_images.dat")));
    std::ofstream layout(Path("qw_layout.dat"), std::ios::binary);
    for (int i = 0; i < 25; ++i) {
      // The tray at (15, 22) and the board at (15, 50); the file counts y
      // from 26 pixels higher up.
      layout << (i == 16   ? "15,48,211,22,0,0\r\n"
                 : i == 17 ? "15,76,211,211,0,0\r\n"
                           : "0,26,1,1,0,0\r\n");
    }
    layout.close();
    Surface strip(720, 20);
    Canvas c(strip);
    for (int n = 0; n < 36; ++n) c.FillRect(Rect{20 * n, 0, 20 * n + 20, 20}, PieceColor(n));
    ASSERT_TRUE(SaveBmp24(strip, Path("pieces.bmp")));
    art_ = ShowArt{Path("qw_images.dat"), Path("qw_layout.dat"), Path("pieces.bmp")};
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static Color PieceColor(int n) { return Color{static_cast<std::uint8_t>(7 * n), 220, 30}; }

  // The colour of client pixel (x, y) of a written picture, which ends in
  // the IEND chunk and its fixed checksum.
  Color PixelOf(const std::string& path, int x, int y) const {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(std::vector<std::uint8_t>(png.end() - 8, png.end()),
              (std::vector<std::uint8_t>{'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82}));
    const std::vector<std::uint8_t> raw = StoredScanlines(png);
    const std::size_t at =
        static_cast<std::size_t>(y) * (1 + 3 * 240) + 1 + 3 * static_cast<std::size_t>(x);
    return Color{raw[at], raw[at + 1], raw[at + 2]};
  }

  std::filesystem::path dir_;
  ShowArt art_;
};

TEST_F(RenderPng, DrawsThePlayScreenUnsolvedAndSolved) {
  const std::vector<LevelRecord> levels{WorkedExample()};
  std::string error;
  ASSERT_TRUE(RenderLevelPng(levels, 0, nullptr, art_, Path("a.png"), &error)) << error;
  // Cell (x, y) of the board starts at (16 + 21x, 51 + 21y): the fire at 45
  // burns, the source points east.
  EXPECT_EQ(PixelOf(Path("a.png"), 16 + 105 + 10, 51 + 84 + 10), PieceColor(32));
  EXPECT_EQ(PixelOf(Path("a.png"), 16 + 10, 51 + 10), PieceColor(26));

  ASSERT_TRUE(RenderLevelPng(levels, 0, &kTwoElbows, art_, Path("b.png"), &error)) << error;
  EXPECT_EQ(PixelOf(Path("b.png"), 16 + 105 + 10, 51 + 84 + 10), PieceColor(33));  // doused
  EXPECT_EQ(PixelOf(Path("b.png"), 16 + 42 + 10, 51 + 10), PieceColor(2));  // elbow, rotation 2
}

TEST_F(RenderPng, ExplainsMissingArt) {
  const std::vector<LevelRecord> levels{WorkedExample()};
  std::string error;
  ShowArt art = art_;
  art.piecesPath = Path("missing.bmp");
  EXPECT_FALSE(RenderLevelPng(levels, 0, nullptr, art, Path("c.png"), &error));
  EXPECT_NE(error.find("piece strip"), std::string::npos);
  EXPECT_FALSE(RenderLevelPng(levels, 1, nullptr, art_, Path("c.png"), &error));
  EXPECT_NE(error.find("no level 2"), std::string::npos);
}

}  // namespace
}  // namespace qw
