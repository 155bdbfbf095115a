// The sheet of piece rotations in docs/ is a sound PNG of the generator's
// layout and shows the pieces that ship: regenerated with the art, not left
// behind by it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shipped_art.h"

namespace qw::testing {
namespace {

constexpr int kMargin = 4, kPitch = 21, kZoom = 3;
constexpr int kBlockWidth = 8 * kPitch + 1, kBlockHeight = 6 * kPitch + 1;
constexpr int kWidth = kBlockWidth * kZoom + 2 * kMargin;
constexpr int kHeight = kBlockHeight * (1 + kZoom) + 3 * kMargin;

std::uint32_t Crc(const std::uint8_t* data, std::size_t n) {
  std::uint32_t crc = 0xffffffffu;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc & 1) != 0 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

struct Png {
  int width = 0, height = 0, depth = 0, colourType = 0;
  std::vector<std::string> chunks;
  std::vector<std::uint8_t> idat;
};

// Reads the chunks, checking every CRC.
Png ReadPng(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  Png png;
  const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  EXPECT_TRUE(b.size() > 8 && std::equal(signature, signature + 8, b.begin())) << "no PNG signature";
  std::size_t at = 8;
  while (at + 12 <= b.size()) {
    const std::uint32_t length = U32(b, at);
    if (at + 12 + length > b.size()) break;
    const std::string type(b.begin() + static_cast<std::ptrdiff_t>(at + 4), b.begin() + static_cast<std::ptrdiff_t>(at + 8));
    EXPECT_EQ(Crc(b.data() + at + 4, length + 4), U32(b, at + 8 + length)) << "CRC of " << type;
    if (type == "IHDR") {
      png.width = static_cast<int>(U32(b, at + 8));
      png.height = static_cast<int>(U32(b, at + 12));
      png.depth = b[at + 16];
      png.colourType = b[at + 17];
    }
    if (type == "IDAT") png.idat.insert(png.idat.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                        b.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    png.chunks.push_back(type);
    at += 12 + length;
  }
  EXPECT_EQ(at, b.size()) << "bytes after the last chunk";
  return png;
}

// The image data of a zlib stream of stored blocks (what the project's PNG
// writer makes); empty for anything else.
std::vector<std::uint8_t> Unstore(const std::vector<std::uint8_t>& z) {
  std::vector<std::uint8_t> out;
  std::size_t at = 2;
  bool last = false;
  while (!last && at + 5 <= z.size()) {
    last = (z[at] & 1) != 0;
    if ((z[at] & 6) != 0) return {};
    const std::size_t n = z[at + 1] | z[at + 2] << 8;
    if (at + 5 + n > z.size()) return {};
    out.insert(out.end(), z.begin() + static_cast<std::ptrdiff_t>(at + 5), z.begin() + static_cast<std::ptrdiff_t>(at + 5 + n));
    at += 5 + n;
  }
  return last ? out : std::vector<std::uint8_t>{};
}

TEST(PieceSheet, IsAPngOfEveryPipeRotationWetAndDryAtScaleOneAndThreeAsTheyShip) {
  const Png png = ReadPng(ShippedPath("docs/piece-sheet.png"));
  ASSERT_FALSE(png.chunks.empty());
  EXPECT_EQ(png.chunks.front(), "IHDR");
  EXPECT_EQ(png.chunks.back(), "IEND");
  ASSERT_EQ(png.width, kWidth);
  ASSERT_EQ(png.height, kHeight);
  ASSERT_EQ(png.depth, 8);
  ASSERT_EQ(png.colourType, 2);  // RGB
  const std::vector<std::uint8_t> rows = Unstore(png.idat);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kHeight) * (1 + 3 * kWidth)) << "not the writer's stored blocks";
  auto at = [&](int x, int y) {
    const std::size_t i = static_cast<std::size_t>(y) * (1 + 3 * kWidth) + 1 + 3 * static_cast<std::size_t>(x);
    return Color{rows[i], rows[i + 1], rows[i + 2]};
  };
  for (int y = 0; y < kHeight; ++y) ASSERT_EQ(rows[static_cast<std::size_t>(y) * (1 + 3 * kWidth)], 0) << "filter of row " << y;

  ASSERT_EQ(PieceStrip().width(), 36 * 20);
  // Three rows wet, then the same three dry, where the cell shows through.
  const Color cell = at(kMargin + 1, kMargin + 1 + 3 * kPitch);
  for (int row = 0; row < 6; ++row) {
    for (int r = 0; r < 8; ++r) {
      const int n = row % 3 * 8 + r;
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
          const int sx = kMargin + 1 + r * kPitch + x, sy = kMargin + 1 + row * kPitch + y;
          const Color small = at(sx, sy);
          const Color piece = PieceStrip().ColorAt(n * 20 + x, y);
          if (piece != kMagenta || row >= 3) {
            ASSERT_EQ(small, piece != kMagenta ? piece : cell) << "image " << n << " at " << x << "," << y;
          }
          const int bx = kMargin + (sx - kMargin) * kZoom, by = 2 * kMargin + kBlockHeight + (sy - kMargin) * kZoom;
          ASSERT_EQ(at(bx, by), small) << "scale 3, image " << n;
          ASSERT_EQ(at(bx + 2, by + 2), small) << "scale 3, image " << n;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qw::testing
