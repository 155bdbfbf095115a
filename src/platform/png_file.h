// PNG files with uncompressed deflate blocks: pictures of levels for authors
// and reviews (24-bit colour), the desktop icons (with alpha).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qw {

std::vector<std::uint8_t> EncodePng(const Surface& surface);
// width x height pixels of 8-bit red, green, blue, alpha, rows top-down.
std::vector<std::uint8_t> EncodePngRgba(std::uint32_t width, std::uint32_t height,
                                        const std::vector<std::uint8_t>& rgba);
// False when the file cannot be written.
bool SaveBytes(const std::vector<std::uint8_t>& bytes, const std::string& path);
// False when the file cannot be written.
bool SavePng(const Surface& surface, const std::string& path);

}  // namespace qw
