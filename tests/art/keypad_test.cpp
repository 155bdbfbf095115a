#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "data/keypad.h"
#include "platform/font.h"
#include "shipped_art.h"

namespace qw::testing {
namespace {

using PixelSet = std::set<std::pair<std::int32_t, std::int32_t>>;

// The dark pixels of keypad glyph k, inside the key's frame.
PixelSet GlyphInk(std::int32_t k) {
  const Layout& layout = ShippedLayout();
  PixelSet ink;
  for (std::int32_t y = 4; y < 16; ++y) {
    for (std::int32_t x = 4; x < 16; ++x) {
      const Color c = Skin().ColorAt(layout[23].srcX + 20 * k + x, layout[23].srcY + y);
      if (c.r + c.g + c.b < 3 * 128) ink.insert({x, y});
    }
  }
  return ink;
}

PixelSet LetterInk(const Font& font, wchar_t letter) {
  const TextMask mask = font.Render(std::wstring(1, letter));
  PixelSet ink;
  for (std::int32_t y = 0; y < mask.height; ++y) {
    for (std::int32_t x = 0; x < mask.width; ++x) {
      if (mask.coverage[y * mask.width + x] > 127) ink.insert({x, y});
    }
  }
  return ink;
}

// How well two shapes match at the best shift: shared over combined pixels.
double Match(const PixelSet& a, const PixelSet& b) {
  double best = 0;
  for (std::int32_t dy = -20; dy <= 20; ++dy) {
    for (std::int32_t dx = -20; dx <= 20; ++dx) {
      std::size_t shared = 0;
      for (const auto& [x, y] : b) shared += a.count({x + dx, y + dy});
      best = std::max(best, double(shared) / double(a.size() + b.size() - shared));
    }
  }
  return best;
}

// The glyph of key k must show keypadAlphabet[k]: of the eight letters, it is
// the one whose rendered shape it matches best (so no two glyphs are alike).
TEST(KeypadGlyphs, ShowTheLettersOfTheAlphabetInOrder) {
  ASSERT_GE(ShippedLayout().size(), 25u);
  const auto font = Font::Open(15, 700, "Liberation Sans");
  ASSERT_TRUE(font) << "no bold sans font to read the keys with";
  for (std::int32_t k = 0; k < 8; ++k) {
    const PixelSet glyph = GlyphInk(k);
    EXPECT_FALSE(glyph.empty()) << "glyph " << k;
    std::int32_t best = -1;
    double bestScore = -1;
    for (std::int32_t letter = 0; letter < 8; ++letter) {
      const double score = Match(glyph, LetterInk(*font, keypadAlphabet[letter]));
      if (score > bestScore) {
        bestScore = score;
        best = letter;
      }
    }
    EXPECT_EQ(best, k) << "key " << k << " reads as " << char(keypadAlphabet[best]);
  }
}

}  // namespace
}  // namespace qw::testing
