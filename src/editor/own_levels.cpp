#include "editor/own_levels.h"

#include <algorithm>
#include <utility>

#include "data/keypad.h"
#include "editor/level_draft.h"

namespace qw {

namespace {

constexpr std::size_t kPasswordLetters = 6;

std::wstring Latin1(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (const char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

// The reason the editor could not hold one of the levels, or "".
std::string Problem(const std::vector<LevelRecord>& levels) {
  for (std::size_t i = 0; i < levels.size(); ++i) {
    std::string problem;
    if (!FromRecord(levels[i], &problem)) return "level " + std::to_string(i + 1) + ": " + problem;
  }
  return {};
}

std::wstring PasswordNumber(std::size_t n) {
  std::wstring word(kPasswordLetters, keypadAlphabet[0]);
  for (std::size_t i = kPasswordLetters; i-- > 0 && n > 0; n /= keypadAlphabet.size()) {
    word[i] = keypadAlphabet[n % keypadAlphabet.size()];
  }
  return word;
}

void GivePasswords(std::vector<LevelRecord>& levels) {
  std::size_t next = 0;
  for (LevelRecord& level : levels) {
    if (!level.password.empty()) continue;
    auto taken = [&](const std::wstring& word) {
      return std::any_of(levels.begin(), levels.end(),
                         [&](const LevelRecord& l) { return l.password == word; });
    };
    while (taken(PasswordNumber(next))) ++next;
    level.password = PasswordNumber(next);
  }
}

}  // namespace

OwnLevels::OwnLevels(std::unique_ptr<OwnLevelStore> store, Tell tell)
    : store_(std::move(store)), tell_(std::move(tell)) {}

std::vector<LevelRecord> OwnLevels::Load() {
  std::vector<LevelRecord> levels;
  if (store_) ReadStored(levels);
  return levels;
}

std::vector<std::wstring> OwnLevels::List() {
  std::vector<std::wstring> titles;
  for (const LevelRecord& level : Load()) titles.push_back(level.title);
  return titles;
}

OwnLevels::StoredState OwnLevels::ReadStored(std::vector<LevelRecord>& levels) {
  const OwnLevelStore::Read read = store_->ReadAll();
  if (read.status == OwnLevelStore::Read::Status::Missing) return StoredState::None;
  std::string why = read.error;
  if (read.status == OwnLevelStore::Read::Status::Ok) {
    std::vector<LevelRecord> parsed = ParseLevels(Latin1(read.bytes));
    const bool blank = std::all_of(read.bytes.begin(), read.bytes.end(),
                                   [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
    why = parsed.empty() && !blank ? "no complete level in it" : Problem(parsed);
    if (why.empty()) {
      levels = std::move(parsed);
      return StoredState::Read;
    }
    why = store_->Name() + ": " + why;
  }
  std::string moveError;
  const std::string aside = store_->KeepAside(&moveError);
  if (!aside.empty()) {
    Say("quenchway: cannot read your levels (" + why + "); they are kept as " + aside);
    return StoredState::None;
  }
  Say("quenchway: cannot read your levels (" + why + ") nor move them aside (" + moveError +
      "); they are left as they are and not saved over");
  return StoredState::Blocked;
}

bool OwnLevels::Save(std::vector<LevelRecord>& levels) {
  if (!store_) return true;
  if (const std::string problem = Problem(levels); !problem.empty()) return SaveFailed(problem);
  std::vector<LevelRecord> stored;
  if (ReadStored(stored) == StoredState::Blocked)
    return SaveFailed("levels that cannot be read are in the way");
  std::vector<LevelRecord> written = levels;
  GivePasswords(written);
  std::string bytes;
  for (const LevelRecord& level : written) bytes += LevelRecordText(level);
  if (std::string error; !store_->WriteAll(bytes, &error)) return SaveFailed(error);
  levels = std::move(written);
  return true;
}

void OwnLevels::Say(const std::string& note) const {
  if (tell_) tell_(note);
}

bool OwnLevels::SaveFailed(const std::string& why) {
  Say("quenchway: your levels cannot be saved (" + why + "); they are kept as they were");
  return false;
}

}  // namespace qw
