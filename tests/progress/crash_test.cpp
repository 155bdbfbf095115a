// Processes that save progress and are killed at random moments, and two
// processes saving at the same moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "data/progress_file.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

class ProgressProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // In memory where the system has it: a kill tests the write and the
    // rename, which a flush to disk does not change (that guards against a
    // power cut), and without the disk's flushes a thousand kills fall at
    // every moment of a save within a few seconds.
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    folder_ = base / ("qw_progress_proc_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Folder() const { return folder_.string(); }
  // The file as it stands, read without repairing anything.
  std::optional<Progress> OnDisk() const {
    const FileRead read = ReadFileBytes(Folder() + "/progress", kMaxProgressBytes);
    if (read.status != FileRead::Status::Ok) return std::nullopt;
    return ParseProgress(read.bytes).progress;
  }
  fs::path folder_;
};

// The record after the n-th save of the saving child: n levels solved, and a
// level in play whose history of 200 steps names n, so that each save
// rewrites some ten kilobytes.
Progress Saved(std::size_t n) {
  Progress p;
  for (std::size_t k = 1; k <= n; ++k) {
    const auto v = static_cast<std::int32_t>(k);
    p.solved[k] = LevelBest{v, v, v, v};
  }
  p.play = SavedPlay{};
  p.play->level = n;
  p.play->steps = static_cast<std::int32_t>(n);
  for (int i = 0; i < 200; ++i)
    p.play->undo.push_back("save " + std::to_string(n) + " step " + std::to_string(i));
  return p;
}

[[noreturn]] void SaveForever(const std::string& folder) {
  std::ostringstream quiet;
  ProgressFile file(folder, quiet);
  Progress p = file.Load();
  for (std::size_t n = p.solved.size() + 1;; ++n) {
    p = Saved(n);
    file.Save(p);
  }
}

TEST_F(ProgressProcessTest, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  // Kills fall anywhere from the child's start to a few saves in: the range
  // follows what starting a writer and three saves cost here (far more where
  // the disk is flushed, or under a sanitizer).
  const auto start = std::chrono::steady_clock::now();
  for (int probe = 0; probe < 3; ++probe) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::ostringstream quiet;
      ProgressFile file(Folder(), quiet);
      Progress p = file.Load();
      for (std::size_t n = 1; n <= 3; ++n) {
        p = Saved(n);
        file.Save(p);
      }
      ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    fs::remove(folder_ / "progress");
  }
  const auto runUs = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now() - start) /
                     3;
  std::mt19937 random(14);
  std::uniform_int_distribution<std::int64_t> delayUs(0, runUs.count());
  std::size_t last = 0, advanced = 0;
  constexpr int kKills = 1000;
  for (int i = 0; i < kKills; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(Folder());
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    const std::optional<Progress> now = OnDisk();
    if (last == 0 && !now && !fs::exists(folder_ / "progress"))
      continue;  // killed before the first save
    ASSERT_TRUE(now) << "kill " << i << ": the file does not load";
    const std::size_t n = now->solved.size();
    ASSERT_GE(n, last) << "kill " << i << ": progress went back";
    ASSERT_EQ(*now, Saved(n)) << "kill " << i << ": neither the state before nor after a save";
    advanced += n > last ? 1 : 0;
    last = n;
  }
  // The kills fell both between saves and before the first save completed,
  // and no kill ever left a file that needed moving aside.
  EXPECT_GT(advanced, 10u);
  EXPECT_LT(advanced, static_cast<std::size_t>(kKills));
  std::size_t temps = 0;
  for (const auto& e : fs::directory_iterator(folder_)) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(name.find(".bad-"), std::string::npos) << name;
    temps += name.find(".tmp-") != std::string::npos ? 1 : 0;
  }
  EXPECT_LE(temps, 1u);  // each new writer removes what the killed one left
}

TEST_F(ProgressProcessTest, TwoProcessesSavingAtOnceLoseNothing) {
  constexpr int kRounds = 40;
  for (int round = 0; round < kRounds; ++round) {
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
      children[w] = ::fork();
      ASSERT_GE(children[w], 0);
      if (children[w] == 0) {
        ::close(go[1]);
        char c;
        (void)!::read(go[0], &c, 1);  // both start when the pipe closes
        std::ostringstream quiet;
        ProgressFile file(Folder(), quiet);
        Progress p = file.Load();
        RecordSolved(p, static_cast<LevelKey>(1000 + 2 * round + w), LevelBest{});
        // One level both solve, each time a little better on one count.
        RecordSolved(p, 1,
                     LevelBest{1000 - 2 * round - w, 1000 - 2 * round - (1 - w), std::nullopt,
                               std::nullopt});
        // Playing level w takes its kept board out of the kept ones, as the game does.
        std::erase_if(p.kept,
                      [&](const SavedPlay& k) { return k.level == static_cast<LevelKey>(w); });
        p.play = SavedPlay{};
        p.play->level = static_cast<LevelKey>(w);
        ::_exit(file.Save(p) ? 0 : 1);
      }
    }
    ::close(go[0]);
    ::close(go[1]);
    for (const pid_t child : children) {
      int status = 0;
      ::waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    const std::optional<Progress> now = OnDisk();
    ASSERT_TRUE(now);
    for (int r = 0; r <= round; ++r) {
      for (LevelKey w = 0; w < 2; ++w) {
        ASSERT_TRUE(now->solved.contains(1000 + 2 * r + w))
            << "round " << round << " lost level " << 1000 + 2 * r + w;
      }
    }
    EXPECT_EQ(now->solved.at(1),
              (LevelBest{999 - 2 * round, 999 - 2 * round, std::nullopt, std::nullopt}));
    ASSERT_TRUE(now->play);
    EXPECT_LT(now->play->level, 2u);  // whichever wrote last
  }
}

}  // namespace
}  // namespace qw
