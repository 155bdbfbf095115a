// quenchway-glyphs OUT DATA: writes the glyph atlas of the game's font
// (printable ASCII and the dash, as the desktop renders them) to OUT, and checks that the
// atlas gives the desktop's exact pixels for every text of the toolbar and
// the caption, and every line of the message boxes the levels in the data
// folder DATA can show.
#include <cstdio>
#include <fstream>
#include <string>
#include <memory>
#include <optional>
#include <vector>

#include "platform/font.h"
#include "platform/glyph_atlas.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: quenchway-glyphs OUT DATA\n", stderr);
    return 2;
  }
  const std::string levelsPath = std::string(argv[2]) + "/qw_levels.dat";
  const std::optional<std::vector<qw::LevelRecord>> levels = qw::LoadLevels(levelsPath);
  if (!levels) {
    std::fprintf(stderr, "quenchway-glyphs: cannot read '%s'\n", levelsPath.c_str());
    return 1;
  }
  const std::unique_ptr<qw::Font> font =
      qw::Font::Open(qw::kTextHeight, qw::kTextWeight, qw::kTextFace);
  if (!font) {
    std::fputs("quenchway-glyphs: the game's font is not installed\n", stderr);
    return 1;
  }
  const auto render = [&](std::wstring_view text) { return font->Render(text); };
  std::optional<qw::GlyphAtlas> atlas =
      qw::GlyphAtlas::Build(render, U' ', U'~', qw::kTextBeyondAscii);
  if (!atlas) {
    std::fputs("quenchway-glyphs: the font's glyphs differ in height\n", stderr);
    return 1;
  }
  int differ = 0;
  std::vector<std::wstring> texts = qw::GameTexts(999);
  for (const std::int32_t count : {1, 9, 10, 99, 100}) {
    const std::vector<std::wstring> more = qw::GameTexts(count);
    texts.insert(texts.end(), more.begin(), more.end());
  }
  // The editor's verdict line, its dash beyond ASCII.
  texts.push_back(L"54 solutions \u2014 not unique");
  const std::vector<std::wstring> messages = qw::MessageTexts(*levels, font.get());
  texts.insert(texts.end(), messages.begin(), messages.end());
  // The lines whose kerned pairs add up to a pixel more or less than the
  // font's own placement are kept whole.
  for (const std::wstring& text : texts) {
    if (atlas->Compose(text).coverage != font->Render(text).coverage)
      atlas->AddLine(text, font->Render(text));
  }
  for (const std::wstring& text : texts) {
    if (atlas->Compose(text).coverage != font->Render(text).coverage) {
      if (++differ <= 5)
        std::fprintf(stderr, "quenchway-glyphs: the atlas draws '%ls' differently\n", text.c_str());
    }
  }
  if (differ != 0) return 1;
  const std::vector<std::uint8_t> bytes = atlas->Serialize();
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "quenchway-glyphs: cannot write '%s'\n", argv[1]);
    return 1;
  }
  std::printf("quenchway-glyphs: %zu glyphs and %zu whole lines from %s, %zu bytes\n",
              atlas->glyphCount(), atlas->lineCount(), font->path().c_str(), bytes.size());
  return 0;
}
