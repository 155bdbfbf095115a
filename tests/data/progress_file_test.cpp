#include "data/progress_file.h"

#include <gtest/gtest.h>

#include "common/folder_names.h"
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qw {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::size_t Lines(const std::string& s) {
  return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

using testing::Names;

// A file system with neither RENAME_NOREPLACE nor hard links, and a disk
// whose flush fails.
int NoRenameAside(const char*, const char*) {
  errno = EINVAL;
  return -1;
}
int NoLink(const char*, const char*) {
  errno = EPERM;
  return -1;
}
int FailingFsync(int) {
  errno = EIO;
  return -1;
}

class ProgressFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("qw_progress_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path Folder() const { return root_ / "share" / "quenchway"; }
  std::string File() const { return (Folder() / "progress").string(); }
  void Put(const std::string& bytes) const {
    fs::create_directories(Folder());
    std::ofstream(File(), std::ios::binary) << bytes;
  }
  fs::path root_;
  std::ostringstream err_;
};

TEST_F(ProgressFileTest, NothingIsWrittenBeforeTheFirstSaveWhichMakesTheFolders) {
  ProgressFile file(Folder().string(), err_);
  EXPECT_EQ(file.Load(), Progress{});
  EXPECT_FALSE(fs::exists(root_ / "share"));

  Progress p;
  RecordSolved(p, 42, LevelBest{3, 4, 5, 6});
  ASSERT_TRUE(file.Save(p));
  EXPECT_EQ((fs::status(Folder()).permissions() & fs::perms::all), fs::perms::owner_all);
  EXPECT_EQ(ProgressFile(Folder().string(), err_).Load(), p);
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"progress"});  // no temporary file left
  EXPECT_EQ(err_.str(), "");

  // No folder: nothing read, nothing written.
  ProgressFile none("", err_);
  EXPECT_EQ(none.Load(), Progress{});
  EXPECT_TRUE(none.Save(p));
}

TEST_F(ProgressFileTest, AFileThatCannotBeReadIsMovedAsideWholeAndNeverOverwritten) {
  const std::string cases[] = {
      "garbage\n",
      WriteProgress(Progress{}).substr(0, 30),                   // cut short
      "quenchway-progress 9\nscale 0\nfullscreen 0\nend\n",      // a later version
      std::string("quenchway-progress 1\nscale 0\n\0\0\0", 32),  // zero bytes
      std::string(kMaxProgressBytes + 1, '\n'),                  // too large
  };
  std::vector<std::string> kept;
  for (const std::string& bytes : cases) {
    Put(bytes);
    std::ostringstream err;
    ProgressFile file(Folder().string(), err);
    EXPECT_EQ(file.Load(), Progress{});
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(Lines(err.str()), 1u) << err.str();
    // The file sits beside, byte for byte, under a name of its own: several
    // in the same second never replace one another.
    const std::size_t at = err.str().find("kept as ");
    ASSERT_NE(at, std::string::npos) << err.str();
    const std::string aside = err.str().substr(at + 8, err.str().find(' ', at + 8) - at - 8);
    EXPECT_EQ(aside.rfind(File() + ".bad-20", 0), 0u) << aside;
    EXPECT_EQ(Bytes(aside), bytes);
    kept.push_back(aside);
  }
  for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(Bytes(kept[i]), cases[i]);

  // A save after all that writes a fresh file.
  Progress p;
  RecordSolved(p, 7, LevelBest{});
  EXPECT_TRUE(ProgressFile(Folder().string(), err_).Save(p));
  EXPECT_EQ(ProgressFile(Folder().string(), err_).Load(), p);
  EXPECT_EQ(Names(Folder()).size(), kept.size() + 1);

  // Where it can be neither read nor moved aside, no save replaces it.
  Put("garbage\n");
  FileSyscalls sys = RealSyscalls();
  sys.renameNoReplace = &NoRenameAside;
  sys.link = &NoLink;
  ProgressFile blocked(Folder().string(), err_, sys);
  EXPECT_EQ(blocked.Load(), Progress{});
  EXPECT_FALSE(blocked.Save(p));
  EXPECT_EQ(Bytes(File()), "garbage\n");
}

TEST_F(ProgressFileTest, ASaveMergesWhatAnotherCopyWroteSinceItLoaded) {
  ProgressFile first(Folder().string(), err_), second(Folder().string(), err_);
  Progress a = first.Load(), b = second.Load();
  RecordSolved(b, 7, LevelBest{1, 9, 0, 500});
  ASSERT_TRUE(second.Save(b));
  RecordSolved(a, 7, LevelBest{2, 8, 0, 600});
  RecordSolved(a, 8, LevelBest{});
  a.play = SavedPlay{};
  ASSERT_TRUE(first.Save(a));
  // The later writer now knows both, and the file holds what it knows.
  EXPECT_EQ(a.solved.at(7), (LevelBest{1, 8, 0, 500}));
  EXPECT_TRUE(a.solved.contains(8));
  EXPECT_EQ(ProgressFile(Folder().string(), err_).Load(), a);
}

// A disk that fills up after a few bytes, or a folder that refuses the
// rename; switched on and off by the test.
bool gDiskFull = false;
ssize_t FullDiskWrite(int fd, const void* data, size_t size) {
  if (!gDiskFull) return ::write(fd, data, size);
  if (size > 5) return ::write(fd, data, 5);  // a short write, then nothing
  errno = ENOSPC;
  return -1;
}
int ReadOnlyRename(const char*, const char*) {
  errno = EROFS;
  return -1;
}

TEST_F(ProgressFileTest, AFullDiskKeepsTheOldFileSaysSoOnceAndTheNextSaveTriesAgain) {
  FileSyscalls sys = RealSyscalls();
  sys.write = &FullDiskWrite;
  ProgressFile file(Folder().string(), err_, sys);
  Progress p;
  RecordSolved(p, 1, LevelBest{});
  ASSERT_TRUE(file.Save(p));
  const std::string before = Bytes(File());

  gDiskFull = true;
  RecordSolved(p, 2, LevelBest{});
  EXPECT_FALSE(file.Save(p));
  EXPECT_FALSE(file.Save(p));
  gDiskFull = false;
  EXPECT_EQ(Bytes(File()), before);
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"progress"});
  EXPECT_EQ(Lines(err_.str()), 1u);
  EXPECT_NE(err_.str().find("No space left on device"), std::string::npos) << err_.str();

  EXPECT_TRUE(file.Save(p));
  EXPECT_TRUE(ProgressFile(Folder().string(), err_).Load().solved.contains(2));
  gDiskFull = true;
  EXPECT_FALSE(file.Save(p));  // a new failure after a success is told again
  gDiskFull = false;
  EXPECT_EQ(Lines(err_.str()), 2u);

  sys.rename = &ReadOnlyRename;
  std::ostringstream err;
  ProgressFile readOnly(Folder().string(), err, sys);
  RecordSolved(p, 3, LevelBest{});
  EXPECT_FALSE(readOnly.Save(p));
  EXPECT_NE(err.str().find("Read-only file system"), std::string::npos) << err.str();
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"progress"});

  // A file whose flush fails never replaces the old one.
  sys = RealSyscalls();
  sys.fsync = &FailingFsync;
  EXPECT_FALSE(ProgressFile(Folder().string(), err, sys).Save(p));
  EXPECT_FALSE(ProgressFile(Folder().string(), err_).Load().solved.contains(3));
}

TEST_F(ProgressFileTest, LoadRemovesTheTemporaryFilesOfKilledWritersOnly) {
  Put(WriteProgress(Progress{}));
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = File() + ".tmp-" + std::to_string(gone);
  const std::string alive = File() + ".tmp-" + std::to_string(::getppid());
  std::ofstream(dead) << "half a";
  std::ofstream(alive) << "half b";
  ProgressFile(Folder().string(), err_).Load();
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(alive));
}

}  // namespace
}  // namespace qw
