// Progress files that cannot be read, and folders that cannot be written,
// through the real game: it always plays on and ends with status 0, a bad
// file is kept aside byte for byte, and nothing of the player's is lost.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "data/progress.h"
#include "hostile.h"

namespace qw::testing {
namespace {

namespace fs = std::filesystem;

std::size_t Lines(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')); }

std::optional<Progress> Parsed(const fs::path& file) { return ParseProgress(ReadBytes(file)).progress; }

// What a run of the play script keeps besides its level in play (the level
// it played becomes the one in play): the rest of the record must be what it
// was.
std::optional<Progress> Kept(const fs::path& file) {
  std::optional<Progress> p = Parsed(file);
  if (p) {
    EXPECT_TRUE(p->play) << "the played level is in play";
    p->play.reset();
  }
  return p;
}

// A record with a level solved and one in play.
Progress Kept() {
  Progress p;
  p.scale = 2;
  RecordSolved(p, 0x1234, LevelBest{3, 5, 0, 4000});
  p.play = SavedPlay{};
  p.play->level = 0x5678;
  p.play->undo = {"a step"};
  return p;
}

class HostileProgress : public ::testing::Test {
 protected:
  HostileProgress() : box_("progress") { fs::create_directories(Folder()); }
  fs::path Folder() const { return box_.folder() / "keep"; }
  fs::path File() const { return Folder() / "progress"; }
  Outcome Play(const fs::path& folder) const {
    return box_.Run(PlayScript(box_), std::chrono::seconds(60), {"--progress", folder.string()});
  }
  // The files in the folder that were moved aside.
  std::vector<fs::path> Aside() const {
    std::vector<fs::path> found;
    for (const auto& e : fs::directory_iterator(Folder())) {
      if (e.path().filename().string().rfind("progress.bad-", 0) == 0) found.push_back(e.path());
    }
    return found;
  }
  Sandbox box_;
};

TEST_F(HostileProgress, EveryUnreadableFileIsMovedAsideAndTheGameStartsAfresh) {
  const std::string good = WriteProgress(Kept());
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"random bytes", Garbage(5000, 14)},
      {"cut short", good.substr(0, good.size() / 2)},
      {"unknown version", "quenchway-progress 9\nscale 0\nfullscreen 0\nend\n"},
      {"zero bytes", std::string(good).replace(30, 1, std::string(1, '\0'))},
      {"a 10 MB line", std::string(10u << 20, 'a') + "\n"},
      {"a cell out of range", std::string(good).replace(good.find("-1"), 2, "99:9")},
      {"numbers at the limits", std::string(good).replace(good.find(" 3 5 0 4000"), 11, " 99999999999 0 0 0")},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    std::ofstream(File(), std::ios::binary) << bytes;
    const Outcome run = Play(Folder());
    ExpectPlayed(run, box_);
    EXPECT_EQ(Lines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("cannot read the progress file"), std::string::npos) << run.err;
    const std::vector<fs::path> aside = Aside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadBytes(aside[0]), bytes);
    fs::remove(aside[0]);
    // A fresh start, saved as it is played.
    EXPECT_EQ(Kept(File()), Progress{});
  }
}

TEST_F(HostileProgress, AFolderAPipeOrADeviceInItsPlaceIsMovedAsideWithoutWaiting) {
  fs::create_directory(File());
  ExpectPlayed(Play(Folder()), box_);
  fs::remove(File());
  ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
  ExpectPlayed(Play(Folder()), box_);
  fs::remove(File());
  fs::create_symlink("/dev/zero", File());
  const Outcome run = Play(Folder());
  ExpectPlayed(run, box_);
  EXPECT_EQ(Lines(run.err), 1u) << run.err;
  EXPECT_EQ(Aside().size(), 3u);
  EXPECT_EQ(Kept(File()), Progress{});
}

TEST_F(HostileProgress, AGoodFileComesThroughARunWhole) {
  std::ofstream(File(), std::ios::binary) << WriteProgress(Kept());
  const Outcome run = Play(Folder());
  ExpectPlayed(run, box_);
  EXPECT_EQ(run.err, "");
  Progress kept = Kept();
  kept.kept.push_back(*kept.play);  // the level in play before keeps its board
  kept.play.reset();
  EXPECT_EQ(Kept(File()), kept);
  EXPECT_TRUE(Aside().empty());
}

TEST_F(HostileProgress, ScriptModeKeepsProgressOnlyWhereItIsTold) {
  // A player's own folder, as the environment names it, is never touched by
  // a script; --no-progress reads and writes nothing either.
  const fs::path home = box_.folder() / "home";
  fs::create_directories(home / "data/quenchway");
  std::ofstream(home / "data/quenchway/progress") << "not progress";
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::optional<std::string> saved = oldXdg ? std::optional<std::string>(oldXdg) : std::nullopt;
  ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  const Outcome plain = box_.Run(PlayScript(box_));
  const Outcome none = box_.Run(PlayScript(box_), std::chrono::seconds(60), {"--no-progress"});
  if (saved) {
    ::setenv("XDG_DATA_HOME", saved->c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
  ExpectPlayed(plain, box_);
  ExpectPlayed(none, box_);
  EXPECT_EQ(plain.err + none.err, "");
  EXPECT_EQ(ReadBytes(home / "data/quenchway/progress"), "not progress");
  EXPECT_EQ(std::distance(fs::directory_iterator(home / "data/quenchway"), fs::directory_iterator()), 1);

  const Outcome both = box_.Run("dump\n", std::chrono::seconds(60), {"--no-progress", "--progress", "x"});
  EXPECT_EQ(both.code, 2);
}

TEST_F(HostileProgress, AFolderThatCannotBeMadeIsToldOnceAndTheGamePlaysOn) {
  std::ofstream(box_.folder() / "plain") << "a file, not a folder";
  const Outcome run = Play(box_.folder() / "plain" / "progress-folder");
  ExpectPlayed(run, box_);
  EXPECT_EQ(Lines(run.err), 1u) << run.err;
  EXPECT_NE(run.err.find("progress cannot be saved"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(box_.folder() / "plain"), "a file, not a folder");
}

// A small file system of its own that can be made read-only: as root, a
// tmpfs; elsewhere (or where mounting is not allowed) the test is skipped.
// A full disk is acted out by the unit tests' seam, which runs anywhere.
class Tmpfs {
 public:
  Tmpfs(const fs::path& at, const char* options) : at_(at) {
    fs::create_directories(at);
    mounted_ = ::geteuid() == 0 && ::mount("tmpfs", at.c_str(), "tmpfs", 0, options) == 0;
  }
  ~Tmpfs() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  Tmpfs(const Tmpfs&) = delete;
  Tmpfs& operator=(const Tmpfs&) = delete;
  bool mounted() const { return mounted_; }
  bool MakeReadOnly() const {
    return ::mount("tmpfs", at_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  fs::path at_;
  bool mounted_ = false;
};

TEST_F(HostileProgress, AReadOnlyFolderKeepsEvenABadFileWhereItIs) {
  const fs::path at = box_.folder() / "readonly";
  Tmpfs disk(at, "size=64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (not root, or not allowed)";
  std::ofstream(at / "progress", std::ios::binary) << "damaged";
  ASSERT_TRUE(disk.MakeReadOnly());
  const Outcome run = Play(at);
  ExpectPlayed(run, box_);
  // One line: it cannot be moved aside. At the save the same file is still
  // in the way, which is told once more, and nothing is written over it.
  EXPECT_EQ(Lines(run.err), 2u) << run.err;
  EXPECT_NE(run.err.find("nor move it aside"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("progress cannot be saved"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(at / "progress"), "damaged");
}

}  // namespace
}  // namespace qw::testing
