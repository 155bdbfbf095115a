// The verdict off the input path: a thread of its own searches while the
// editor takes edits. Each request names the revision of the level it is
// for; a request cancels the search still running for an older one (the
// solver polls a flag every kPollNodes decisions), and a verdict that an
// edit made stale is dropped, never shown.
//
// The browser has no threads and no such worker: there the page runs the
// same VerdictOf in a Web Worker of its own (see app/editor_verdicts.h).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "editor/verdict.h"

namespace qw {

class VerdictWorker {
 public:
  struct Result {
    std::uint64_t revision = 0;
    Verdict verdict;
  };

  // options.keepGoing is the worker's own; a caller's is ignored.
  explicit VerdictWorker(VerdictOptions options = {});
  ~VerdictWorker();  // cancels a running search and waits for the thread
  VerdictWorker(const VerdictWorker&) = delete;
  VerdictWorker& operator=(const VerdictWorker&) = delete;

  // Asks for the verdict on draft at revision (which grows with every
  // change). Returns at once.
  void Request(const Draft& draft, std::uint64_t revision);
  // The verdict on the latest revision requested, once ready (given once);
  // nullopt while it is searched.
  std::optional<Result> Take();
  // The same, waiting up to `wait` for it.
  std::optional<Result> WaitFor(std::chrono::milliseconds wait);

 private:
  void Run();

  VerdictOptions options_;
  std::mutex mutex_;
  std::condition_variable wake_;  // the thread: a request or the end
  std::condition_variable done_;  // WaitFor: a verdict
  std::optional<Draft> pending_;
  std::uint64_t latest_ = 0;  // the revision last requested
  std::optional<Result> ready_;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace qw
