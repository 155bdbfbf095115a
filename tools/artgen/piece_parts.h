// Shared shading and the pieces that are not pipes: the nozzle, the fire
// (burning and doused), the lightning hazard and the brick wall.
#pragma once

#include "platform/theme.h"
#include "raster.h"
#include "shapes.h"

namespace qw::artgen {

using Metal = PieceLook::Metal;

// A round tube or dome seen from above, lit from the top left: p's distance
// from axisPoint against halfWidth decides the outline ring (as wide as the
// theme's outlines) and the shading.
Paint TubeShade(Vec2 p, Vec2 axisPoint, double halfWidth, const Metal& metal);

inline constexpr double kNozzleBodyRadius = 6.2;

// Nozzle pointing toward r; the water channel of its spout is punched out by
// the caller.
Image DrawNozzle(int r);
Image DrawFire(bool doused);
Image DrawHazard();
Image DrawWall();

}  // namespace qw::artgen
