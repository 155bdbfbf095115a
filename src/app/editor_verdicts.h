// The editor's verdicts for the game loop: on the desktop a worker thread
// searches while the player goes on editing (started the first time the
// editor asks). The browser has no threads: there the page's worker
// (web/verdict.js) searches with the game's own code loaded once more, and
// a request ends a search still running; without it (script mode, or a
// page that cannot start a worker) the verdict is found at once.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "editor/verdict.h"
#include "ui/editor_screen.h"

namespace qw {

class VerdictWorker;

class EditorVerdicts final : public VerdictSource {
 public:
  EditorVerdicts();
  ~EditorVerdicts() override;

  void Request(const Draft& draft, std::uint64_t revision) override;
  // The browser: the page's worker searches from now on.
  void SearchInPage() { inPage_ = true; }
  // The verdict on the latest request, once ready (given once).
  std::optional<EditorVerdict> Take();
  // The same, waiting for it up to `wait`.
  std::optional<EditorVerdict> WaitFor(std::chrono::milliseconds wait);

 private:
  std::unique_ptr<VerdictWorker> worker_;
  std::optional<EditorVerdict> ready_;  // without threads: found at the request
  // The browser: the page's worker searches for pending_ at pendingRevision_.
  bool inPage_ = false;
  std::optional<Draft> pending_;
  std::uint64_t pendingRevision_ = 0;
  friend struct PageVerdicts;
};

}  // namespace qw
