#include "platform/png_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/files.h"

namespace qw {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(type[i]));
  out.insert(out.end(), data.begin(), data.end());
  std::uint32_t crc = 0xffffffffu;
  for (std::size_t i = start; i < out.size(); ++i)
    crc = kCrcTable[(crc ^ out[i]) & 0xff] ^ (crc >> 8);
  PutU32(out, crc ^ 0xffffffffu);
}

// A PNG of rows already laid out as `channels` bytes a pixel; colour type 2
// is RGB, 6 is RGBA.
std::vector<std::uint8_t> EncodeRows(std::uint32_t w, std::uint32_t h, std::uint8_t colourType,
                                     std::size_t channels, const std::vector<std::uint8_t>& pixels,
                                     ZlibPacker pack) {
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(h) * (1 + channels * w));
  for (std::size_t y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y * channels * w);
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(channels * w));
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<std::uint8_t> header;
  PutU32(header, w);
  PutU32(header, h);
  header.insert(header.end(),
                {8, colourType, 0, 0, 0});  // 8 bits, deflate, no filter, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", pack(raw));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  constexpr std::size_t kBlock = 65535;
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kBlock, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n & 0xff));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n & 0xff));
    z.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xff));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutU32(z, (b << 16) | a);
  return z;
}

std::vector<std::uint8_t> EncodePng(const Surface& surface) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(surface.width()) *
              static_cast<std::size_t>(surface.height()) * 3);
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    for (std::int32_t x = 0; x < surface.width(); ++x) {
      const std::uint32_t p = surface.Pixel(x, y);
      rgb.push_back(static_cast<std::uint8_t>(p >> 16));
      rgb.push_back(static_cast<std::uint8_t>(p >> 8));
      rgb.push_back(static_cast<std::uint8_t>(p));
    }
  }
  return EncodeRows(static_cast<std::uint32_t>(surface.width()),
                    static_cast<std::uint32_t>(surface.height()), 2, 3, rgb, StoredZlib);
}

std::vector<std::uint8_t> EncodePngRgba(std::uint32_t width, std::uint32_t height,
                                        const std::vector<std::uint8_t>& rgba, ZlibPacker pack) {
  return EncodeRows(width, height, 6, 4, rgba, pack);
}

bool SaveBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  return WriteWholeFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool SavePng(const Surface& surface, const std::string& path) {
  return SaveBytes(EncodePng(surface), path);
}

}  // namespace qw
