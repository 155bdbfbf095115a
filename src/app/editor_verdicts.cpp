#include "app/editor_verdicts.h"

#include <utility>

#ifndef QW_NO_THREADS
#include "editor/verdict_worker.h"
#endif

namespace qw {

namespace {

EditorVerdict Said(std::uint64_t revision, const Verdict& verdict) {
  return EditorVerdict{revision, verdict.text, verdict.Shareable(),
                       verdict.kind == Verdict::Kind::kSolvable};
}

}  // namespace

#ifndef QW_NO_THREADS

void EditorVerdicts::Request(const Draft& draft, std::uint64_t revision) {
  if (!worker_) worker_ = std::make_unique<VerdictWorker>();
  worker_->Request(draft, revision);
}

std::optional<EditorVerdict> EditorVerdicts::Take() {
  if (!worker_) return std::nullopt;
  std::optional<VerdictWorker::Result> result = worker_->Take();
  if (!result) return std::nullopt;
  return Said(result->revision, result->verdict);
}

std::optional<EditorVerdict> EditorVerdicts::WaitFor(std::chrono::milliseconds wait) {
  if (!worker_) return std::nullopt;
  std::optional<VerdictWorker::Result> result = worker_->WaitFor(wait);
  if (!result) return std::nullopt;
  return Said(result->revision, result->verdict);
}

#else

// The browser has no worker: none is ever made.
class VerdictWorker {};

void EditorVerdicts::Request(const Draft& draft, std::uint64_t revision) {
  ready_ = Said(revision, VerdictOf(draft));
}

std::optional<EditorVerdict> EditorVerdicts::Take() { return std::exchange(ready_, {}); }

std::optional<EditorVerdict> EditorVerdicts::WaitFor(std::chrono::milliseconds) { return Take(); }

#endif

EditorVerdicts::EditorVerdicts() = default;
EditorVerdicts::~EditorVerdicts() = default;

}  // namespace qw
