// The names in a folder, sorted: what a test sees the game leave on disk.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace qw::testing {

inline std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qw::testing
