#include "platform/stb_image_decoder.h"

#include <limits>
#include <memory>

// Only the BMP reader, from memory; no float or HDR paths. A skin is far
// below these dimensions; the callers' own limit is tighter still.
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#define STBI_MAX_DIMENSIONS (1 << 16)
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image.h"

namespace qw {

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  int width = 0;
  int height = 0;
  int channels = 0;
  // Three bytes a pixel, red first, top row first; alpha is dropped.
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 3),
      stbi_image_free);
  if (!rgb || width <= 0 || height <= 0) {
    return std::nullopt;
  }
  Surface surface(width, height);
  const stbi_uc* in = rgb.get();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* out = surface.Row(y);
    for (int x = 0; x < width; ++x, in += 3) {
      out[x] = ToPixel(Color{in[0], in[1], in[2]});
    }
  }
  return surface;
}

}  // namespace qw
