// A file in the test's temporary folder, removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace qw::testing {

class TempFile {
 public:
  explicit TempFile(std::string_view bytes) {
    static int counter = 0;
    path_ = (std::filesystem::temp_directory_path() /
             ("qw_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++)))
                .string();
    std::ofstream(path_, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::filesystem::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace qw::testing
