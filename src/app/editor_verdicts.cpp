#include "app/editor_verdicts.h"

#include <utility>

#ifndef QW_NO_THREADS
#include "editor/verdict_worker.h"
#endif

namespace qw {

EditorVerdicts::EditorVerdicts() = default;
EditorVerdicts::~EditorVerdicts() = default;

#ifndef QW_NO_THREADS

void EditorVerdicts::Request(const Draft& draft, std::uint64_t revision) {
  if (!worker_) worker_ = std::make_unique<VerdictWorker>();
  worker_->Request(draft, revision);
}

std::optional<EditorVerdicts::Answer> EditorVerdicts::Take() {
  if (!worker_) return std::nullopt;
  std::optional<VerdictWorker::Result> result = worker_->Take();
  if (!result) return std::nullopt;
  return Answer{result->revision, std::move(result->verdict.text)};
}

std::optional<EditorVerdicts::Answer> EditorVerdicts::WaitFor(std::chrono::milliseconds wait) {
  if (!worker_) return std::nullopt;
  std::optional<VerdictWorker::Result> result = worker_->WaitFor(wait);
  if (!result) return std::nullopt;
  return Answer{result->revision, std::move(result->verdict.text)};
}

#else

void EditorVerdicts::Request(const Draft& draft, std::uint64_t revision) {
  ready_ = Answer{revision, VerdictOf(draft).text};
}

std::optional<EditorVerdicts::Answer> EditorVerdicts::Take() { return std::exchange(ready_, {}); }

std::optional<EditorVerdicts::Answer> EditorVerdicts::WaitFor(std::chrono::milliseconds) {
  return Take();
}

#endif

}  // namespace qw
