// Where the game's recorded progress goes: the progress file, written on the
// saver's thread in the desktop game (play never waits for the disk) or at
// once in script mode (so that what a script prints follows its commands).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "data/progress.h"
#include "data/progress_file.h"
#include "editor/own_levels.h"
#include "progress/progress_recorder.h"

namespace qw {

// What the game starts from: the progress read at start and where changes
// go. keep false: nothing is recorded at all (script mode without a
// progress folder).
struct ProgressSetup {
  Progress loaded;
  ProgressSink* sink = nullptr;
  bool keep = true;
  // The player's own levels, kept in the progress folder; none without one.
  // Must outlive the game.
  OwnLevels* ownLevels = nullptr;
};

// A sink for the file: in the background, or at once. The file must outlive
// the sink; a background sink writes what is pending before it goes.
std::unique_ptr<ProgressSink> MakeProgressSink(ProgressFile& file, bool background);

// Milliseconds of a steady clock, for play time.
inline std::int64_t SteadyNowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace qw
