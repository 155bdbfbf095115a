#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace qw {
namespace {

namespace fs = std::filesystem;

// A fresh folder for the files of one test.
fs::path TestDir() {
  const fs::path dir =
      fs::temp_directory_path() /
      ("qw_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

// 5x3, every pixel different; 5 pixels make rows of 15 bytes, padded to 16.
Surface Sample() {
  Surface s(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      s.SetPixel(x, y,
                 ToPixel(Color{static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(90 * y),
                               static_cast<std::uint8_t>(7 + x + 10 * y)}));
    }
  }
  return s;
}

TEST(Bitmap, SaveThenLoadGivesTheSamePixels) {
  const fs::path dir = TestDir();
  ASSERT_TRUE(SaveBmp24(Sample(), (dir / "a.bmp").string()));
  const std::vector<std::uint8_t> bytes = ReadAll(dir / "a.bmp");
  ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  // Bottom-up: the file starts with the last row, blue first, then padding.
  EXPECT_EQ(bytes[54], 7 + 20);
  EXPECT_EQ(bytes[55], 180);
  EXPECT_EQ(bytes[69], 0);

  const std::optional<Surface> loaded = LoadBmpFile((dir / "a.bmp").string());
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->width(), 5);
  EXPECT_EQ(loaded->pixels(), Sample().pixels());
  ASSERT_TRUE(SaveBmp24(*loaded, (dir / "b.bmp").string()));
  EXPECT_EQ(ReadAll(dir / "b.bmp"), bytes);  // the same bytes every time

  // A negative height stores the rows from the top.
  std::vector<std::uint8_t> topDown = bytes;
  PutU32(topDown, 22, static_cast<std::uint32_t>(-3));
  const std::optional<Surface> flipped = LoadBmpMemory(topDown);
  ASSERT_TRUE(flipped.has_value());
  EXPECT_EQ(flipped->Pixel(4, 2), Sample().Pixel(4, 0));
  fs::remove_all(dir);
}

// The skin may come in any depth: a 32-bit file (alpha dropped) and an 8-bit
// paletted one give the same pixels as the 24-bit one.
TEST(Bitmap, ThirtyTwoBitAndPalettedFilesGiveTheSamePixels) {
  const Surface sample = Sample();
  auto header = [](std::int32_t bits, std::uint32_t dataOffset, std::uint32_t colours) {
    std::vector<std::uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 10, dataOffset);
    PutU32(b, 14, 40);
    PutU32(b, 18, 5);
    PutU32(b, 22, static_cast<std::uint32_t>(-3));  // top-down
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    PutU32(b, 46, colours);
    return b;
  };
  std::vector<std::uint8_t> deep = header(32, 54, 0);
  std::vector<std::uint8_t> paletted = header(8, 54 + 4 * 15, 15);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const Color c = sample.ColorAt(x, y);
      deep.insert(deep.end(), {c.b, c.g, c.r, 0x80});
      paletted.insert(paletted.begin() + 54 + 4 * (5 * y + x), {c.b, c.g, c.r, 0});
    }
  }
  for (int y = 0; y < 3; ++y) {
    paletted.insert(paletted.end(),
                    {std::uint8_t(5 * y), std::uint8_t(5 * y + 1), std::uint8_t(5 * y + 2),
                     std::uint8_t(5 * y + 3), std::uint8_t(5 * y + 4), 0, 0, 0});
  }
  PutU32(deep, 2, static_cast<std::uint32_t>(deep.size()));
  PutU32(paletted, 2, static_cast<std::uint32_t>(paletted.size()));
  for (const auto* bytes : {&deep, &paletted}) {
    const std::optional<Surface> loaded = LoadBmpMemory(*bytes);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->pixels(), sample.pixels());
  }
  // An index past the palette names no colour: refused, never whatever the
  // decoder finds there.
  paletted[54 + 4 * 15] = 15;
  EXPECT_FALSE(LoadBmpMemory(paletted).has_value());
}

TEST(Bitmap, HostileBytesAreRefused) {
  const fs::path dir = TestDir();
  ASSERT_TRUE(SaveBmp24(Sample(), (dir / "a.bmp").string()));
  const std::vector<std::uint8_t> good = ReadAll(dir / "a.bmp");
  for (std::size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(LoadBmpMemory(std::span(good).first(n)).has_value()) << "cut at " << n;
  }
  fs::remove_all(dir);
}

TEST(Bitmap, FilesThatCannotBeReadOrWritten) {
  const fs::path dir = TestDir();
  EXPECT_FALSE(LoadBmpFile((dir / "missing.bmp").string()).has_value());
  EXPECT_FALSE(LoadBmpFile(dir.string()).has_value());
  { std::ofstream(dir / "big.bmp") << "BM"; }
  fs::resize_file(dir / "big.bmp", 64u * 1024 * 1024 + 1);  // sparse: costs no disk
  EXPECT_FALSE(LoadBmpFile((dir / "big.bmp").string()).has_value());

  EXPECT_FALSE(SaveBmp24(Sample(), (dir / "no" / "folder.bmp").string()));
  EXPECT_FALSE(SaveBmp24(Sample(), dir.string()));
  EXPECT_FALSE(SaveBmp24(Surface(), (dir / "empty.bmp").string()));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qw
