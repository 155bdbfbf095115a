// Skins that are empty, random, lying in their headers, without pixels, too
// large or too small for the layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "hostile.h"

namespace qw::testing {
namespace {

struct Bmp {
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colours = 0;       // palette entries the header claims
  std::uint32_t infoSize = 40;
  std::int64_t offset = -1;        // where the pixels start; -1: after the palette
  std::int64_t fileSize = -1;      // what the header claims; -1: the truth
  std::string palette;             // 4 bytes an entry
  std::string pixels = std::string(16, '\x5A');
};

void Put16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string Bytes(const Bmp& b) {
  std::string info;
  Put32(info, b.infoSize);
  Put32(info, static_cast<std::uint32_t>(b.width));
  Put32(info, static_cast<std::uint32_t>(b.height));
  Put16(info, 1);
  Put16(info, b.bits);
  Put32(info, b.compression);
  Put32(info, static_cast<std::uint32_t>(b.pixels.size()));
  Put32(info, 2835);
  Put32(info, 2835);
  Put32(info, b.colours);
  Put32(info, 0);
  const std::size_t start = 14 + info.size() + b.palette.size();
  std::string file = "BM";
  Put32(file, static_cast<std::uint32_t>(b.fileSize >= 0 ? b.fileSize : static_cast<std::int64_t>(start + b.pixels.size())));
  Put32(file, 0);
  Put32(file, static_cast<std::uint32_t>(b.offset >= 0 ? b.offset : static_cast<std::int64_t>(start)));
  return file + info + b.palette + b.pixels;
}

// A 2 x 2 24-bit picture, changed by `edit`.
template <typename Edit>
std::string With(Edit edit) {
  Bmp b;
  edit(b);
  return Bytes(b);
}

std::string Greys(int n) {
  std::string p;
  for (int i = 0; i < n; ++i) p += std::string{static_cast<char>(i * 40), static_cast<char>(i * 40), '\xFF', '\0'};
  return p;
}

void ExpectSkin(const std::string& name, const std::string& bytes, bool mayLoad) {
  SCOPED_TRACE(name);
  Sandbox box("image_" + name);
  box.Write("qw_images.dat", bytes);
  const Outcome run = box.Run(PlayScript(box));
  if (mayLoad) {
    ExpectRefusedOrPlayed(run, box, kImageRefused);
  } else {
    ExpectRefused(run, kImageRefused);
  }
}

TEST(HostileSkin, EmptyAndRandomBytesAreRefused) {
  ExpectSkin("empty", "", false);
  ExpectSkin("garbage", Garbage(4096, 1), false);
  ExpectSkin("bm_then_garbage", "BM" + Garbage(4096, 2), true);
  ExpectSkin("text", std::string(10 * 1024 * 1024, '7') + "\r\n", false);
}

TEST(HostileSkin, LyingHeadersAreRefusedBeforeTheDecoderSeesThem) {
  ExpectSkin("zero_by_zero", With([](Bmp& b) { b.width = b.height = 0; }), false);
  ExpectSkin("huge", With([](Bmp& b) { b.width = b.height = 100000; }), false);
  ExpectSkin("height_min", With([](Bmp& b) { b.height = std::numeric_limits<std::int32_t>::min(); }), false);
  ExpectSkin("pixels_past_end", With([](Bmp& b) { b.offset = 0x7FFFFFF0; }), false);
  ExpectSkin("pixels_cut_short", With([](Bmp& b) { b.width = b.height = 8; }), false);
  ExpectSkin("bits_7", With([](Bmp& b) { b.bits = 7; }), false);
  ExpectSkin("info_size_huge", With([](Bmp& b) { b.infoSize = 0x7FFFFFFF; }), false);
  ExpectSkin("info_size_20", With([](Bmp& b) { b.infoSize = 20; }), false);
}

TEST(HostileSkin, LiesTheDecoderJudgesLoadOrAreRefused) {
  auto paletted = [](std::uint32_t colours) {
    return [colours](Bmp& b) {
      b.bits = 8;
      b.colours = colours;
      b.palette = Greys(2);
    };
  };
  ExpectSkin("pixels_inside_header", With([](Bmp& b) { b.offset = 2; }), true);
  ExpectSkin("file_size_lies", With([](Bmp& b) { b.fileSize = 0xFFFFFFFF; }), true);
  ExpectSkin("palette_count_huge", With(paletted(0xFFFFFFFF)), true);
  ExpectSkin("palette_count_300", With(paletted(300)), true);
  ExpectSkin("index_past_palette", With(paletted(2)), true);
  ExpectSkin("compression_jpeg", With([](Bmp& b) { b.compression = 4; }), true);
  ExpectSkin("compression_99", With([](Bmp& b) { b.compression = 99; }), true);
  ExpectSkin("rle8_on_24_bits", With([](Bmp& b) { b.compression = 1; }), true);
  // Run-length data whose runs and jumps reach far past a 4 x 4 picture.
  auto runs = [](std::uint16_t bits) {
    return [bits](Bmp& b) {
      b.width = b.height = 4;
      b.bits = bits;
      b.compression = bits == 8 ? 1 : 2;
      b.colours = 4;
      b.palette = Greys(4);
      b.pixels = std::string("\xFF\x01\x00\x02\x7F\x7F\xFF\x02\x00\x00\xFF\x03\x00\x01", 14);
    };
  };
  ExpectSkin("rle8_runs_past_picture", With(runs(8)), true);
  ExpectSkin("rle4_runs_past_picture", With(runs(4)), true);
}

TEST(HostileSkin, ATinySkinPlaysWithSourceRectanglesOutsideIt) {
  // Every item's picture lies (mostly) outside a 2 x 2 skin: what exists is
  // drawn, the rest is left as it was.
  Sandbox box("image_tiny");
  box.Write("qw_images.dat", With([](Bmp&) {}));
  ExpectPlayed(box.Run(PlayScript(box)), box);
}

}  // namespace
}  // namespace qw::testing
