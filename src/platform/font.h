// Fonts by height, weight and face name, found through fontconfig and drawn
// with SDL2_ttf. Without a display; SDL's video is not needed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

// 8-bit coverage of rendered text, row by row; 0 is untouched, 255 full colour.
struct TextMask {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> coverage;
};

class Font {
 public:
  // height: the font's cell height in pixels, as the handheld's font height;
  // weight: 400 normal, 700 bold. Returns nullptr when no font is found.
  static std::unique_ptr<Font> Open(std::int32_t height, std::int32_t weight,
                                    const std::string& face);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Rendering the same text again in a row costs a comparison: the font
  // keeps the last mask.
  TextMask Render(std::wstring_view text) const;
  // The file fontconfig chose, for diagnostics.
  const std::string& path() const { return path_; }

 private:
  struct Impl;
  TextMask RenderUncached(std::wstring_view text) const;
  Font(std::unique_ptr<Impl> impl, std::string path);
  std::unique_ptr<Impl> impl_;
  std::string path_;
};

}  // namespace qw
