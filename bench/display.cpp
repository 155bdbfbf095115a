#include "bench/display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qw::bench {

namespace {

// Big enough for the window at scale 4: 960 x 1176.
constexpr const char* kScreen = "1280x1280x24";
constexpr int kStartTimeoutMs = 10000;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

double ProcessCpuSeconds() { return Seconds(CLOCK_PROCESS_CPUTIME_ID); }
double ThreadCpuSeconds() { return Seconds(CLOCK_THREAD_CPUTIME_ID); }

XDisplay::XDisplay() {
  if (const char* display = std::getenv("DISPLAY"); display && *display) {
    available_ = true;
    note_ = std::string("the display ") + display;
    return;
  }
  if (!OnPath("Xvfb")) {
    note_ = "DISPLAY is not set and Xvfb is not installed (apt-get install xvfb)";
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    note_ = "cannot start Xvfb: no pipe";
    return;
  }
  server_ = fork();
  if (server_ == 0) {
    close(fds[0]);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", kScreen, "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (server_ < 0) {
    close(fds[0]);
    note_ = "cannot start Xvfb: fork failed";
    return;
  }
  // Xvfb writes its display number once it accepts connections.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (poll(&p, 1, kStartTimeoutMs) > 0) {
    char buffer[16];
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    number.append(buffer, static_cast<std::size_t>(n));
    if (number.find('\n') != std::string::npos) break;
  }
  close(fds[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  if (number.empty()) {
    note_ = "Xvfb did not start";
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    server_ = -1;
    return;
  }
  const std::string display = ":" + number;
  setenv("DISPLAY", display.c_str(), 1);
  available_ = true;
  note_ = "Xvfb on " + display + " (" + kScreen + ")";
}

XDisplay::~XDisplay() {
  if (server_ > 0) {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    unsetenv("DISPLAY");
  }
}

double XDisplay::ServerCpuSeconds() const {
  if (server_ <= 0) return -1.0;
  // Fields 14 and 15 of /proc/PID/stat, after the parenthesised name.
  std::ifstream in("/proc/" + std::to_string(server_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t nameEnd = text.rfind(')');
  if (nameEnd == std::string::npos) return -1.0;
  std::istringstream fields(text.substr(nameEnd + 2));
  std::vector<std::string> f;
  for (std::string word; fields >> word;) f.push_back(word);
  // f[0] is field 3 (state), so utime and stime are f[11] and f[12].
  if (f.size() < 13) return -1.0;
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (std::stod(f[11]) + std::stod(f[12])) / ticks;
}

}  // namespace qw::bench
