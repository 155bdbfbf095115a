// Writes a Surface as a PNG file (24-bit colour, uncompressed deflate
// blocks): pictures of levels for authors and reviews.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qw {

std::vector<std::uint8_t> EncodePng(const Surface& surface);
// False when the file cannot be written.
bool SavePng(const Surface& surface, const std::string& path);

}  // namespace qw
