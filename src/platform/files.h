// Files the game reads whole and files it keeps safe: a bounded read of a
// regular file, a write that replaces a file atomically and durably, and a
// way to move a damaged file out of the way without ever losing it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace qw {

struct FileRead {
  enum class Status {
    Ok,
    Missing,     // no such file: nothing by that name, or a path through a non-folder
    NotRegular,  // a folder, a pipe, a device, a socket
    TooLarge,    // more bytes than the reader's limit
    Unreadable,  // anything else: no permission, an I/O error, a link loop
  };
  Status status = Status::Missing;
  std::string bytes;  // the whole file when Ok
  std::string error;  // what went wrong, for a message
};

// Reads a regular file whole, at most maxBytes of it. The file is opened
// without blocking and checked before a byte is read, so a FIFO without a
// writer or a device never stalls the caller.
FileRead ReadFileBytes(const std::string& path, std::uintmax_t maxBytes);

// Writes a file whole, in place: a picture for the player or a test, never
// the player's data (WriteFileAtomically keeps that safe).
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The browser build has no file system: its files live in memory, the data
// files it carries compiled in and whatever a script writes, for as long as
// the page lives. Once one file is put there, ReadFileBytes and
// WriteWholeFile use that memory alone.
void PutFileInMemory(const std::string& path, std::string_view bytes);

// The system calls an atomic write and a move aside make; tests replace them
// to act out a full disk, a failing flush or a folder that refuses renames.
struct FileSyscalls {
  ssize_t (*write)(int fd, const void* data, size_t size) = nullptr;
  int (*fsync)(int fd) = nullptr;
  int (*rename)(const char* from, const char* to) = nullptr;
  // A rename that never replaces a file (ENOSYS or EINVAL where the system
  // or file system has none), and a hard link.
  int (*renameNoReplace)(const char* from, const char* to) = nullptr;
  int (*link)(const char* from, const char* to) = nullptr;
};
// The real ones.
FileSyscalls RealSyscalls();

// Replaces the file at path by bytes: a temporary file in the same folder
// (tempPath) is written, flushed to disk and renamed over path, then the
// folder is flushed. A crash at any moment leaves either the old or the new
// file, whole. On failure the temporary file is removed, path is untouched,
// and error says why.
bool WriteFileAtomically(const std::string& path, const std::string& tempPath,
                         std::string_view bytes, std::string* error,
                         const FileSyscalls& sys = RealSyscalls());

// A temporary name for the writer in this process: prefix + its process id.
std::string TempNameForThisProcess(const std::string& prefix);
// Removes the temporary files of writers that were killed before they could
// rename them: files prefix + process id whose process is gone. Another
// running writer's file is left alone.
void RemoveDeadWritersTemps(const std::string& prefix);

// An exclusive lock on a folder, shared with every other process that locks
// it the same way; released when the object goes. Writers that read, merge
// and write a file hold it, so that neither loses what the other wrote.
class FolderLock {
 public:
  // Waits up to timeoutMs for the lock; false (and error set) when the
  // folder cannot be opened or another holder keeps it longer.
  bool Acquire(const std::string& folder, int timeoutMs, std::string* error);
  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// Creates a folder and the folders above it that are missing, new ones
// readable by the owner only. True when the folder exists afterwards.
bool MakeFolders(const std::string& folder, std::string* error);

// A moment in UTC as a file-name-safe stamp: 20261206T224500Z.
std::string UtcStamp(std::time_t when);

// Renames path to path + ".bad-" + stamp (with "-2", "-3", ... added when
// that name is taken) without replacing any file. Gives the new name, or the
// empty string with error set when the file could not be moved.
std::string MoveAside(const std::string& path, const std::string& stamp, std::string* error,
                      const FileSyscalls& sys = RealSyscalls());

}  // namespace qw
