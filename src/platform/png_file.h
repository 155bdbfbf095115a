// PNG files, with uncompressed deflate blocks unless the caller packs them:
// pictures of levels for authors and reviews (24-bit colour), the icons
// (with alpha).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qw {

std::vector<std::uint8_t> EncodePng(const Surface& surface);
// A zlib stream of these bytes.
using ZlibPacker = std::vector<std::uint8_t> (*)(const std::vector<std::uint8_t>& raw);
// The bytes as they are, in stored deflate blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw);
// width x height pixels of 8-bit red, green, blue, alpha, rows top-down;
// pack: how the pixel rows are put into the file.
std::vector<std::uint8_t> EncodePngRgba(std::uint32_t width, std::uint32_t height,
                                        const std::vector<std::uint8_t>& rgba,
                                        ZlibPacker pack = StoredZlib);
// False when the file cannot be written.
bool SaveBytes(const std::vector<std::uint8_t>& bytes, const std::string& path);
// False when the file cannot be written.
bool SavePng(const Surface& surface, const std::string& path);

}  // namespace qw
