// The BMP pixel decoder: stb_image (Debian's libstb-dev), the same in the
// desktop and the browser build. Callers check the headers first.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/surface.h"

namespace qw {

// The picture in the surface's pixel format, or nothing when the decoder
// refuses the bytes (run-length data, a broken palette, data cut short).
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace qw
