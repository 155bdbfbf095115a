#include "app/web_progress.h"

#include <emscripten.h>

#include <ctime>
#include <string>

#include "app/game_loop.h"
#include "app/progress_link.h"
#include "platform/files.h"
#include "platform/web_storage.h"

namespace qw {

namespace {

using web::StoredText;

// The window whose progress the page saves on qw_save.
GameLoop* g_loop = nullptr;

// Moves the text to a key of its own: the time, and a number after it when
// that key is taken, so that no text kept aside is written over.
bool KeepAside(const std::string& text) {
  const std::string stamp = kWebProgressAsidePrefix + UtcStamp(std::time(nullptr));
  for (int n = 1; n < 100; ++n) {
    const std::string key = n == 1 ? stamp : stamp + "-" + std::to_string(n);
    const StoredText there = web::ReadStored(key);
    if (there.status == StoredText::Status::Refused) return false;
    if (there.status == StoredText::Status::Missing) {
      return web::WriteStored(key, text) && web::RemoveStored(kWebProgressKey);
    }
  }
  return false;
}

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
  return KeepAside(read.text) ? StoredState::None : StoredState::Blocked;
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
