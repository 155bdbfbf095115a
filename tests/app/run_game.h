// Runs the real game binary with arguments and a script on standard input,
// collecting its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qw::testing {

struct GameRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A folder of its own for one test, removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("qw_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// `binary` may carry a command prefix such as env; paths have no blanks.
inline GameRun RunGame(const std::string& binary, const std::string& args,
                       const std::string& script, const std::filesystem::path& scratch) {
  const auto in = scratch / "script.txt", out = scratch / "out.txt", err = scratch / "err.txt";
  std::ofstream(in) << script;
  const std::string command = binary + " " + args + " < '" + in.string() + "' > '" + out.string() +
                              "' 2> '" + err.string() + "'";
  const int raw = std::system(command.c_str());
  GameRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  return run;
}

}  // namespace qw::testing
