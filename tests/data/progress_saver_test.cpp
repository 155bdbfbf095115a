#include "data/progress_saver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qw {
namespace {

namespace fs = std::filesystem;

class ProgressSaverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("qw_saver_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  Progress OnDisk() {
    std::ostringstream err;
    return ProgressFile(folder_.string(), err).Load();
  }
  static Progress Solved(LevelKey upTo) {
    Progress p;
    for (LevelKey k = 1; k <= upTo; ++k) RecordSolved(p, k, LevelBest{});
    return p;
  }
  fs::path folder_;
  std::ostringstream err_;
};

TEST_F(ProgressSaverTest, TheLatestSaveReachesTheDiskAlsoWhenTheGameClosesAtOnce) {
  ProgressFile file(folder_.string(), err_);
  {
    ProgressSaver saver(file);
    for (LevelKey n = 1; n <= 50; ++n) saver.Save(Solved(n));
    saver.Flush();
    EXPECT_EQ(OnDisk(), Solved(50));
    EXPECT_FALSE(saver.lastSaveFailed());
    saver.Save(Solved(51));
    // Closing right after a step: the pending save is written before the
    // saver stops.
  }
  EXPECT_EQ(OnDisk(), Solved(51));
}

TEST_F(ProgressSaverTest, TellsTheGameWhatAnotherCopySolvedAndWhenASaveFails) {
  ProgressFile file(folder_.string(), err_);
  ProgressSaver saver(file);
  std::ostringstream err;
  ProgressFile other(folder_.string(), err);
  Progress theirs;
  RecordSolved(theirs, 99, LevelBest{1, 2, 3, 4});
  ASSERT_TRUE(other.Save(theirs));

  saver.Save(Solved(2));
  saver.Flush();
  const Progress written = OnDisk();
  EXPECT_EQ(written.solved.size(), 3u);
  EXPECT_EQ(written.solved.at(99), (LevelBest{1, 2, 3, 4}));

  // A plain file where the folder should be: the save fails, the game is told.
  fs::remove_all(folder_);
  std::ofstream(folder_.string()) << "in the way";
  saver.Save(Solved(3));
  saver.Flush();
  EXPECT_TRUE(saver.lastSaveFailed());
  fs::remove(folder_);
}

}  // namespace
}  // namespace qw
