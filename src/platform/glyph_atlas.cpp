#include "platform/glyph_atlas.h"

#include <algorithm>
#include <array>

namespace qw {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'Q', 'W', 'G', 'A'};
constexpr std::uint32_t kVersion = 2;
// Far beyond the game's one small font; a file past them is refused.
constexpr std::int32_t kMaxHeight = 1024;
constexpr std::int32_t kMaxGlyphWidth = 4096;
constexpr std::uint32_t kMaxEntries = 1 << 20;
// A composed line wider than this is not drawn.
constexpr std::int64_t kMaxLineWidth = 1 << 16;
// How far from the first glyph's left edge the second may land in a pair.
constexpr std::int32_t kPairSlack = 8;

std::u32string Key(std::wstring_view text) {
  std::u32string key;
  for (const wchar_t c : text) key.push_back(static_cast<char32_t>(c));
  return key;
}

// `part` OR-ed into `mask` at column x; columns outside the mask are left out.
void Overlay(TextMask& mask, const std::vector<std::uint8_t>& part, std::int32_t partWidth,
             std::int64_t x) {
  for (std::int32_t row = 0; row < mask.height; ++row) {
    for (std::int32_t col = 0; col < partWidth; ++col) {
      const std::int64_t at = x + col;
      if (at < 0 || at >= mask.width) continue;
      mask.coverage[static_cast<std::size_t>(row) * mask.width + static_cast<std::size_t>(at)] |=
          part[static_cast<std::size_t>(row) * partWidth + col];
    }
  }
}

class Writer {
 public:
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  std::vector<std::uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::optional<std::uint32_t> U32() {
    if (bytes_.size() - at_ < 4) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
    at_ += 4;
    return v;
  }
  std::optional<std::int32_t> I32() {
    const std::optional<std::uint32_t> v = U32();
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }
  std::optional<std::span<const std::uint8_t>> Bytes(std::size_t n) {
    if (bytes_.size() - at_ < n) return std::nullopt;
    const std::span<const std::uint8_t> out = bytes_.subspan(at_, n);
    at_ += n;
    return out;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<GlyphAtlas> GlyphAtlas::Build(const Renderer& render, char32_t first, char32_t last,
                                            std::u32string_view more) {
  GlyphAtlas atlas;
  std::u32string characters;
  for (char32_t c = first; c <= last && c >= first; ++c) characters.push_back(c);
  characters += more;
  for (const char32_t c : characters) {
    TextMask mask = render(std::wstring(1, static_cast<wchar_t>(c)));
    if (mask.width <= 0 || mask.height <= 0) continue;  // the font has nothing for it
    if (atlas.height_ == 0) atlas.height_ = mask.height;
    if (mask.height != atlas.height_) return std::nullopt;
    atlas.glyphs_[c] = Glyph{mask.width, mask.width, std::move(mask.coverage)};
  }
  if (atlas.glyphs_.empty()) return std::nullopt;

  // Where the second glyph of each pair lands: the one place where the two
  // masks OR-ed together give the pair's own mask, width included.
  std::map<char32_t, std::map<std::int32_t, std::int32_t>> stepVotes;
  std::map<std::pair<char32_t, char32_t>, std::int32_t> steps;
  for (const auto& [a, ga] : atlas.glyphs_) {
    for (const auto& [b, gb] : atlas.glyphs_) {
      const TextMask pair = render(std::wstring{static_cast<wchar_t>(a), static_cast<wchar_t>(b)});
      if (pair.height != atlas.height_) continue;
      for (std::int32_t dx = -kPairSlack; dx <= ga.width + kPairSlack; ++dx) {
        if (std::max(ga.width, dx + gb.width) != pair.width) continue;
        TextMask composed{
            pair.width, pair.height,
            std::vector<std::uint8_t>(static_cast<std::size_t>(pair.width) * pair.height, 0)};
        Overlay(composed, ga.coverage, ga.width, 0);
        Overlay(composed, gb.coverage, gb.width, dx);
        if (composed.coverage == pair.coverage) {
          steps[{a, b}] = dx;
          ++stepVotes[a][dx];
          break;
        }
      }
    }
  }
  // Each glyph's advance is its most common step; the others are kerning.
  for (auto& [c, glyph] : atlas.glyphs_) {
    const auto& votes = stepVotes[c];
    const auto most =
        std::max_element(votes.begin(), votes.end(),
                         [](const auto& x, const auto& y) { return x.second < y.second; });
    if (most != votes.end()) glyph.advance = most->first;
  }
  for (const auto& [pair, step] : steps) {
    if (step != atlas.glyphs_[pair.first].advance) atlas.kerning_[pair] = step;
  }
  return atlas;
}

const GlyphAtlas::Glyph* GlyphAtlas::Find(char32_t c) const {
  auto it = glyphs_.find(c);
  if (it == glyphs_.end()) it = glyphs_.find(U'?');
  return it == glyphs_.end() ? nullptr : &it->second;
}

std::int32_t GlyphAtlas::Step(char32_t a, char32_t b) const {
  const auto kerned = kerning_.find({a, b});
  if (kerned != kerning_.end()) return kerned->second;
  const Glyph* glyph = Find(a);
  return glyph == nullptr ? 0 : glyph->advance;
}

TextMask GlyphAtlas::Compose(std::wstring_view text) const {
  // Up to the first zero character, as the font does.
  text = text.substr(0, text.find(L'\0'));
  if (const auto stored = lines_.find(Key(text)); stored != lines_.end()) return stored->second;
  std::vector<std::pair<const Glyph*, std::int64_t>> placed;
  std::int64_t x = 0;
  std::int64_t left = 0;
  std::int64_t right = 0;
  char32_t previous = 0;
  for (const wchar_t w : text) {
    const auto c = static_cast<char32_t>(w);
    const char32_t drawn = glyphs_.count(c) != 0 ? c : U'?';
    if (!placed.empty()) x += Step(previous, drawn);
    previous = drawn;
    const Glyph* glyph = Find(c);
    if (glyph == nullptr) continue;
    placed.emplace_back(glyph, x);
    left = std::min(left, x);
    right = std::max(right, x + glyph->width);
    if (right - left > kMaxLineWidth) return TextMask{};
  }
  if (placed.empty() || right <= left) return TextMask{};
  TextMask mask{static_cast<std::int32_t>(right - left), height_, {}};
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  for (const auto& [glyph, at] : placed) Overlay(mask, glyph->coverage, glyph->width, at - left);
  return mask;
}

bool GlyphAtlas::AddLine(std::wstring_view text, TextMask mask) {
  if (mask.height != height_ || mask.width < 1 || mask.width > kMaxLineWidth ||
      mask.coverage.size() !=
          static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height)) {
    return false;
  }
  lines_[Key(text)] = std::move(mask);
  return true;
}

std::vector<std::uint8_t> GlyphAtlas::Serialize() const {
  Writer out;
  out.bytes.assign(kMagic.begin(), kMagic.end());
  out.U32(kVersion);
  out.I32(height_);
  out.U32(static_cast<std::uint32_t>(glyphs_.size()));
  for (const auto& [c, glyph] : glyphs_) {
    out.U32(c);
    out.I32(glyph.advance);
    out.I32(glyph.width);
    out.bytes.insert(out.bytes.end(), glyph.coverage.begin(), glyph.coverage.end());
  }
  out.U32(static_cast<std::uint32_t>(kerning_.size()));
  for (const auto& [pair, step] : kerning_) {
    out.U32(pair.first);
    out.U32(pair.second);
    out.I32(step);
  }
  out.U32(static_cast<std::uint32_t>(lines_.size()));
  for (const auto& [text, mask] : lines_) {
    out.U32(static_cast<std::uint32_t>(text.size()));
    for (const char32_t c : text) out.U32(c);
    out.I32(mask.width);
    out.bytes.insert(out.bytes.end(), mask.coverage.begin(), mask.coverage.end());
  }
  return out.bytes;
}

std::optional<GlyphAtlas> GlyphAtlas::Parse(std::span<const std::uint8_t> bytes) {
  Reader in(bytes);
  const auto magic = in.Bytes(kMagic.size());
  if (!magic || !std::equal(magic->begin(), magic->end(), kMagic.begin())) return std::nullopt;
  const auto version = in.U32();
  const auto height = in.I32();
  const auto count = in.U32();
  if (version != kVersion || !height || *height < 1 || *height > kMaxHeight || !count ||
      *count > kMaxEntries) {
    return std::nullopt;
  }
  GlyphAtlas atlas;
  atlas.height_ = *height;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto c = in.U32();
    const auto advance = in.I32();
    const auto width = in.I32();
    if (!c || !advance || !width || *width < 1 || *width > kMaxGlyphWidth ||
        *advance < -kMaxGlyphWidth || *advance > kMaxGlyphWidth) {
      return std::nullopt;
    }
    const auto coverage =
        in.Bytes(static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height));
    if (!coverage) return std::nullopt;
    atlas.glyphs_[*c] = Glyph{*advance, *width, {coverage->begin(), coverage->end()}};
  }
  const auto kerned = in.U32();
  if (!kerned || *kerned > kMaxEntries) return std::nullopt;
  for (std::uint32_t i = 0; i < *kerned; ++i) {
    const auto a = in.U32();
    const auto b = in.U32();
    const auto step = in.I32();
    if (!a || !b || !step || *step < -kMaxGlyphWidth || *step > kMaxGlyphWidth) return std::nullopt;
    atlas.kerning_[{*a, *b}] = *step;
  }
  const auto lines = in.U32();
  if (!lines || *lines > kMaxEntries) return std::nullopt;
  for (std::uint32_t i = 0; i < *lines; ++i) {
    const auto length = in.U32();
    if (!length || *length > kMaxEntries) return std::nullopt;
    std::u32string text;
    for (std::uint32_t k = 0; k < *length; ++k) {
      const auto c = in.U32();
      if (!c) return std::nullopt;
      text.push_back(*c);
    }
    const auto width = in.I32();
    if (!width || *width < 1 || *width > kMaxLineWidth) return std::nullopt;
    const auto coverage =
        in.Bytes(static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height));
    if (!coverage) return std::nullopt;
    atlas.lines_[text] = TextMask{*width, *height, {coverage->begin(), coverage->end()}};
  }
  if (!in.AtEnd() || atlas.glyphs_.empty()) return std::nullopt;
  return atlas;
}

}  // namespace qw
