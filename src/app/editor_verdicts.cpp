#include "app/editor_verdicts.h"

#include <utility>

#ifndef QW_NO_THREADS
#include "editor/verdict_worker.h"
#else
#include <emscripten.h>

#include <string>
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

// The browser has no worker thread: none is ever made.
class VerdictWorker {};

// The loop whose request the page's worker is searching; the page hands
// the answer to qw_verdict_found.
struct PageVerdicts {
  static inline EditorVerdicts* waiting = nullptr;

  static void Found(double revision, const char* answer) {
    EditorVerdicts* v = waiting;
    if (!v || !v->pending_ || revision != static_cast<double>(v->pendingRevision_)) return;
    const std::string said = answer == nullptr ? "" : answer;
    if (said.size() < 2) return;
    v->ready_ = EditorVerdict{v->pendingRevision_, said.substr(2), said[0] == '1', said[1] == '1'};
    v->pending_.reset();
  }

  // The page cannot search: the verdicts are found at once from now on.
  static void Failed() {
    EditorVerdicts* v = waiting;
    if (!v) return;
    v->inPage_ = false;
    if (v->pending_) v->Request(*std::exchange(v->pending_, {}), v->pendingRevision_);
  }
};

namespace {

// True when the page's worker took the level (as level-file text).
EM_JS(int, JsSearchVerdict, (double revision, const char* level), {
  const game = typeof window == 'object' && window.quenchway;
  return game && game.searchVerdict ? (game.searchVerdict(revision, UTF8ToString(level)) ? 1 : 0)
                                    : 0;
});

// What the worker hands back: solvable and unique as 0 or 1, the line.
std::string Answer(const Verdict& verdict) {
  const EditorVerdict said = Said(0, verdict);
  return std::string(said.solvable ? "1" : "0") + (said.unique ? "1" : "0") + said.text;
}

}  // namespace

void EditorVerdicts::Request(const Draft& draft, std::uint64_t revision) {
  ready_.reset();
  if (inPage_) {
    LevelRecord record = ToRecord(draft);
    // The verdict reads neither: plain letters pass through any page.
    record.title = L"Level";
    record.password = L"AAAAAA";
    pending_ = draft;
    pendingRevision_ = revision;
    PageVerdicts::waiting = this;
    if (JsSearchVerdict(static_cast<double>(revision), LevelRecordText(record).c_str()) != 0)
      return;
    pending_.reset();
    inPage_ = false;
  }
  ready_ = Said(revision, VerdictOf(draft));
}

std::optional<EditorVerdict> EditorVerdicts::Take() { return std::exchange(ready_, {}); }

std::optional<EditorVerdict> EditorVerdicts::WaitFor(std::chrono::milliseconds) {
  // Nothing can be waited for on the page's thread: a search still with the
  // worker is made here.
  if (!ready_ && pending_) ready_ = Said(pendingRevision_, VerdictOf(*std::exchange(pending_, {})));
  return Take();
}

#endif

EditorVerdicts::EditorVerdicts() = default;
EditorVerdicts::~EditorVerdicts() {
#ifdef QW_NO_THREADS
  if (PageVerdicts::waiting == this) PageVerdicts::waiting = nullptr;
#endif
}

}  // namespace qw

#ifdef QW_NO_THREADS

extern "C" {

// The page's worker's answer on the level at revision (see Answer).
EMSCRIPTEN_KEEPALIVE void qw_verdict_found(double revision, const char* answer) {
  qw::PageVerdicts::Found(revision, answer);
}

// The page's worker could not start: the game searches at once instead.
EMSCRIPTEN_KEEPALIVE void qw_verdict_failed() { qw::PageVerdicts::Failed(); }

// In the worker: the verdict on a level given as level-file text, as Answer
// gives it. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* qw_verdict(const char* level) {
  static std::string answer;
  const std::string text = level == nullptr ? "" : level;
  const std::vector<qw::LevelRecord> records =
      qw::ParseLevels(std::wstring(text.begin(), text.end()));
  std::optional<qw::Draft> draft;
  if (!records.empty()) draft = qw::FromRecord(records.front());
  answer = draft ? qw::Answer(qw::VerdictOf(*draft)) : "00";
  return answer.c_str();
}

}  // extern "C"

#endif
