#include "bmp_writer.h"

#include <cstdio>
#include <fstream>

namespace qw::artgen {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// File header and the 40-byte information header.
std::vector<std::uint8_t> Header(const Image& image, int bitsPerPixel, int paletteSize,
                                 std::uint32_t rowBytes) {
  const std::uint32_t dataOffset = 14 + 40 + 4 * paletteSize;
  const std::uint32_t imageBytes = rowBytes * image.height();
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, dataOffset + imageBytes);
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, image.width());
  Put32(out, image.height());
  Put16(out, 1);
  Put16(out, bitsPerPixel);
  Put32(out, 0);  // no compression
  Put32(out, imageBytes);
  Put32(out, 2835);  // 72 pixels per inch
  Put32(out, 2835);
  Put32(out, paletteSize);
  Put32(out, 0);
  return out;
}

bool WriteFile(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
  const std::uint32_t rowBytes = (image.width() * 3 + 3) & ~3u;
  std::vector<std::uint8_t> out = Header(image, 24, 0, rowBytes);
  for (int y = image.height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.Get(x, y);
      out.insert(out.end(), {c.b, c.g, c.r});
      written += 3;
    }
    for (; written < rowBytes; ++written) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> EncodeBmp4(const Image& image, const std::array<Rgb, 16>& palette,
                                     bool& ok) {
  ok = true;
  const std::uint32_t rowBytes = ((image.width() + 1) / 2 + 3) & ~3u;
  std::vector<std::uint8_t> out = Header(image, 4, 16, rowBytes);
  for (const Rgb& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
  auto index = [&](Rgb c) -> std::uint8_t {
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (palette[i] == c) return static_cast<std::uint8_t>(i);
    }
    ok = false;
    return 0;
  };
  for (int y = image.height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < image.width(); x += 2) {
      const std::uint8_t hi = index(image.Get(x, y));
      const std::uint8_t lo = x + 1 < image.width() ? index(image.Get(x + 1, y)) : 0;
      out.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
      ++written;
    }
    for (; written < rowBytes; ++written) out.push_back(0);
  }
  return out;
}

bool WriteBmp24(const Image& image, const std::string& path) {
  return WriteFile(EncodeBmp24(image), path);
}

bool WriteBmp4(const Image& image, const std::array<Rgb, 16>& palette, const std::string& path) {
  bool ok = true;
  const std::vector<std::uint8_t> bytes = EncodeBmp4(image, palette, ok);
  if (!ok) {
    std::fprintf(stderr, "artgen: %s uses a colour outside its 16-colour palette\n", path.c_str());
    return false;
  }
  return WriteFile(bytes, path);
}

}  // namespace qw::artgen
