// quenchway-bench: the water trace, the paints, presentation and start-up.
// Runs under the display in DISPLAY, or starts an Xvfb of its own; without
// either, the benchmarks that need a window are left out with a message.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/benchmarks.h"
#include "bench/display.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const double frameCopy = qw::bench::FrameCopySeconds();
  benchmark::AddCustomContext("frame_copy_240x268", std::to_string(frameCopy * 1e9) + " ns");
  qw::bench::RegisterTraceBenchmarks();
  qw::bench::RegisterPaintBenchmarks(frameCopy);
  qw::bench::RegisterSoundBenchmark();

  const qw::bench::XDisplay display;
  if (display.available()) {
    qw::bench::RegisterPresentBenchmarks(display);
    qw::bench::RegisterStartupBenchmark();
    qw::bench::RegisterMotionBenchmarks();
  } else {
    std::fprintf(stderr,
                 "quenchway-bench: %s; the presentation and start-up benchmarks are left out\n",
                 display.note().c_str());
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
