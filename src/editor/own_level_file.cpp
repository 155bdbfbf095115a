// The desktop's store of the player's own levels: a file in the progress
// folder.
#include <ctime>
#include <ostream>

#include "editor/own_levels.h"

namespace qw {

OwnLevelFile::OwnLevelFile(std::string folder, FileSyscalls sys)
    : folder_(std::move(folder)), path_(folder_ + "/my_levels.dat"), sys_(sys) {}

OwnLevelStore::Read OwnLevelFile::ReadAll() {
  // A writer killed before its rename leaves its temporary file behind.
  RemoveDeadWritersTemps(path_ + ".tmp-");
  FileRead file = ReadFileBytes(path_, kMaxOwnLevelsBytes);
  Read read;
  read.status = file.status == FileRead::Status::Ok        ? Read::Status::Ok
                : file.status == FileRead::Status::Missing ? Read::Status::Missing
                                                           : Read::Status::Failed;
  read.bytes = std::move(file.bytes);
  read.error = std::move(file.error);
  return read;
}

std::string OwnLevelFile::KeepAside(std::string* error) {
  return MoveAside(path_, UtcStamp(std::time(nullptr)), error, sys_);
}

bool OwnLevelFile::WriteAll(const std::string& bytes, std::string* error) {
  return MakeFolders(folder_, error) &&
         WriteFileAtomically(path_, TempNameForThisProcess(path_ + ".tmp-"), bytes, error, sys_);
}

OwnLevels::OwnLevels(std::string folder, std::ostream& err, FileSyscalls sys)
    : OwnLevels(folder.empty() ? nullptr : std::make_unique<OwnLevelFile>(std::move(folder), sys),
                [&err](const std::string& note) { err << note << "\n"; }) {}

}  // namespace qw
