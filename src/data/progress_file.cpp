#include "data/progress_file.h"

#include <ctime>
#include <ostream>

namespace qw {

namespace {

// Another copy's save takes a few milliseconds; a holder slower than this is
// stuck, and the save is tried again next time.
constexpr int kLockWaitMs = 500;

}  // namespace

ProgressFile::ProgressFile(std::string folder, std::ostream& err, FileSyscalls sys)
    : folder_(std::move(folder)),
      path_(folder_.empty() ? std::string() : folder_ + "/progress"),
      err_(err),
      sys_(sys) {}

Progress ProgressFile::Load() {
  Progress progress;
  if (!enabled()) return progress;
  RemoveDeadWritersTemps(path_ + ".tmp-");
  ReadDisk(progress);
  return progress;
}

ProgressFile::DiskState ProgressFile::ReadDisk(Progress& onDisk) {
  const FileRead read = ReadFileBytes(path_, kMaxProgressBytes);
  if (read.status == FileRead::Status::Missing) return DiskState::None;
  std::string why = read.error;
  if (read.status == FileRead::Status::Ok) {
    ProgressParse parse = ParseProgress(read.bytes);
    if (parse.progress) {
      onDisk = std::move(*parse.progress);
      return DiskState::Read;
    }
    why = path_ + ": " + parse.error;
  }
  std::string moveError;
  const std::string aside = MoveAside(path_, UtcStamp(std::time(nullptr)), &moveError, sys_);
  if (!aside.empty()) {
    err_ << "quenchway: cannot read the progress file (" << why << "); it is kept as " << aside
         << " and the game starts with no progress\n";
    return DiskState::None;
  }
  if (!toldBlocked_) {
    err_ << "quenchway: cannot read the progress file (" << why << ") nor move it aside ("
         << moveError << "); it is left as it is and progress is not saved over it\n";
  }
  toldBlocked_ = true;
  return DiskState::Blocked;
}

bool ProgressFile::Save(Progress& progress) {
  if (!enabled()) return true;
  std::string error;
  if (!MakeFolders(folder_, &error)) return SaveFailed(error);
  // Read, merge and write under the folder's lock: another copy of the game
  // saving at the same moment waits, and then merges what this one wrote.
  FolderLock lock;
  if (!lock.Acquire(folder_, kLockWaitMs, &error)) return SaveFailed(error);
  Progress onDisk;
  const DiskState state = ReadDisk(onDisk);
  if (state == DiskState::Blocked) return SaveFailed("a file that cannot be read is in the way");
  Progress merged = state == DiskState::Read ? MergeProgress(onDisk, progress) : progress;
  if (!CheckProgress(merged, &error)) return SaveFailed(error);
  if (!WriteFileAtomically(path_, TempNameForThisProcess(path_ + ".tmp-"), WriteProgress(merged),
                           &error, sys_)) {
    return SaveFailed(error);
  }
  progress = std::move(merged);
  failing_ = false;
  return true;
}

bool ProgressFile::SaveFailed(const std::string& why) {
  if (!failing_) {
    err_ << "quenchway: progress cannot be saved (" << why
         << "); the game plays on and tries again at the next save\n";
  }
  failing_ = true;
  return false;
}

}  // namespace qw
