#include "platform/bitmap.h"

#include <limits>
#include <vector>

#include "platform/files.h"
#include "platform/stb_image_decoder.h"

namespace qw {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// A skin is a few hundred pixels on a side; these leave ample room.
constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024 * 1024;
// Compression values of the info header.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
         (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A paletted picture whose every index names a colour of its palette, as
// the decoder counts the palette: the entries between the headers and the
// pixels (four bytes each; after the old OS/2 header, three bytes each and
// counted from 10 bytes further on). An index past them would make the
// decoder read colours that are not there.
bool IndicesInPalette(std::span<const std::uint8_t> bytes, std::uint32_t infoSize,
                      std::int64_t width, std::int64_t height, std::uint32_t bitCount,
                      std::int64_t dataOffset, std::int64_t rowBytes) {
  const std::int64_t afterHeader = dataOffset - static_cast<std::int64_t>(kFileHeaderSize);
  const std::int64_t entries =
      infoSize == 12 ? (afterHeader - 24) / 3 : (afterHeader - infoSize) / 4;
  if (entries <= 0 || entries > 256) {
    return false;
  }
  const std::uint32_t mask = (1u << bitCount) - 1;
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes.data() + dataOffset + y * rowBytes;
    for (std::int64_t x = 0; x < width; ++x) {
      const std::int64_t bit = x * bitCount;
      const std::uint32_t index = (row[bit / 8] >> (8 - bitCount - bit % 8)) & mask;
      if (index >= entries) {
        return false;
      }
    }
  }
  return true;
}

// What the decoder is allowed to see: a file whose headers are all there and whose
// size is that of a picture, so that lying headers cannot make it allocate
// or read more than a skin needs.
bool HeadersAreSane(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
    return false;
  }
  const std::uint32_t infoSize = ReadU32(bytes, kFileHeaderSize);
  if (infoSize < 12 || bytes.size() - kFileHeaderSize < infoSize) {
    return false;
  }
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  if (infoSize == 12) {  // the old OS/2 header with 16-bit sizes
    width = ReadU16(bytes, kFileHeaderSize + 4);
    height = ReadU16(bytes, kFileHeaderSize + 6);
    bitCount = ReadU16(bytes, kFileHeaderSize + 10);
  } else if (infoSize >= kInfoHeaderSize) {
    width = static_cast<std::int32_t>(ReadU32(bytes, kFileHeaderSize + 4));
    height = static_cast<std::int32_t>(ReadU32(bytes, kFileHeaderSize + 8));
    bitCount = ReadU16(bytes, kFileHeaderSize + 14);
    compression = ReadU32(bytes, kFileHeaderSize + 16);
  } else {
    return false;
  }
  height = height < 0 ? -height : height;  // negative: stored top-down
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) {
    return false;
  }
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32) {
    return false;
  }
  // The decoder reads plain rows only: no run-length, JPEG or PNG data.
  if (compression != kBiRgb && compression != kBiBitfields) {
    return false;
  }
  // Rows are padded to 4 bytes and must all be in the file.
  const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
  const std::int64_t dataOffset = ReadU32(bytes, 10);
  if (dataOffset + rowBytes * height > static_cast<std::int64_t>(bytes.size())) {
    return false;
  }
  if (bitCount <= 8) {
    return IndicesInPalette(bytes, infoSize, width, height, bitCount, dataOffset, rowBytes);
  }
  return true;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFFu);
  PutU16(out, v >> 16);
}

}  // namespace

std::optional<Surface> LoadBmpMemory(std::span<const std::uint8_t> bytes) {
  if (!HeadersAreSane(bytes) ||
      bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  return DecodeBmp(bytes);
}

std::optional<Surface> LoadBmpFile(const std::string& path) {
  // Only plain files: a pipe or a device could block or never end.
  const FileRead file = ReadFileBytes(path, kMaxFileBytes);
  if (file.status != FileRead::Status::Ok) {
    return std::nullopt;
  }
  return LoadBmpMemory(
      std::span(reinterpret_cast<const std::uint8_t*>(file.bytes.data()), file.bytes.size()));
}

bool SaveBmp24(const Surface& surface, const std::string& path) {
  if (surface.IsEmpty()) {
    return false;  // a BMP has at least one pixel
  }
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(surface.width()) * 3 + 3) / 4 * 4;
  const std::uint64_t dataBytes = rowBytes * static_cast<std::uint64_t>(surface.height());
  const std::uint64_t fileBytes = kFileHeaderSize + kInfoHeaderSize + dataBytes;
  if (fileBytes > std::numeric_limits<std::uint32_t>::max()) {
    return false;
  }
  std::vector<std::uint8_t> header;
  header.reserve(kFileHeaderSize + kInfoHeaderSize);
  header.push_back('B');
  header.push_back('M');
  PutU32(header, static_cast<std::uint32_t>(fileBytes));
  PutU32(header, 0);  // reserved
  PutU32(header, kFileHeaderSize + kInfoHeaderSize);
  PutU32(header, kInfoHeaderSize);
  PutU32(header, static_cast<std::uint32_t>(surface.width()));
  PutU32(header, static_cast<std::uint32_t>(surface.height()));  // positive: bottom-up
  PutU16(header, 1);                                             // planes
  PutU16(header, 24);                                            // bits per pixel
  PutU32(header, kBiRgb);
  PutU32(header, static_cast<std::uint32_t>(dataBytes));
  PutU32(header, 2835);  // 72 dots per inch, both ways
  PutU32(header, 2835);
  PutU32(header, 0);  // colours used
  PutU32(header, 0);  // colours important

  std::string file(header.begin(), header.end());
  file.reserve(static_cast<std::size_t>(fileBytes));
  std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
  for (std::int32_t y = surface.height() - 1; y >= 0; --y) {
    const std::uint32_t* in = surface.Row(y);
    for (std::int32_t x = 0; x < surface.width(); ++x) {
      const Color c = FromPixel(in[x]);
      row[3 * static_cast<std::size_t>(x)] = c.b;
      row[3 * static_cast<std::size_t>(x) + 1] = c.g;
      row[3 * static_cast<std::size_t>(x) + 2] = c.r;
    }
    file.append(row.begin(), row.end());
  }
  return WriteWholeFile(path, file);
}

}  // namespace qw
