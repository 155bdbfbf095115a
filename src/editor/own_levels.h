// The player's own levels, in the level-file format that the game and
// `quenchway-levels check` read, kept whole by a store: on the desktop one
// file in the progress folder, "my_levels.dat", written atomically (the
// write of the progress file); in the browser a text in the page's storage.
// A stored text that cannot be read as the editor's levels is never written
// over nor deleted: the store keeps it aside under a name of its own
// (my_levels.dat.bad-<UTC time> on the desktop).
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "data/levels.h"
#include "platform/files.h"

namespace qw {

inline constexpr std::uintmax_t kMaxOwnLevelsBytes = 1024u * 1024u;

// Where the levels' bytes are kept.
class OwnLevelStore {
 public:
  struct Read {
    enum class Status { Ok, Missing, Failed };
    Status status = Status::Missing;
    std::string bytes;  // when Ok
    std::string error;  // when Failed
  };
  virtual ~OwnLevelStore() = default;
  // Names the stored levels in a note: a path, a key.
  virtual std::string Name() const = 0;
  virtual Read ReadAll() = 0;
  // Moves what is stored out of the way; where to, or "" with error set.
  virtual std::string KeepAside(std::string* error) = 0;
  // Replaces what is stored, whole or not at all.
  virtual bool WriteAll(const std::string& bytes, std::string* error) = 0;
};

// The desktop's store: folder + "/my_levels.dat".
class OwnLevelFile final : public OwnLevelStore {
 public:
  explicit OwnLevelFile(std::string folder, FileSyscalls sys = RealSyscalls());
  std::string Name() const override { return path_; }
  Read ReadAll() override;
  std::string KeepAside(std::string* error) override;
  bool WriteAll(const std::string& bytes, std::string* error) override;

 private:
  std::string folder_;
  std::string path_;
  FileSyscalls sys_;
};

class OwnLevels {
 public:
  // Notes for the player, one line each.
  using Tell = std::function<void(const std::string&)>;
  // No store keeps nothing: Load gives no levels and Save writes nothing.
  OwnLevels(std::unique_ptr<OwnLevelStore> store, Tell tell);
  // The desktop's: the file in folder (none when empty), notes to err.
  OwnLevels(std::string folder, std::ostream& err, FileSyscalls sys = RealSyscalls());

  // The levels stored, in order; none when there are none, or when they
  // cannot be read (they are kept aside, and a note says where).
  std::vector<LevelRecord> Load();
  // Their titles, for a list to choose from.
  std::vector<std::wstring> List();
  // Replaces the stored levels by these. A level without a password is given
  // one of six keypad letters that no other level here has (shipped and
  // generated passwords are shorter). False, with the levels stored as they
  // were and a note saying why, when they cannot be kept or a level the
  // editor could not hold is among them.
  bool Save(std::vector<LevelRecord>& levels);

 private:
  enum class StoredState { Read, None, Blocked };
  StoredState ReadStored(std::vector<LevelRecord>& levels);
  bool SaveFailed(const std::string& why);
  void Say(const std::string& note) const;

  std::unique_ptr<OwnLevelStore> store_;
  Tell tell_;
};

}  // namespace qw
