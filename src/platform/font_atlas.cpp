// The browser build's font: the glyph atlas that the desktop build rendered
// with its own font code, embedded at build time. There is one font, the
// game's; the face, height and weight asked for are not looked up.
#include <memory>

#include "platform/font.h"
#include "platform/glyph_atlas.h"
#include "qw_platform_resources.h"

namespace qw {

struct Font::Impl {
  GlyphAtlas atlas;
};

Font::Font(std::unique_ptr<Impl> impl, std::string path)
    : impl_(std::move(impl)), path_(std::move(path)) {}

Font::~Font() = default;

std::unique_ptr<Font> Font::Open(std::int32_t height, std::int32_t, const std::string&) {
  if (height < 1) return nullptr;
  std::optional<GlyphAtlas> atlas = GlyphAtlas::Parse(glyphs::kGlyphsDat);
  if (!atlas) return nullptr;
  return std::unique_ptr<Font>(
      new Font(std::make_unique<Impl>(Impl{std::move(*atlas)}), "built-in glyph atlas"));
}

TextMask Font::Render(std::wstring_view text) const { return RenderUncached(text); }

TextMask Font::RenderUncached(std::wstring_view text) const { return impl_->atlas.Compose(text); }

}  // namespace qw
