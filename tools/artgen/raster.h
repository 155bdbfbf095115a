// The generator's own small raster: an RGB image, colour blending, and shapes
// drawn by supersampling a paint function. Pieces need hard edges against the
// magenta key colour; the skin art blends softly into what lies below.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/geometry.h"

namespace qw::artgen {

// The game's own colour type, so that a theme's colours serve both.
using Rgb = Color;

inline constexpr Rgb kMagenta{255, 0, 255};

// A colour with coverage, in floating point; a = 0 is nothing.
struct Paint {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 0;
};

Paint Solid(Rgb c, double alpha = 1.0);
// top laid over bottom.
Paint Over(const Paint& top, const Paint& bottom);
// t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double factor);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = Rgb{});

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb Get(int x, int y) const;
  void Set(int x, int y, Rgb c);
  // Lays c over the pixel with the given coverage (0..1).
  void Blend(int x, int y, Rgb c, double alpha);
  void Fill(int x, int y, int w, int h, Rgb c);
  // Copies all of src with its top-left at (x, y); pixels equal to key are
  // left out when skipKey is set.
  void Paste(const Image& src, int x, int y, bool skipKey = false, Rgb key = kMagenta);
  Image Crop(int x, int y, int w, int h) const;
  // Every pixel repeated factor times in both directions.
  Image Scaled(int factor) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// Called with the centre of each sub-sample, in the image's pixel units.
using Shader = std::function<Paint(double x, double y)>;

// Supersamples shader over the w x h box at (x, y) with n x n samples per pixel
// and blends the result over the image.
void ShadeSoft(Image& img, int x, int y, int w, int h, const Shader& shader, int n = 6);
// As ShadeSoft, but every pixel either takes the averaged colour (coverage of
// at least one half) or becomes the key colour: sprite edges stay hard.
void ShadeHard(Image& img, int x, int y, int w, int h, const Shader& shader, int n = 8);

}  // namespace qw::artgen
