// Windows bitmap files written byte for byte by the generator, so that the
// same art always gives the same files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace qw::artgen {

// An uncompressed 24-bit BMP, rows bottom-up. False when the file cannot be
// written.
bool WriteBmp24(const Image& image, const std::string& path);

// A 4-bit (16-colour) BMP: each pixel must be one of the palette's colours;
// false (with a message) when one is not or the file cannot be written.
bool WriteBmp4(const Image& image, const std::array<Rgb, 16>& palette, const std::string& path);

// The bytes the two writers put in their files.
std::vector<std::uint8_t> EncodeBmp24(const Image& image);
std::vector<std::uint8_t> EncodeBmp4(const Image& image, const std::array<Rgb, 16>& palette,
                                     bool& ok);

}  // namespace qw::artgen
