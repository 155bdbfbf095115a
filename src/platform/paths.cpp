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

}  // namespace qw
