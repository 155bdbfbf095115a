// The level editor's screen: a level being made, drawn as a player would
// first see it, the edits of the pen, the keys and scripts made on it with
// their own history, and the verdict line under the board. The verdict is
// searched off the input path: every change asks the verdict source for the
// new revision, and the answer arrives later through VerdictArrived (an
// answer for an older revision is dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/levels.h"
#include "editor/level_draft.h"
#include "model/puzzle.h"
#include "ui/session.h"

namespace qw {

// Where verdicts come from; the search lives behind this interface.
class VerdictSource {
 public:
  virtual ~VerdictSource() = default;
  // Asks for the verdict on draft at revision and returns at once; an
  // earlier request still searched is given up.
  virtual void Request(const Draft& draft, std::uint64_t revision) = 0;
};

// The line shown while the verdict of the latest change is searched.
inline constexpr const char* kVerdictSearching = "Checking...";

class EditorScreen {
 public:
  explicit EditorScreen(Session& session);

  // Shows the editor on `draft` (a new level: an empty one) with a history
  // of its own, the play screen's toolbar hidden.
  void Open(Draft draft = Draft{});
  // Shows the editor again as it was left (after a test play).
  void Reopen();
  // Makes an edit; one refused says why in the command bar and changes
  // nothing. True when made.
  bool Make(const Edit& edit);
  void Undo();
  void Redo();

  // The verdict on `revision`; shown only when it is still the latest.
  void VerdictArrived(std::uint64_t revision, const std::string& text);
  // The latest change's verdict has not arrived yet.
  bool VerdictPending() const { return verdictRevision_ != editor_.revision(); }
  // The verdict line: the latest verdict, or kVerdictSearching.
  const std::string& verdict() const { return verdict_; }

  // Must outlive the screen; none: the verdict line stays "Checking...".
  void SetVerdictSource(VerdictSource* source) { verdicts_ = source; }

  const LevelEditor& editor() const { return editor_; }
  const Draft& draft() const { return editor_.draft(); }
  // The level as a player first sees it: board and tray as a level starts.
  const Puzzle& preview() const { return preview_; }

 private:
  // After every change: the preview follows, the verdict is asked for, the
  // screen repaints.
  void Changed();

  Session& s_;
  LevelEditor editor_;
  std::vector<LevelRecord> noLevels_;
  Puzzle preview_;
  VerdictSource* verdicts_ = nullptr;
  std::uint64_t verdictRevision_ = 0;
  std::string verdict_;
};

}  // namespace qw
