#include "editor/own_levels.h"

#include <algorithm>
#include <ctime>
#include <ostream>

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

OwnLevels::OwnLevels(std::string folder, std::ostream& err, FileSyscalls sys)
    : folder_(std::move(folder)),
      path_(folder_.empty() ? std::string() : folder_ + "/my_levels.dat"),
      err_(err),
      sys_(sys) {}

std::vector<LevelRecord> OwnLevels::Load() {
  std::vector<LevelRecord> levels;
  if (folder_.empty()) return levels;
  RemoveDeadWritersTemps(path_ + ".tmp-");
  ReadDisk(levels);
  return levels;
}

std::vector<std::wstring> OwnLevels::List() {
  std::vector<std::wstring> titles;
  for (const LevelRecord& level : Load()) titles.push_back(level.title);
  return titles;
}

OwnLevels::DiskState OwnLevels::ReadDisk(std::vector<LevelRecord>& levels) {
  const FileRead read = ReadFileBytes(path_, kMaxOwnLevelsBytes);
  if (read.status == FileRead::Status::Missing) return DiskState::None;
  std::string why = read.error;
  if (read.status == FileRead::Status::Ok) {
    std::vector<LevelRecord> parsed = ParseLevels(Latin1(read.bytes));
    const bool blank = std::all_of(read.bytes.begin(), read.bytes.end(),
                                   [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
    why = parsed.empty() && !blank ? "no complete level in it" : Problem(parsed);
    if (why.empty()) {
      levels = std::move(parsed);
      return DiskState::Read;
    }
    why = path_ + ": " + why;
  }
  std::string moveError;
  const std::string aside = MoveAside(path_, UtcStamp(std::time(nullptr)), &moveError);
  if (!aside.empty()) {
    err_ << "quenchway: cannot read your levels (" << why << "); the file is kept as " << aside
         << "\n";
    return DiskState::None;
  }
  err_ << "quenchway: cannot read your levels (" << why << ") nor move the file aside ("
       << moveError << "); it is left as it is and not saved over\n";
  return DiskState::Blocked;
}

bool OwnLevels::Save(std::vector<LevelRecord>& levels) {
  if (folder_.empty()) return true;
  if (const std::string problem = Problem(levels); !problem.empty()) return SaveFailed(problem);
  std::string error;
  if (!MakeFolders(folder_, &error)) return SaveFailed(error);
  std::vector<LevelRecord> onDisk;
  if (ReadDisk(onDisk) == DiskState::Blocked)
    return SaveFailed("a file that cannot be read is in the way");
  std::vector<LevelRecord> written = levels;
  GivePasswords(written);
  std::string bytes;
  for (const LevelRecord& level : written) bytes += LevelRecordText(level);
  if (!WriteFileAtomically(path_, TempNameForThisProcess(path_ + ".tmp-"), bytes, &error, sys_)) {
    return SaveFailed(error);
  }
  levels = std::move(written);
  return true;
}

bool OwnLevels::SaveFailed(const std::string& why) {
  err_ << "quenchway: your levels cannot be saved (" << why << "); they are kept as they were\n";
  return false;
}

}  // namespace qw
