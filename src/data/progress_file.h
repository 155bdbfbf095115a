// The progress file on disk: read at start, merged with what another copy of
// the game may have written and saved atomically after every change. A file
// that cannot be read is never deleted nor written over: it is moved aside
// as progress.bad-<UTC time> and the game starts afresh.
#pragma once

#include <iosfwd>
#include <string>

#include "data/progress.h"
#include "platform/files.h"

namespace qw {

class ProgressFile {
 public:
  // The file is folder + "/progress". An empty folder keeps nothing: Load
  // gives empty progress and Save writes nothing. Notes for the player go to
  // err, one line each.
  ProgressFile(std::string folder, std::ostream& err, FileSyscalls sys = RealSyscalls());

  bool enabled() const { return !folder_.empty(); }
  const std::string& path() const { return path_; }

  // The progress on disk; empty when there is none, or when the file cannot
  // be read (it is moved aside, and one line on err says where). Leftovers of
  // writers killed mid-save are removed.
  Progress Load();

  // Merges what is on disk into progress (another copy of the game may have
  // saved since) and writes the result. False when it could not be written:
  // err hears of it once, until a save succeeds again, and the next save
  // tries again. A record beyond the format's limits is never written.
  bool Save(Progress& progress);

 private:
  enum class DiskState { Read, None, Blocked };
  // Reads the file into onDisk. A bad file is moved aside (None) or, when
  // even that fails, left where it is (Blocked: nothing may be written).
  DiskState ReadDisk(Progress& onDisk);
  bool SaveFailed(const std::string& why);

  std::string folder_;
  std::string path_;
  std::ostream& err_;
  FileSyscalls sys_;
  bool failing_ = false;      // the last save failed and err was told
  bool toldBlocked_ = false;  // err knows of a bad file that cannot be moved
};

}  // namespace qw
