#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qw {

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  std::string folder = exe.parent_path().string();
  // The root folder leaves nothing before the last slash.
  if (folder == "/") folder.clear();
  return folder;
}

std::string ChooseDataFolder(const std::string& exeFolder) {
  const std::string beside = exeFolder + "/data";
  const std::string installed = exeFolder + "/../share/quenchway/data";
  std::error_code error;
  if (std::filesystem::is_directory(beside, error)) return beside;
  if (std::filesystem::is_directory(installed, error)) return installed;
  return beside;
}

std::string DataFolder() { return ChooseDataFolder(ExecutableFolder()); }

std::string ChooseProgressFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/quenchway";
  if (home && home[0] == '/') return std::string(home) + "/.local/share/quenchway";
  return std::string();
}

std::string ProgressFolder() {
  const char* home = std::getenv("HOME");
  std::string fromDatabase;
  if (!home || home[0] == '\0') {
    // getpwuid_r with a buffer of its own size; no static state.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
      fromDatabase = found->pw_dir;
      home = fromDatabase.c_str();
    }
  }
  return ChooseProgressFolder(std::getenv("XDG_DATA_HOME"), home);
}

}  // namespace qw
