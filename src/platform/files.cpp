#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <thread>

namespace qw {

namespace {

// An open file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; false when close reports an error (a delayed write error).
  bool Close() {
    if (fd_ < 0) return true;
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

std::string ErrorText(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The files kept in memory, by path; empty where the system has them.
std::map<std::string, std::string>& MemoryFiles() {
  static std::map<std::string, std::string> files;
  return files;
}

FileRead ReadMemoryFile(const std::string& path, std::uintmax_t maxBytes) {
  FileRead result;
  const auto file = MemoryFiles().find(path);
  if (file == MemoryFiles().end()) {
    result.error = ErrorText(path, ENOENT);
  } else if (file->second.size() > maxBytes) {
    result.status = FileRead::Status::TooLarge;
    result.error = path + ": larger than " + std::to_string(maxBytes) + " bytes";
  } else {
    result.status = FileRead::Status::Ok;
    result.bytes = file->second;
  }
  return result;
}

}  // namespace

void PutFileInMemory(const std::string& path, std::string_view bytes) {
  MemoryFiles()[path] = bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (!MemoryFiles().empty()) {
    MemoryFiles()[path] = bytes;
    return true;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

FileRead ReadFileBytes(const std::string& path, std::uintmax_t maxBytes) {
  if (!MemoryFiles().empty()) return ReadMemoryFile(path, maxBytes);
  FileRead result;
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) {
    const int e = errno;
    result.status =
        (e == ENOENT || e == ENOTDIR) ? FileRead::Status::Missing : FileRead::Status::Unreadable;
    result.error = ErrorText(path, e);
    return result;
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = FileRead::Status::NotRegular;
    result.error = path + ": not a regular file";
    return result;
  }
  // The size given by fstat is not trusted (the file may change while it is
  // read): read in chunks up to one byte past the limit.
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = FileRead::Status::Unreadable;
      result.error = ErrorText(path, errno);
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
      result.status = FileRead::Status::TooLarge;
      result.error = path + ": larger than " + std::to_string(maxBytes) + " bytes";
      result.bytes.clear();
      return result;
    }
    result.bytes.append(chunk, static_cast<std::size_t>(n));
  }
  result.status = FileRead::Status::Ok;
  return result;
}

namespace {

int RenameNoReplace(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
  return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
  // A C library without renameat2 (the browser build's).
  (void)from;
  (void)to;
  errno = ENOSYS;
  return -1;
#endif
}

}  // namespace

FileSyscalls RealSyscalls() {
  return FileSyscalls{&::write, &::fsync, &::rename, &RenameNoReplace, &::link};
}

bool WriteFileAtomically(const std::string& path, const std::string& tempPath,
                         std::string_view bytes, std::string* error, const FileSyscalls& sys) {
  const auto fail = [&](const std::string& what, int e) {
    ::unlink(tempPath.c_str());
    if (error) *error = ErrorText(what, e);
    return false;
  };
  Descriptor file(::open(tempPath.c_str(),
                         O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
  if (file.get() < 0) {
    const int e = errno;
    if (error) *error = ErrorText(tempPath, e);
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = sys.write(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(tempPath, errno);
    if (n == 0) return fail(tempPath, ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  if (sys.fsync(file.get()) != 0) return fail(tempPath, errno);
  if (!file.Close()) return fail(tempPath, errno);
  if (sys.rename(tempPath.c_str(), path.c_str()) != 0) return fail(path, errno);
  // The rename is in the folder's own data: flush it too, so that the new
  // name survives a power cut. The file itself is in place by now; a folder
  // that cannot be flushed (some file systems refuse) changes nothing.
  const Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) sys.fsync(folder.get());
  return true;
}

std::string TempNameForThisProcess(const std::string& prefix) {
  return prefix + std::to_string(::getpid());
}

void RemoveDeadWritersTemps(const std::string& prefix) {
  const std::string folder = FolderOf(prefix);
  const std::string start =
      prefix.substr(prefix.rfind('/') == std::string::npos ? 0 : prefix.rfind('/') + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= start.size() || name.compare(0, start.size(), start) != 0) continue;
    const std::string digits = name.substr(start.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid <= 0 || pid == ::getpid()) continue;
    // A process that is gone leaves ESRCH; one of another user's, EPERM.
    if (::kill(pid, 0) != 0 && errno == ESRCH) ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

bool FolderLock::Acquire(const std::string& folder, int timeoutMs, std::string* error) {
  if (fd_ >= 0) return true;
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    if (error) *error = ErrorText(folder, errno);
    return false;
  }
  // Polled rather than blocking, so that a holder that hangs never stalls
  // the game: after the time limit the caller gives up and tries later.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    const int e = errno;
    if ((e != EWOULDBLOCK && e != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd_);
      fd_ = -1;
      if (error)
        *error = e == EWOULDBLOCK ? folder + ": another copy of the game keeps it locked"
                                  : ErrorText(folder, e);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool MakeFolders(const std::string& folder, std::string* error) {
  if (folder.empty()) {
    if (error) *error = "no folder given";
    return false;
  }
  // Each missing folder from the top down, so that every new one gets mode
  // 0700 whatever the umask allows.
  std::size_t at = 0;
  for (;;) {
    at = folder.find('/', at + 1);
    const std::string part = folder.substr(0, at);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      const int e = errno;
      if (error) *error = ErrorText(part, e);
      return false;
    }
    if (at == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    if (error) *error = folder + ": not a folder";
    return false;
  }
  return true;
}

std::string UtcStamp(std::time_t when) {
  std::tm parts{};
  ::gmtime_r(&when, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
  return text;
}

std::string MoveAside(const std::string& path, const std::string& stamp, std::string* error,
                      const FileSyscalls& sys) {
  const std::string base = path + ".bad-" + stamp;
  for (int n = 1; n <= 1000; ++n) {
    const std::string target = n == 1 ? base : base + "-" + std::to_string(n);
    // The move never replaces a file kept aside before.
    if (sys.renameNoReplace(path.c_str(), target.c_str()) == 0) return target;
    if (errno == EEXIST) continue;
    if (errno == EINVAL || errno == ENOSYS) {
      // A file system without RENAME_NOREPLACE: a hard link never replaces
      // either; the old name goes only once the new one holds the file.
      if (sys.link(path.c_str(), target.c_str()) == 0) {
        ::unlink(path.c_str());
        return target;
      }
      if (errno == EEXIST) continue;
    }
    if (error) *error = ErrorText(path, errno);
    return std::string();
  }
  if (error) *error = path + ": too many files kept aside already";
  return std::string();
}

}  // namespace qw
