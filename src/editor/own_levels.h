// The player's own levels: one file in the progress folder, "my_levels.dat",
// in the level-file format that the game and `quenchway-levels check` read.
// It is written whole and atomically (the write of the progress file); a
// file that cannot be read as the editor's levels is never written over nor
// deleted: it is moved aside as my_levels.dat.bad-<UTC time>.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "data/levels.h"
#include "platform/files.h"

namespace qw {

inline constexpr std::uintmax_t kMaxOwnLevelsBytes = 1024u * 1024u;

class OwnLevels {
 public:
  // An empty folder keeps nothing: Load gives no levels and Save writes
  // nothing. Notes for the player go to err, one line each.
  OwnLevels(std::string folder, std::ostream& err, FileSyscalls sys = RealSyscalls());

  const std::string& path() const { return path_; }

  // The levels on disk, in order; none when there is no file, or when it
  // cannot be read (it is moved aside, and err says where).
  std::vector<LevelRecord> Load();
  // Their titles, for a list to choose from.
  std::vector<std::wstring> List();
  // Replaces the file by these levels. A level without a password is given
  // one of six keypad letters that no other level here has (shipped and
  // generated passwords are shorter). False, with the file as it was and err
  // told why, when it cannot be written or a level the editor could not
  // hold is among them.
  bool Save(std::vector<LevelRecord>& levels);

 private:
  enum class DiskState { Read, None, Blocked };
  DiskState ReadDisk(std::vector<LevelRecord>& levels);
  bool SaveFailed(const std::string& why);

  std::string folder_;
  std::string path_;
  std::ostream& err_;
  FileSyscalls sys_;
};

}  // namespace qw
