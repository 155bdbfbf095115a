// Shared shading and the pieces that are not pipes: the nozzle, the fire
// (burning and doused), the lightning hazard and the brick wall.
#pragma once

#include "raster.h"
#include "shapes.h"

namespace qw::artgen {

struct Metal {
  Rgb outline;
  Rgb dark;
  Rgb light;
};

inline constexpr Metal kSteel{{36, 38, 60}, {92, 98, 122}, {236, 238, 246}};
inline constexpr Metal kTankBlue{{20, 30, 80}, {30, 60, 150}, {140, 190, 255}};

// A round tube or dome seen from above, lit from the top left: p's distance
// from axisPoint against halfWidth decides the outline ring and the shading.
Paint TubeShade(Vec2 p, Vec2 axisPoint, double halfWidth, const Metal& metal = kSteel);

inline constexpr double kNozzleBodyRadius = 6.2;

// Nozzle pointing toward r; the water channel of its spout is punched out by
// the caller.
Image DrawNozzle(int r);
Image DrawFire(bool doused);
Image DrawHazard();
Image DrawWall();

}  // namespace qw::artgen
