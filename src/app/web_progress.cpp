#include "app/web_progress.h"

#include <emscripten.h>

#include <string>

#include "app/game_loop.h"
#include "app/progress_link.h"
#include "platform/web_storage.h"

namespace qw {

namespace {

using web::StoredText;

// The window whose progress the page saves on qw_save.
GameLoop* g_loop = nullptr;

}  // namespace

WebProgressStore::StoredState WebProgressStore::ReadStored(Progress& stored) {
  const StoredText read = web::ReadStored(kWebProgressKey);
  if (read.status == StoredText::Status::Missing) return StoredState::None;
  if (read.status == StoredText::Status::Refused) return StoredState::Blocked;
  if (read.text.size() <= kMaxProgressBytes) {
    ProgressParse parse = ParseProgress(read.text);
    if (parse.progress) {
      stored = std::move(*parse.progress);
      return StoredState::Read;
    }
  }
  return !web::KeepStoredAside(kWebProgressKey, read.text).empty() ? StoredState::None
                                                                   : StoredState::Blocked;
}

Progress WebProgressStore::Load() {
  Progress progress;
  ReadStored(progress);
  return progress;
}

void WebProgressStore::Save(const Progress& progress) {
  Progress stored;
  const StoredState state = ReadStored(stored);
  if (state == StoredState::Blocked) {
    failed_ = true;
    return;
  }
  const Progress merged = state == StoredState::Read ? MergeProgress(stored, progress) : progress;
  failed_ =
      !CheckProgress(merged, nullptr) || !web::WriteStored(kWebProgressKey, WriteProgress(merged));
}

bool WebProgressStore::TakeFailure() {
  const bool tell = failed_ && !told_;
  told_ = failed_;
  return tell;
}

std::pair<Progress, ProgressSink*> WebProgress(GameLoop& loop) {
  // Lives as long as the page: every game the page starts records into it.
  static WebProgressStore store;
  g_loop = &loop;
  return {store.Load(), &store};
}

}  // namespace qw

extern "C" {

// The page is hidden or the game has ended: the progress is handed over once
// more, with the time played so far.
EMSCRIPTEN_KEEPALIVE void qw_save() {
  if (qw::g_loop != nullptr) qw::g_loop->SaveProgress();
}

}  // extern "C"
