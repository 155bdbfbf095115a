#include "shipped_art.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/bitmap.h"

namespace qw::testing {

std::string ShippedPath(const std::string& relative) {
  return std::string(QW_SOURCE_DIR) + "/" + relative;
}

std::optional<BmpHeader> ReadBmpHeader(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes(30);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), 30) || bytes[0] != 'B' || bytes[1] != 'M') {
    return std::nullopt;
  }
  auto le = [&](int at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | bytes[at + i];
    return v;
  };
  return BmpHeader{static_cast<std::int32_t>(le(18, 4)), static_cast<std::int32_t>(le(22, 4)),
                   static_cast<std::int32_t>(le(28, 2))};
}

const Surface& Skin() {
  static const Surface skin = LoadBmpFile(ShippedPath("data/qw_images.dat")).value_or(Surface{});
  return skin;
}

const Layout& ShippedLayout() {
  static const Layout layout = LoadLayout(ShippedPath("data/qw_layout.dat")).value_or(Layout{});
  return layout;
}

const Surface& PieceStrip() {
  static const Surface strip = LoadBmpFile(ShippedPath("resources/pieces.bmp")).value_or(Surface{});
  return strip;
}

}  // namespace qw::testing
