#include "icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

#include "raster.h"
#include "shapes.h"

namespace qw::artgen {
namespace {

// A fill that runs from `from` at p0 to `to` at p1 (the same colour twice for
// a solid one).
struct Gradient {
  Rgb from;
  Rgb to;
  Vec2 p0;
  Vec2 p1;
};

enum class ShapeKind { kRoundBox, kPolygon, kTeardrop, kCircle };

// One layer of the icon, in the pixels of the size it is drawn at. The stroke
// is centred on the outline, as an SVG stroke is.
struct Layer {
  ShapeKind kind = ShapeKind::kPolygon;
  std::vector<Vec2> points;               // polygon; teardrop: its tip
  Vec2 centre;                            // circle and teardrop
  double radius = 0;                      // circle, teardrop and the box's corners
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // box
  Gradient fill;
  std::optional<Rgb> stroke;
  double strokeWidth = 0;
};

// The two points where lines from the tip touch the circle, left then right.
std::array<Vec2, 2> TeardropTangents(const Layer& l) {
  const Vec2 tip = l.points.front();
  const Vec2 d = l.centre - tip;
  const double dist = Length(d);
  const double along = std::sqrt(dist * dist - l.radius * l.radius);
  const double angle = std::asin(l.radius / dist);
  const double base = std::atan2(d.y, d.x);
  const auto at = [&](double a) {
    return Vec2{tip.x + along * std::cos(a), tip.y + along * std::sin(a)};
  };
  return {at(base + angle), at(base - angle)};
}

double Distance(const Layer& l, Vec2 p) {
  switch (l.kind) {
    case ShapeKind::kRoundBox: return RoundBoxDistance(p, l.x0, l.y0, l.x1, l.y1, l.radius);
    case ShapeKind::kPolygon: return PolygonDistance(p, l.points);
    case ShapeKind::kCircle: return CircleDistance(p, l.centre, l.radius);
    case ShapeKind::kTeardrop: {
      const auto t = TeardropTangents(l);
      return std::min(CircleDistance(p, l.centre, l.radius),
                      PolygonDistance(p, {l.points.front(), t[0], t[1]}));
    }
  }
  return 1;
}

Rgb FillAt(const Gradient& g, Vec2 p) {
  const Vec2 d = g.p1 - g.p0;
  const double len2 = d.x * d.x + d.y * d.y;
  const double t = len2 > 0 ? ((p.x - g.p0.x) * d.x + (p.y - g.p0.y) * d.y) / len2 : 0;
  return Mix(g.from, g.to, std::clamp(t, 0.0, 1.0));
}

Gradient SolidFill(Rgb c) { return Gradient{c, c, {}, {}}; }

// The design on a 32 x 32 grid, laid out for one size: the tile's margin and
// outline are whole pixels, the outlines of the drop and the flame at least
// one pixel, and the smallest sizes leave out what they cannot show.
std::vector<Layer> IconLayers(int size) {
  const int margin = size / 32;
  const int tileStroke = std::max(1, size / 32);
  const double s = (size - 2.0 * margin) / 32.0;
  const auto map = [&](Vec2 p) { return Vec2{margin + p.x * s, margin + p.y * s}; };
  const double stroke = std::max(1.0, std::round(1.2 * s));
  std::vector<Layer> layers;

  Layer tile;
  tile.kind = ShapeKind::kRoundBox;
  tile.x0 = tile.y0 = margin + tileStroke / 2.0;
  tile.x1 = tile.y1 = size - margin - tileStroke / 2.0;
  tile.radius = size * 5.0 / 32.0;
  tile.fill = Gradient{
      Rgb{120, 120, 250}, Rgb{50, 50, 190}, {0, double(margin)}, {0, double(size - margin)}};
  tile.stroke = Rgb{24, 24, 90};
  tile.strokeWidth = tileStroke;
  layers.push_back(tile);

  const std::vector<Vec2> flame{{17, 29}, {13.5, 23.5}, {14.5, 17}, {17.5, 20.5}, {20.5, 11},
                                {24, 17}, {26, 13.5},   {29, 21},   {28.5, 26.5}, {26, 29}};
  Layer fire;
  for (Vec2 p : flame) fire.points.push_back(map(p));
  fire.fill = SolidFill(Rgb{236, 70, 24});
  fire.stroke = Rgb{110, 20, 10};
  fire.strokeWidth = stroke;
  layers.push_back(fire);
  if (size >= 24) {
    Layer core;
    const Vec2 heart{21.5, 27};
    for (Vec2 p : flame) core.points.push_back(map(heart + (p - heart) * 0.5));
    core.fill = SolidFill(Rgb{255, 200, 60});
    layers.push_back(core);
  }

  Layer drop;
  drop.kind = ShapeKind::kTeardrop;
  drop.points = {map({12, 3.5})};
  drop.centre = map({12, 18.5});
  drop.radius = 7.6 * s;
  drop.fill = Gradient{Rgb{90, 170, 255}, Rgb{0, 40, 220}, map({6, 10}), map({18, 26})};
  drop.stroke = Rgb{10, 10, 80};
  drop.strokeWidth = stroke;
  layers.push_back(drop);
  if (size >= 24) {
    Layer shine;
    shine.kind = ShapeKind::kCircle;
    shine.centre = map({9.3, 17.3});
    shine.radius = 2.1 * s;
    shine.fill = SolidFill(Rgb{235, 245, 255});
    layers.push_back(shine);
  }
  return layers;
}

Paint PaintAt(const std::vector<Layer>& layers, Vec2 p) {
  Paint paint;
  for (const Layer& l : layers) {
    const double d = Distance(l, p);
    if (l.stroke && std::abs(d) <= l.strokeWidth / 2) {
      paint = Over(Solid(*l.stroke), paint);
    } else if (d <= 0) {
      paint = Over(Solid(FillAt(l.fill, p)), paint);
    }
  }
  return paint;
}

std::uint8_t Byte(double v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

std::string Hex(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::string Num(double v) {
  std::ostringstream out;
  out << std::round(v * 100) / 100;
  return out.str();
}

std::string Point(Vec2 p) { return Num(p.x) + "," + Num(p.y); }

}  // namespace

RgbaImage DrawDesktopIcon(int size) {
  const std::vector<Layer> layers = IconLayers(size);
  RgbaImage image{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
  constexpr int n = 8;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Paint sum;  // premultiplied
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
          const Paint p = PaintAt(layers, {x + (sx + 0.5) / n, y + (sy + 0.5) / n});
          sum = Paint{sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
        }
      }
      std::uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      if (sum.a > 0) {
        out[0] = Byte(sum.r / sum.a);
        out[1] = Byte(sum.g / sum.a);
        out[2] = Byte(sum.b / sum.a);
      }
      out[3] = Byte(255 * sum.a / (n * n));
    }
  }
  return image;
}

std::string DesktopIconSvg() {
  constexpr int kSize = 128;
  const std::vector<Layer> layers = IconLayers(kSize);
  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<!-- Quenchway's icon. Written by tools/artgen (run `make art`); edit the generator, not "
         "this file. -->\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSize << "\" height=\"" << kSize
      << "\" viewBox=\"0 0 " << kSize << " " << kSize << "\">\n";
  svg << "  <defs>\n";
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const Gradient& g = layers[i].fill;
    if (g.from == g.to) continue;
    svg << "    <linearGradient id=\"fill" << i << "\" gradientUnits=\"userSpaceOnUse\" x1=\""
        << Num(g.p0.x) << "\" y1=\"" << Num(g.p0.y) << "\" x2=\"" << Num(g.p1.x) << "\" y2=\""
        << Num(g.p1.y) << "\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << Hex(g.from) << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << Hex(g.to) << "\"/>\n"
        << "    </linearGradient>\n";
  }
  svg << "  </defs>\n";
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const Layer& l = layers[i];
    std::string paint = l.fill.from == l.fill.to ? "fill=\"" + Hex(l.fill.from) + "\""
                                                 : "fill=\"url(#fill" + std::to_string(i) + ")\"";
    if (l.stroke) {
      paint += " stroke=\"" + Hex(*l.stroke) + "\" stroke-width=\"" + Num(l.strokeWidth) +
               "\" stroke-linejoin=\"round\"";
    }
    switch (l.kind) {
      case ShapeKind::kRoundBox:
        svg << "  <rect x=\"" << Num(l.x0) << "\" y=\"" << Num(l.y0) << "\" width=\""
            << Num(l.x1 - l.x0) << "\" height=\"" << Num(l.y1 - l.y0) << "\" rx=\"" << Num(l.radius)
            << "\" " << paint << "/>\n";
        break;
      case ShapeKind::kPolygon: {
        svg << "  <polygon points=\"";
        for (std::size_t k = 0; k < l.points.size(); ++k)
          svg << (k ? " " : "") << Point(l.points[k]);
        svg << "\" " << paint << "/>\n";
        break;
      }
      case ShapeKind::kCircle:
        svg << "  <circle cx=\"" << Num(l.centre.x) << "\" cy=\"" << Num(l.centre.y) << "\" r=\""
            << Num(l.radius) << "\" " << paint << "/>\n";
        break;
      case ShapeKind::kTeardrop: {
        // From the tip to the left tangent point, round the bottom of the
        // circle to the right one, and back.
        const auto t = TeardropTangents(l);
        svg << "  <path d=\"M " << Point(l.points.front()) << " L " << Point(t[0]) << " A "
            << Num(l.radius) << " " << Num(l.radius) << " 0 1 0 " << Point(t[1]) << " Z\" " << paint
            << "/>\n";
        break;
      }
    }
  }
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace qw::artgen
