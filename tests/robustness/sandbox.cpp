#include "sandbox.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace qw::testing {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

Sandbox::Sandbox(const std::string& name)
    : folder_(fs::path(QW_SCRATCH_DIR) / (name + "_" + std::to_string(::getpid()))) {
  fs::remove_all(folder_);
  fs::create_directories(folder_ / "data");
  // A hard link where the file system allows one: the binary is large and
  // every case needs its own; the game finds data/ beside the name it was
  // started by.
  std::error_code linkError;
  fs::create_hard_link(QW_GAME_BINARY, folder_ / "quenchway", linkError);
  if (linkError) fs::copy_file(QW_GAME_BINARY, folder_ / "quenchway");
  for (const char* f : {"qw_images.dat", "qw_layout.dat"}) {
    fs::copy_file(fs::path(QW_SOURCE_DIR) / "data" / f, folder_ / "data" / f);
  }
  Write("qw_levels.dat", kPlayLevels);
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  fs::permissions(folder_ / "data", fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(folder_, ignored);
}

void Sandbox::Write(const std::string& name, std::string_view bytes) const {
  fs::remove_all(data() / name);
  std::ofstream(data() / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Outcome Sandbox::Run(const std::string& script, std::chrono::seconds limit,
                     const std::vector<std::string>& args) const {
  const fs::path in = folder_ / "script.txt", out = folder_ / "out.txt", err = folder_ / "err.txt";
  std::ofstream(in, std::ios::binary) << script;
  const std::string binary = (folder_ / "quenchway").string();
  const std::string inPath = in.string(), outPath = out.string(), errPath = err.string();
  std::vector<const char*> argv = {binary.c_str(), "--script", "-"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int i = ::open(inPath.c_str(), O_RDONLY);
    const int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (i < 0 || o < 0 || e < 0 || ::dup2(i, 0) < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0) ::_exit(127);
    ::execv(binary.c_str(), const_cast<char* const*>(argv.data()));
    ::_exit(127);
  }

  Outcome result;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      result.kind = Outcome::Kind::TimedOut;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (result.kind != Outcome::Kind::TimedOut) {
    if (WIFSIGNALED(status)) {
      result.kind = Outcome::Kind::Signalled;
      result.code = WTERMSIG(status);
    } else {
      result.code = WEXITSTATUS(status);
    }
  }
  result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  return result;
}

}  // namespace qw::testing
