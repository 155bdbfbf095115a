#include "editor/verdict_worker.h"

namespace qw {

VerdictWorker::VerdictWorker(VerdictOptions options) : options_(std::move(options)) {
  thread_ = std::thread([this] { Run(); });
}

VerdictWorker::~VerdictWorker() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void VerdictWorker::Request(const Draft& draft, std::uint64_t revision) {
  {
    std::lock_guard lock(mutex_);
    pending_ = draft;
    latest_ = revision;
    ready_.reset();
  }
  wake_.notify_all();
}

std::optional<VerdictWorker::Result> VerdictWorker::Take() {
  std::lock_guard lock(mutex_);
  std::optional<Result> result = std::move(ready_);
  ready_.reset();
  return result;
}

std::optional<VerdictWorker::Result> VerdictWorker::WaitFor(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  done_.wait_for(lock, wait, [this] { return ready_.has_value(); });
  std::optional<Result> result = std::move(ready_);
  ready_.reset();
  return result;
}

void VerdictWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
    if (quit_) return;
    const Draft draft = std::move(*pending_);
    pending_.reset();
    const std::uint64_t revision = latest_;
    lock.unlock();
    VerdictOptions options = options_;
    // A newer request or the end stops this search.
    options.keepGoing = [this, revision] {
      std::lock_guard check(mutex_);
      return !quit_ && latest_ == revision;
    };
    Verdict verdict = VerdictOf(draft, options);
    lock.lock();
    if (!quit_ && latest_ == revision && verdict.kind != Verdict::Kind::kCancelled) {
      ready_ = Result{revision, std::move(verdict)};
      done_.notify_all();
    }
  }
}

}  // namespace qw
