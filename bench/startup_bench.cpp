// Start-up: the wall time from fork to the first presented menu frame of the
// game (QW_REPORT_FIRST_FRAME=1 makes it say so on stderr), beside the same
// time for quenchway-minimal-sdl, which only opens a window of the game's
// size and presents one frame. The two run alternately, several times each,
// in the same run; the medians and their ratio are reported.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/benchmarks.h"
#include "platform/paths.h"

namespace qw::bench {

namespace {

constexpr const char* kFirstFrameLine = "first frame presented";
constexpr int kRuns = 15;
constexpr int kTimeoutMs = 20000;
constexpr int kExitWaitMs = 5000;

bool Exists(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

// Ends a child that the bench started: politely first, as closing the window
// would, then for good.
void Stop(pid_t child) {
  kill(child, SIGTERM);
  for (int waited = 0; waited < kExitWaitMs; waited += 10) {
    if (waitpid(child, nullptr, WNOHANG) == child) return;
    usleep(10000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

// Seconds from fork to the first-frame line on the child's stderr; nothing
// when the line does not come.
std::optional<double> TimeToFirstFrame(const std::vector<std::string>& command,
                                       std::string& error) {
  int fds[2];
  if (pipe(fds) != 0) {
    error = "no pipe";
    return std::nullopt;
  }
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    setenv("QW_REPORT_FIRST_FRAME", "1", 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    error = "fork failed";
    return std::nullopt;
  }
  std::string output;
  std::optional<double> seconds;
  pollfd p{fds[0], POLLIN, 0};
  while (!seconds && poll(&p, 1, kTimeoutMs) > 0) {
    char buffer[256];
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    output.append(buffer, static_cast<std::size_t>(n));
    if (output.find(kFirstFrameLine) != std::string::npos) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
  }
  close(fds[0]);
  Stop(child);
  if (!seconds)
    error = command[0] + " showed no first frame" + (output.empty() ? "" : ": " + output);
  return seconds;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Startup(benchmark::State& state) {
  const std::string folder = ExecutableFolder();
  // A benchmark never touches the player's progress.
  const std::vector<std::string> game{folder + "/../quenchway", "--scale", "1", "--no-progress"};
  const std::vector<std::string> minimal{folder + "/quenchway-minimal-sdl"};
  if (!Exists(game[0]) || !Exists(minimal[0])) {
    state.SkipWithError(
        "build the target 'benchmarks' first: the game or quenchway-minimal-sdl is missing");
    return;
  }
  std::vector<double> gameTimes;
  std::vector<double> minimalTimes;
  std::string error;
  for (auto _ : state) {
    // One untimed start of each warms the disk cache and fontconfig's.
    for (int run = -1; run < kRuns; ++run) {
      const std::optional<double> g = TimeToFirstFrame(game, error);
      const std::optional<double> m = TimeToFirstFrame(minimal, error);
      if (!g || !m) {
        state.SkipWithError(error.c_str());
        return;
      }
      if (run < 0) continue;
      gameTimes.push_back(*g);
      minimalTimes.push_back(*m);
    }
    state.SetIterationTime(Median(gameTimes));
  }
  const double g = Median(gameTimes);
  const double m = Median(minimalTimes);
  state.counters["game_ms"] = g * 1e3;
  state.counters["game_min_ms"] = *std::min_element(gameTimes.begin(), gameTimes.end()) * 1e3;
  state.counters["minimal_ms"] = m * 1e3;
  state.counters["minimal_min_ms"] =
      *std::min_element(minimalTimes.begin(), minimalTimes.end()) * 1e3;
  state.counters["ratio"] = g / m;
}

}  // namespace

void RegisterStartupBenchmark() {
  benchmark::RegisterBenchmark("Startup/first_menu_frame/scale1", Startup)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace qw::bench
