#include "platform/font.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>

#include "platform/utf8.h"

namespace qw {

struct Font::Impl {
  // Made only after TTF_Init succeeded; SDL_ttf counts the calls.
  Impl() = default;
  ~Impl() {
    if (font != nullptr) {
      TTF_CloseFont(font);
    }
    TTF_Quit();
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  TTF_Font* font = nullptr;
  // The last text rendered and its mask: the play screen draws the same
  // caption on every paint, and shaping and hinting it again costs more than
  // the rest of the paint.
  std::wstring lastText;
  TextMask lastMask;
  bool hasLast = false;
};

namespace {

// The largest point size asked for: far beyond any cell height in the game.
constexpr std::int32_t kMaxHeight = 1024;

struct FontFile {
  std::string path;
  int index = 0;
  int weight = FC_WEIGHT_REGULAR;  // fontconfig's scale
};

// fontconfig keeps the configuration it parsed at the first lookup until
// it is told to let go: the process lets go as it ends, so that a leak
// checker finds nothing of it to report (or to look up suppressions for,
// which under the sanitizers cost a third of a short run).
struct FontconfigRelease {
  ~FontconfigRelease() { FcFini(); }
};

// The files fontconfig offers for the face and weight, best match first.
std::vector<FontFile> MatchFonts(std::int32_t weight, const std::string& face) {
  static FontconfigRelease release;
  std::vector<FontFile> files;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) {
    return files;
  }
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight, 1, 1000)));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
  if (set != nullptr) {
    // A few candidates are enough: the first that SDL_ttf opens is taken.
    for (int i = 0; i < set->nfont && files.size() < 8; ++i) {
      FcPattern* font = FcFontRenderPrepare(nullptr, pattern, set->fonts[i]);
      if (font == nullptr) {
        continue;
      }
      FcChar8* file = nullptr;
      FcBool scalable = FcFalse;
      if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch && file != nullptr &&
          (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || scalable)) {
        FontFile found{reinterpret_cast<const char*>(file), 0, FC_WEIGHT_REGULAR};
        FcPatternGetInteger(font, FC_INDEX, 0, &found.index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &found.weight);
        files.push_back(found);
      }
      FcPatternDestroy(font);
    }
    FcFontSetDestroy(set);
  }
  FcPatternDestroy(pattern);
  return files;
}

// The largest point size whose line height fits in `height`; 1 when none does.
int PointSizeFor(TTF_Font* font, std::int32_t height) {
  int best = 1;
  for (int size = 1; size <= 4 * kMaxHeight; ++size) {
    if (TTF_SetFontSize(font, size) != 0) {
      break;
    }
    const int lineHeight = TTF_FontHeight(font);
    if (lineHeight <= height) {
      best = size;
    } else if (lineHeight > height + 2) {
      break;  // the height only grows from here
    }
  }
  TTF_SetFontSize(font, best);
  return best;
}

}  // namespace

Font::Font(std::unique_ptr<Impl> impl, std::string path)
    : impl_(std::move(impl)), path_(std::move(path)) {}

Font::~Font() = default;

std::unique_ptr<Font> Font::Open(std::int32_t height, std::int32_t weight,
                                 const std::string& face) {
  if (height < 1) {
    return nullptr;
  }
  height = std::min(height, kMaxHeight);
  const std::vector<FontFile> files = MatchFonts(weight, face);
  if (files.empty() || TTF_Init() != 0) {
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  for (const FontFile& file : files) {
    impl->font = TTF_OpenFontIndex(file.path.c_str(), height, file.index);
    if (impl->font == nullptr) {
      continue;
    }
    PointSizeFor(impl->font, height);
    // No bold file for this face: let SDL_ttf embolden the regular one.
    if (weight >= 600 && file.weight < FC_WEIGHT_DEMIBOLD) {
      TTF_SetFontStyle(impl->font, TTF_STYLE_BOLD);
    }
    return std::unique_ptr<Font>(new Font(std::move(impl), file.path));
  }
  return nullptr;  // impl's destructor balances TTF_Init
}

TextMask Font::Render(std::wstring_view text) const {
  if (impl_->hasLast && impl_->lastText == text) {
    return impl_->lastMask;
  }
  TextMask mask = RenderUncached(text);
  impl_->lastText.assign(text);
  impl_->lastMask = mask;
  impl_->hasLast = true;
  return mask;
}

TextMask Font::RenderUncached(std::wstring_view text) const {
  TextMask mask;
  // SDL_ttf reads a C string: the text ends at its first zero character.
  const std::string utf8 = ToUtf8(text);
  if (utf8.empty()) {
    return mask;
  }
  const SDL_Color white{255, 255, 255, 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(impl_->font, utf8.c_str(), white);
  if (rendered == nullptr) {
    return mask;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr) {
    return mask;
  }
  if (SDL_LockSurface(argb) == 0) {
    mask.width = argb->w;
    mask.height = argb->h;
    mask.coverage.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
    const auto* bytes = static_cast<const std::uint8_t*>(argb->pixels);
    for (int y = 0; y < argb->h; ++y) {
      const auto* row =
          reinterpret_cast<const std::uint32_t*>(bytes + static_cast<std::size_t>(y) * argb->pitch);
      for (int x = 0; x < argb->w; ++x) {
        mask.coverage[static_cast<std::size_t>(y) * argb->w + x] =
            static_cast<std::uint8_t>(row[x] >> 24);
      }
    }
    SDL_UnlockSurface(argb);
  }
  SDL_FreeSurface(argb);
  return mask;
}

}  // namespace qw
