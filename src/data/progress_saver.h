// Saving progress without stalling play: the game hands a copy of its
// progress over after each step and goes on at once; a thread of the saver's
// own merges it with the disk, writes and flushes it. Flushing to disk can
// take longer than a frame; the game never waits for it. Saves handed over
// while one is being written are coalesced: only the latest is written.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "data/progress_file.h"

namespace qw {

class ProgressSaver {
 public:
  // Once the saver runs, the file is used by its thread only.
  explicit ProgressSaver(ProgressFile& file);
  // Writes what is still pending, then stops.
  ~ProgressSaver();
  ProgressSaver(const ProgressSaver&) = delete;
  ProgressSaver& operator=(const ProgressSaver&) = delete;

  // Queues a save of progress and returns at once.
  void Save(Progress progress);
  // Waits until everything handed over so far is written (or has failed).
  void Flush();
  // True when the latest finished save could not be written.
  bool lastSaveFailed() const;

 private:
  void Run();

  ProgressFile& file_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::optional<Progress> pending_;
  bool busy_ = false;
  bool failed_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last: starts once everything above is ready
};

}  // namespace qw
