// quenchway-artgen: draws the game's art and writes it where the game and its
// build expect it.
//
//   quenchway-artgen ROOT            writes ROOT/data/qw_images.dat,
//                                    ROOT/data/qw_layout.dat and
//                                    ROOT/resources/{pieces,toolbar,icon32,icon16}.bmp
//                                    the desktop icons in ROOT/resources/icons/
//                                    and the sheet of piece rotations ROOT/docs/piece-sheet.png,
//                                    and each further theme's skin and strips,
//                                    ROOT/data/themes/{dark,contrast}/{qw_images.dat,
//                                    pieces.bmp,toolbar.bmp}
//   quenchway-artgen --preview DIR   writes a picture of every screen to DIR,
//                                    each further theme's to DIR/NAME/
//   quenchway-artgen --web-icons DIR writes the browser build's icons,
//                                    DIR/icon-192.png and DIR/icon-512.png
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bmp_writer.h"
#include "icons.h"
#include "piece_sheet.h"
#include "platform/png_file.h"
#include "pieces.h"
#include "preview.h"
#include "skin.h"
#include "text.h"
#include "toolbar.h"
#include "platform/png_file.h"

namespace qw::artgen {
namespace {

bool WriteText(const std::string& text, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file);
}

// The generator's image as the game's surface, for the PNG writer.
Surface ToSurface(const Image& image) {
  Surface surface(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.Get(x, y);
      surface.SetPixel(x, y, ToPixel(Color{c.r, c.g, c.b}));
    }
  }
  return surface;
}

bool Check(bool ok, const std::string& path) {
  if (!ok) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  return ok;
}

// zlib's best compression: the same bytes give the same stream.
std::vector<std::uint8_t> PackedZlib(const std::vector<std::uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> z(size);
  if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) !=
      Z_OK) {
    return StoredZlib(raw);
  }
  z.resize(size);
  return z;
}

bool WriteIconPng(int size, const std::string& path, ZlibPacker pack = StoredZlib) {
  const RgbaImage icon = DrawDesktopIcon(size);
  const auto side = static_cast<std::uint32_t>(size);
  return Check(SaveBytes(EncodePngRgba(side, side, icon.rgba, pack), path), path);
}

// NxN.png at every size and scalable.svg.
bool WriteDesktopIcons(const std::string& folder) {
  bool ok = true;
  for (int size : kDesktopIconSizes) {
    ok = WriteIconPng(size, folder + std::to_string(size) + "x" + std::to_string(size) + ".png") &&
         ok;
  }
  return Check(WriteText(DesktopIconSvg(), folder + "scalable.svg"), folder + "scalable.svg") && ok;
}

// The sizes a web app manifest needs for the home screen and the splash,
// packed: a visitor's browser fetches them.
bool WriteWebIcons(const std::string& folder) {
  bool ok = true;
  for (int size : {192, 512}) {
    ok = WriteIconPng(size, folder + "/icon-" + std::to_string(size) + ".png", PackedZlib) && ok;
  }
  return ok;
}

int WriteAll(const std::string& root, const Skin& skin) {
  const std::string data = root + "/data/";
  const std::string res = root + "/resources/";
  bool ok = Check(WriteBmp24(skin.image, data + "qw_images.dat"), data + "qw_images.dat");
  ok = Check(WriteText(LayoutFileText(skin), data + "qw_layout.dat"), data + "qw_layout.dat") && ok;
  ok = Check(WriteBmp24(DrawPieceStrip(), res + "pieces.bmp"), res + "pieces.bmp") && ok;
  ok = Check(WriteBmp4(DrawToolbarStrip(), ToolbarPalette(), res + "toolbar.bmp"),
             res + "toolbar.bmp") &&
       ok;
  ok = Check(WriteBmp24(DrawIcon(32), res + "icon32.bmp"), res + "icon32.bmp") && ok;
  ok = Check(WriteBmp24(DrawIcon(16), res + "icon16.bmp"), res + "icon16.bmp") && ok;
  const std::string sheet = root + "/docs/piece-sheet.png";
  ok = Check(SavePng(ToSurface(DrawPieceSheet()), sheet), sheet) && ok;
  return WriteDesktopIcons(res + "icons/") && ok ? 0 : 1;
}

// Every theme but Classic: its skin, piece strip and toolbar strip in
// data/themes/NAME/, drawn from the same code in the theme's colours. The
// places of the pictures are Classic's, so one layout serves every theme.
int WriteThemes(const std::string& root, const Fonts& fonts, const Skin& classic) {
  bool ok = true;
  for (const Theme* theme : kThemes) {
    if (theme->id == ThemeId::kClassic) continue;
    SetLook(*theme);
    const Skin skin = BuildSkin(fonts);
    const std::string folder = root + "/data/themes/" + std::string(theme->name) + "/";
    ok = Check(WriteBmp24(DrawPieceStrip(), folder + "pieces.bmp"), folder + "pieces.bmp") && ok;
    ok = Check(WriteBmp4(DrawToolbarStrip(), ToolbarPalette(), folder + "toolbar.bmp"),
               folder + "toolbar.bmp") &&
         ok;
    SetLook(kClassicTheme);
    if (LayoutFileText(skin) != LayoutFileText(classic)) {
      std::fprintf(stderr, "artgen: the %s skin's layout is not Classic's\n",
                   std::string(theme->name).c_str());
      ok = false;
    }
    ok = Check(WriteBmp24(skin.image, folder + "qw_images.dat"), folder + "qw_images.dat") && ok;
  }
  return ok ? 0 : 1;
}

int Run(int argc, char** argv) {
  const std::string usage =
      "usage: quenchway-artgen ROOT | quenchway-artgen --preview DIR | quenchway-artgen "
      "--web-icons DIR\n";
  if (argc == 3 && std::string(argv[1]) == "--web-icons") return WriteWebIcons(argv[2]) ? 0 : 1;
  const bool preview = argc == 3 && std::string(argv[1]) == "--preview";
  if (!preview && argc != 2) {
    std::fputs(usage.c_str(), stderr);
    return 2;
  }
  TextSystem text;
  if (!text.ok()) return 1;
  const Fonts fonts = LoadFonts();
  if (!fonts.ok()) return 1;
  const Skin skin = BuildSkin(fonts);
  if (preview) {
    // Classic's in DIR, each further theme's in DIR/NAME/.
    bool ok = WritePreviews(skin, fonts, argv[2]);
    for (const Theme* theme : kThemes) {
      if (theme->id == ThemeId::kClassic) continue;
      const std::string folder = std::string(argv[2]) + "/" + std::string(theme->name);
      SetLook(*theme);
      ok = std::filesystem::create_directories(folder) || std::filesystem::is_directory(folder);
      ok = ok && WritePreviews(BuildSkin(fonts), fonts, folder);
      SetLook(kClassicTheme);
    }
    if (ok) return 0;
    std::fprintf(stderr, "artgen: cannot write the previews to %s\n", argv[2]);
    return 1;
  }
  const int written = WriteAll(argv[1], skin);
  return WriteThemes(argv[1], fonts, skin) == 0 ? written : 1;
}

}  // namespace
}  // namespace qw::artgen

int main(int argc, char** argv) { return qw::artgen::Run(argc, argv); }
