// The groups of benchmarks; main registers them, then runs what the command
// line selects.
#pragma once

#include "bench/display.h"

namespace qw::bench {

// One copy of a whole 240 x 268 client frame, in CPU seconds: the floor that
// every full repaint pays, measured once per run.
double FrameCopySeconds();

void RegisterTraceBenchmarks();
void RegisterPaintBenchmarks(double frameCopySeconds);
// These need the display to stay up while they run.
void RegisterPresentBenchmarks(const XDisplay& display);
void RegisterStartupBenchmark();
void RegisterSoundBenchmark();
// A frame of running water, and the idle game's CPU: these need a display.
void RegisterMotionBenchmarks();

}  // namespace qw::bench
