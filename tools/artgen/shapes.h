// Distance functions for the shapes the art is built from. Signed distances
// are negative inside a shape and positive outside, in pixels.
#pragma once

#include <vector>

namespace qw::artgen {

struct Vec2 {
  double x = 0;
  double y = 0;
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
constexpr Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
double Length(Vec2 v);

// The point of segment a-b nearest to p.
Vec2 NearestOnSegment(Vec2 p, Vec2 a, Vec2 b);
double SegmentDistance(Vec2 p, Vec2 a, Vec2 b);
double CircleDistance(Vec2 p, Vec2 centre, double radius);
double EllipseDistance(Vec2 p, Vec2 centre, double rx, double ry);
// Axis-aligned box from (x0, y0) to (x1, y1) with rounded corners.
double RoundBoxDistance(Vec2 p, double x0, double y0, double x1, double y1, double radius);
// Any simple polygon, points in order.
double PolygonDistance(Vec2 p, const std::vector<Vec2>& poly);

// The unit step of direction d (0 north, clockwise in eighths), y downward.
Vec2 DirectionStep(int d);
// p turned by `eighths` steps of 45 degrees clockwise about c.
Vec2 Rotate(Vec2 p, Vec2 c, int eighths);

// 0 outside, 1 well inside, a smooth edge of about one sub-sample between; for
// shaders that are supersampled anyway a hard step is enough.
inline double Inside(double signedDistance) { return signedDistance <= 0 ? 1.0 : 0.0; }

}  // namespace qw::artgen
