#include "platform/glyph_atlas.h"

#include <gtest/gtest.h>

#include "platform/font.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"

namespace qw {
namespace {

std::optional<GlyphAtlas> AtlasOf(const Font& font) {
  return GlyphAtlas::Build([&](std::wstring_view text) { return font.Render(text); }, U' ', U'~',
                           kTextBeyondAscii);
}

// The browser draws its text from the atlas: every text the game shows must
// come out with the desktop font's own pixels, kerned pairs included.
TEST(GlyphAtlas, ComposesTheGameTextsWithTheFontsOwnPixels) {
  const std::unique_ptr<Font> font = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ASSERT_NE(font, nullptr);
  const std::optional<GlyphAtlas> atlas = AtlasOf(*font);
  ASSERT_TRUE(atlas.has_value());
  EXPECT_EQ(atlas->glyphCount(), 96u);
  std::vector<std::wstring> texts = GameTexts(120);
  texts.insert(texts.end(), {L"AVAT", L"Tokyo", L"3 solutions \u2014 not unique"});
  for (const std::wstring& text : texts) {
    const TextMask expected = font->Render(text);
    const TextMask composed = atlas->Compose(text);
    EXPECT_EQ(composed.width, expected.width) << std::string(text.begin(), text.end());
    EXPECT_EQ(composed.height, expected.height);
    EXPECT_TRUE(composed.coverage == expected.coverage) << std::string(text.begin(), text.end());
  }
  // Characters it has no glyph for are drawn as '?'; nothing gives nothing.
  EXPECT_EQ(atlas->Compose(L"\u00e9").coverage, atlas->Compose(L"?").coverage);
  EXPECT_TRUE(atlas->Compose(L"").coverage.empty());
  EXPECT_EQ(atlas->Compose(std::wstring(L"ab\0cd", 5)).coverage, atlas->Compose(L"ab").coverage);
}

// Two kerned pairs in a row ("is: TITAN", a password's message) add up to a
// pixel that neither pair shows: such a line is stored whole and comes back
// exactly; a line the atlas cannot hold is refused.
TEST(GlyphAtlas, KeepsALineWholeWhereItsPairsLandAPixelOff) {
  const std::unique_ptr<Font> font = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ASSERT_NE(font, nullptr);
  std::optional<GlyphAtlas> atlas = AtlasOf(*font);
  ASSERT_TRUE(atlas.has_value());
  const std::wstring line = L"is: TITAN";
  ASSERT_NE(atlas->Compose(line).coverage, font->Render(line).coverage)
      << "the font no longer rounds this line apart";
  EXPECT_TRUE(atlas->AddLine(line, font->Render(line)));
  EXPECT_EQ(atlas->Compose(line).coverage, font->Render(line).coverage);
  EXPECT_EQ(atlas->Compose(L"TITAN").coverage, font->Render(L"TITAN").coverage);
  EXPECT_FALSE(atlas->AddLine(
      L"x",
      TextMask{3, atlas->height() + 1, std::vector<std::uint8_t>(3 * (atlas->height() + 1))}));
  EXPECT_FALSE(atlas->AddLine(L"x", TextMask{}));

  const std::optional<GlyphAtlas> back = GlyphAtlas::Parse(atlas->Serialize());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->lineCount(), 1u);
  EXPECT_EQ(back->Compose(line).coverage, font->Render(line).coverage);
}

TEST(GlyphAtlas, ReadsBackWhatItWroteAndRefusesDamage) {
  const std::unique_ptr<Font> font = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ASSERT_NE(font, nullptr);
  const std::vector<std::uint8_t> bytes = AtlasOf(*font)->Serialize();
  const std::optional<GlyphAtlas> back = GlyphAtlas::Parse(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->Serialize(), bytes);
  EXPECT_EQ(back->Compose(L"Level 7/40").coverage, font->Render(L"Level 7/40").coverage);

  for (std::size_t n = 0; n < bytes.size(); n += 97) {
    EXPECT_FALSE(GlyphAtlas::Parse(std::span(bytes).first(n)).has_value()) << "cut at " << n;
  }
  std::vector<std::uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(GlyphAtlas::Parse(longer).has_value());
  std::vector<std::uint8_t> wide = bytes;
  wide[24] = 0xFF;  // the first glyph's width, far past the bytes there are
  wide[25] = 0x0F;
  EXPECT_FALSE(GlyphAtlas::Parse(wide).has_value());
}

}  // namespace
}  // namespace qw
