// Text drawn from glyphs rendered in advance: one coverage mask per
// character, the step from each character to the next, and the pairs that
// step differently (kerning). The browser build has no font library of its
// own; its atlas is made at build time from the desktop's font, so that both
// draw the game's texts with the same pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/font.h"

namespace qw {

class GlyphAtlas {
 public:
  using Renderer = std::function<TextMask(std::wstring_view)>;

  // Renders every character from `first` to `last` and of `more` alone and
  // every pair of them, and finds where the second character of each pair
  // lands. Nothing when `render` gives masks of different heights.
  static std::optional<GlyphAtlas> Build(const Renderer& render, char32_t first, char32_t last,
                                         std::u32string_view more = {});
  // Nothing for bytes that are not an atlas, or one that lies about sizes.
  static std::optional<GlyphAtlas> Parse(std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> Serialize() const;

  // The text as the font would render it: a line stored whole as it is, else
  // each glyph's coverage OR-ed in at its place. A character without a glyph
  // is drawn as '?', or left out.
  TextMask Compose(std::wstring_view text) const;
  // Stores a line whole. The font places glyphs at fractions of a pixel and
  // rounds only the sum, so a line with several kerned pairs can land a
  // pixel away from what its pairs say; the game's own such lines are kept
  // as the font drew them. Refused (false) when the mask's height is not
  // the atlas's or it is empty.
  bool AddLine(std::wstring_view text, TextMask mask);
  std::size_t lineCount() const { return lines_.size(); }

  std::int32_t height() const { return height_; }
  std::size_t glyphCount() const { return glyphs_.size(); }

 private:
  struct Glyph {
    std::int32_t advance = 0;  // to the next glyph, when the pair is not kerned
    std::int32_t width = 0;
    std::vector<std::uint8_t> coverage;  // width x height
  };
  const Glyph* Find(char32_t c) const;
  std::int32_t Step(char32_t a, char32_t b) const;

  std::int32_t height_ = 0;
  std::map<char32_t, Glyph> glyphs_;
  std::map<std::pair<char32_t, char32_t>, std::int32_t> kerning_;  // the step from a to b
  std::map<std::u32string, TextMask> lines_;
};

}  // namespace qw
