// The editor's verdicts for the game loop: on the desktop a worker thread
// searches while the player goes on editing (started the first time the
// editor asks); in the browser, which has no threads, the verdict is found
// at once on the main loop.
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
  // The verdict on the latest request, once ready (given once).
  std::optional<EditorVerdict> Take();
  // The same, waiting for it up to `wait`.
  std::optional<EditorVerdict> WaitFor(std::chrono::milliseconds wait);

 private:
  std::unique_ptr<VerdictWorker> worker_;
  std::optional<EditorVerdict> ready_;  // without threads: found at the request
};

}  // namespace qw
