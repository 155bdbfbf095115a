// The player's progress in the browser: the desktop's progress text kept in
// the page's storage under one key, read before the first frame, merged
// with what another tab of the game stored since and written after every
// step, as two copies of the desktop game share one progress file. A stored
// text that does not read is kept aside under a key of its own, never
// written over, and the game starts afresh. When the browser refuses its
// storage the game plays on, and the command bar says so once.
#pragma once

#include <utility>

#include "data/progress.h"
#include "progress/progress_recorder.h"

namespace qw {

class GameLoop;

// The key of the progress; a text kept aside goes under this key + ".bad-"
// and the time.
inline constexpr const char* kWebProgressKey = "quenchway.progress";

class WebProgressStore final : public ProgressSink {
 public:
  // The stored progress; empty when there is none, when the browser refuses
  // its storage, or when the text does not read (it is kept aside).
  Progress Load();
  // Merges what another tab stored since and writes the result.
  void Save(const Progress& progress) override;
  bool TakeFailure() override;

 private:
  enum class StoredState { Read, None, Blocked };
  // A bad text is kept aside (None) or, when even that is refused, left where
  // it is (Blocked: nothing may be written over it).
  StoredState ReadStored(Progress& stored);

  bool failed_ = false;
  bool told_ = false;
};

// The progress in the page's storage and the store that keeps it, for the
// game of this loop to start with (GameLoop::Start); the page calls qw_save
// when it is hidden or the game ends, so that the time played is kept too.
std::pair<Progress, ProgressSink*> WebProgress(GameLoop& loop);

}  // namespace qw
