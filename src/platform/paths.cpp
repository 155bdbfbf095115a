#include "platform/paths.h"

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

}  // namespace qw
