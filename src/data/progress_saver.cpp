#include "data/progress_saver.h"

namespace qw {

ProgressSaver::ProgressSaver(ProgressFile& file) : file_(file), thread_([this] { Run(); }) {}

ProgressSaver::~ProgressSaver() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void ProgressSaver::Save(Progress progress) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_ = std::move(progress);
  }
  wake_.notify_one();
}

void ProgressSaver::Flush() {
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

bool ProgressSaver::lastSaveFailed() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

void ProgressSaver::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return pending_ || stopping_; });
    // What is pending is written even when stopping: the last save at close.
    if (!pending_) return;
    Progress progress = std::move(*pending_);
    pending_.reset();
    busy_ = true;
    lock.unlock();
    const bool ok = file_.Save(progress);
    lock.lock();
    busy_ = false;
    failed_ = !ok;
    idle_.notify_all();
  }
}

}  // namespace qw
