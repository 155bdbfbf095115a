#include "raster.h"

#include <algorithm>
#include <cmath>

namespace qw::artgen {
namespace {

std::uint8_t ToByte(double v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Sum of the shader over the n x n sub-samples of pixel (px, py), weighted by
// coverage; the colour is kept premultiplied.
Paint Sample(const Shader& shader, int px, int py, int n) {
  Paint sum;
  for (int sy = 0; sy < n; ++sy) {
    for (int sx = 0; sx < n; ++sx) {
      const Paint p = shader(px + (sx + 0.5) / n, py + (sy + 0.5) / n);
      sum.r += p.r * p.a;
      sum.g += p.g * p.a;
      sum.b += p.b * p.a;
      sum.a += p.a;
    }
  }
  const double count = static_cast<double>(n) * n;
  return Paint{sum.r, sum.g, sum.b, sum.a / count};
}

Rgb Unpremultiply(const Paint& p, int n) {
  const double weight = p.a * n * n;
  return Rgb{ToByte(p.r / weight), ToByte(p.g / weight), ToByte(p.b / weight)};
}

}  // namespace

Paint Solid(Rgb c, double alpha) { return Paint{double(c.r), double(c.g), double(c.b), alpha}; }

Paint Over(const Paint& top, const Paint& bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return Paint{};
  auto channel = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
  return Paint{channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{ToByte(a.r + (b.r - a.r) * t), ToByte(a.g + (b.g - a.g) * t),
             ToByte(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, double f) { return Rgb{ToByte(c.r * f), ToByte(c.g * f), ToByte(c.b * f)}; }

Image::Image(int width, int height, Rgb fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

Rgb Image::Get(int x, int y) const {
  return Contains(x, y) ? pixels_[static_cast<std::size_t>(y) * width_ + x] : Rgb{};
}

void Image::Set(int x, int y, Rgb c) {
  if (Contains(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Image::Blend(int x, int y, Rgb c, double alpha) {
  if (!Contains(x, y) || alpha <= 0) return;
  Set(x, y, Mix(Get(x, y), c, std::min(alpha, 1.0)));
}

void Image::Fill(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) Set(i, j, c);
  }
}

void Image::Paste(const Image& src, int x, int y, bool skipKey, Rgb key) {
  for (int j = 0; j < src.height(); ++j) {
    for (int i = 0; i < src.width(); ++i) {
      const Rgb c = src.Get(i, j);
      if (!skipKey || !(c == key)) Set(x + i, y + j, c);
    }
  }
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) out.Set(i, j, Get(x + i, y + j));
  }
  return out;
}

Image Image::Scaled(int factor) const {
  Image out(width_ * factor, height_ * factor);
  for (int j = 0; j < out.height(); ++j) {
    for (int i = 0; i < out.width(); ++i) out.Set(i, j, Get(i / factor, j / factor));
  }
  return out;
}

void ShadeSoft(Image& img, int x, int y, int w, int h, const Shader& shader, int n) {
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      const Paint p = Sample(shader, px, py, n);
      if (p.a > 0) img.Blend(px, py, Unpremultiply(p, n), p.a);
    }
  }
}

void ShadeHard(Image& img, int x, int y, int w, int h, const Shader& shader, int n) {
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      const Paint p = Sample(shader, px, py, n);
      img.Set(px, py, p.a >= 0.5 ? Unpremultiply(p, n) : kMagenta);
    }
  }
}

}  // namespace qw::artgen
