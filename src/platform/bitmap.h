// Windows bitmap (BMP) files in and out of Surfaces.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/surface.h"

namespace qw {

// Any BMP that the decoder reads (1, 4, 8, 16, 24 and 32 bits, plain rows or
// bit fields), converted to the surface's pixel format. Refuses
// (nullopt) files that are missing, unreadable, malformed, or of dimensions
// too large to be a skin.
std::optional<Surface> LoadBmpFile(const std::string& path);
std::optional<Surface> LoadBmpMemory(std::span<const std::uint8_t> bytes);

// Writes a 24-bit BMP. Returns false when the file cannot be written.
bool SaveBmp24(const Surface& surface, const std::string& path);

}  // namespace qw
