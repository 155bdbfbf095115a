// The real game on a virtual X display: starts Xvfb on a free display, runs
// the game there, drives it with xdotool and captures its window with
// ImageMagick's import.
#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "data/layout.h"
#include "platform/bitmap.h"
#include "ui/client_area.h"

namespace qw::testing {

inline bool HaveCommand(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts a program with arguments and extra environment; killed when dropped
// if it still runs.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
          const std::string& log) {
    pid_ = fork();
    if (pid_ == 0) {
      for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
      if (!log.empty()) {
        std::freopen(log.c_str(), "w", stdout);
        std::freopen(log.c_str(), "a", stderr);
      }
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
  }
  ~Process() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGTERM);
      // A program stuck in a modal loop may not answer SIGTERM.
      if (!Wait(std::chrono::seconds(3))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
      }
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // The exit status once the process has ended within the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {  // looks at least once, so that a timeout of 0 polls
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (std::chrono::steady_clock::now() >= end) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

// A copy of the game in `folder` with the shipped skin and layout and the
// given level file, so that a test plays levels of its own; the layout it
// reads.
inline Layout PrepareGameFolder(const std::filesystem::path& folder,
                                const std::filesystem::path& game, const std::string& levels) {
  std::filesystem::create_directories(folder / "data");
  std::filesystem::copy_file(QW_GAME_BINARY, game);
  for (const char* f : {"qw_images.dat", "qw_layout.dat"}) {
    std::filesystem::copy_file(std::filesystem::path(QW_SOURCE_DIR) / "data" / f,
                               folder / "data" / f);
  }
  std::ofstream(folder / "data" / "qw_levels.dat", std::ios::binary) << levels;
  return LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value();
}

// The centre of layout item `item`.
inline Point ItemCentre(const Layout& layout, int item) {
  const Rect r = ItemRect(layout, item);
  return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class XvfbDisplay {
 public:
  XvfbDisplay() {
    for (int n = 90; n < 140; ++n) {
      if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
      const std::string name = ":" + std::to_string(n);
      server_.emplace(
          std::vector<std::string>{"Xvfb", name, "-screen", "0", "800x600x24", "-nolisten", "tcp"},
          std::vector<std::string>{}, "/dev/null");
      // Ready once our own server still runs and answers: a socket alone may
      // be another server's that took the same display a moment earlier.
      for (int i = 0; i < 400; ++i) {
        if (server_->Wait(std::chrono::milliseconds(0))) break;  // the display was taken
        if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            std::system(("DISPLAY=" + name + " xprop -root >/dev/null 2>&1").c_str()) == 0) {
          name_ = name;
          return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      server_.reset();
    }
  }
  bool ok() const { return !name_.empty(); }
  const std::string& name() const { return name_; }

  // Runs a command line with DISPLAY set; true on success.
  bool Run(const std::string& command) const {
    return std::system(("DISPLAY=" + name_ + " " + command + " >/dev/null 2>&1").c_str()) == 0;
  }
  std::string Output(const std::string& command) const {
    std::string out;
    if (FILE* p = popen(("DISPLAY=" + name_ + " " + command + " 2>/dev/null").c_str(), "r")) {
      char buffer[256];
      while (fgets(buffer, sizeof buffer, p)) out += buffer;
      pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
  }

 private:
  std::optional<Process> server_;
  std::string name_;
};

// The game's window on the display: found by its title, clicked in window
// coordinates, captured whole.
class GameWindowOnScreen {
 public:
  GameWindowOnScreen(const XvfbDisplay& display, const std::filesystem::path& scratch)
      : display_(display), shot_(scratch / "screen.bmp") {
    // A loaded machine may take its time to start the game.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (id_.empty() && std::chrono::steady_clock::now() < deadline) {
      id_ = display_.Output("xdotool search --name '^Quenchway$' | head -n 1");
      if (id_.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // The pointer starts in the middle of the screen, over the window, where
    // it would highlight a menu button; the player's hand is elsewhere.
    display_.Run("xdotool mousemove 0 0");
  }
  bool found() const { return !id_.empty(); }

  const std::string& id() const { return id_; }

  void MoveTo(int x, int y) { Xdotool("mousemove --window " + id_ + " " + Xy(x, y)); }
  void Click(int x, int y) { Xdotool("mousemove --window " + id_ + " " + Xy(x, y) + " click 1"); }
  void Drag(int x1, int y1, int x2, int y2) {
    Xdotool("mousemove --window " + id_ + " " + Xy(x1, y1) + " mousedown 1");
    for (int i = 1; i <= 8; ++i) {
      Xdotool("mousemove --window " + id_ + " " +
              Xy(x1 + (x2 - x1) * i / 8, y1 + (y2 - y1) * i / 8));
    }
    Xdotool("mouseup 1");
  }
  void Key(const std::string& key) { Xdotool("key --window " + id_ + " " + key); }

  // The window's pixels as they are now.
  std::optional<Surface> Capture() {
    if (!display_.Run("import -window " + id_ + " BMP3:" + shot_.string())) return std::nullopt;
    return LoadBmpFile(shot_.string());
  }
  // Captures until `done` holds for the picture (the game answers input
  // asynchronously), for up to ten seconds of wall time however slow each
  // capture is; gives the last picture.
  template <typename Predicate>
  std::optional<Surface> CaptureUntil(Predicate done) {
    std::optional<Surface> last;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    do {
      last = Capture();
      if (last && done(*last)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return last;
  }

 private:
  static std::string Xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
  void Xdotool(const std::string& args) { display_.Run("xdotool " + args); }

  const XvfbDisplay& display_;
  std::filesystem::path shot_;
  std::string id_;
};

}  // namespace qw::testing
