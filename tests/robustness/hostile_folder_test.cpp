// Data folders that are not folders, data files that are folders, pipes,
// devices, dangling links or unreadable, and pen positions at the limits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "hostile.h"

namespace qw::testing {
namespace {

namespace fs = std::filesystem;

TEST(HostileFolder, DataBeingAFileFailsEveryLoad) {
  Sandbox box("folder_is_file");
  fs::remove_all(box.data());
  std::ofstream(box.data()) << "not a folder";
  ExpectRefused(box.Run("dump\n"), kImageRefused + kLayoutRefused + kLevelsRefused);
}

TEST(HostileFolder, FoldersPipesAndDevicesAreRefusedWithoutWaiting) {
  // A FIFO nobody writes to would block a plain open() for ever, and
  // /dev/zero never ends: both must be refused at once.
  Sandbox box("special_files");
  for (const char* name : {"qw_images.dat", "qw_layout.dat"}) {
    fs::remove(box.data() / name);
    ASSERT_EQ(::mkfifo((box.data() / name).c_str(), 0600), 0);
  }
  fs::remove(box.data() / "qw_levels.dat");
  fs::create_directory(box.data() / "qw_levels.dat");
  ExpectRefused(box.Run("dump\n", std::chrono::seconds(30)), kImageRefused + kLayoutRefused + kLevelsRefused);

  Sandbox devices("devices");
  for (const char* name : {"qw_images.dat", "qw_layout.dat", "qw_levels.dat"}) {
    fs::remove(devices.data() / name);
    fs::create_symlink("/dev/zero", devices.data() / name);
  }
  ExpectRefused(devices.Run("dump\n", std::chrono::seconds(30)), kImageRefused + kLayoutRefused + kLevelsRefused);
}

TEST(HostileFolder, DanglingAndLoopingLinksFailLikeMissingFiles) {
  Sandbox box("links");
  fs::remove(box.data() / "qw_images.dat");
  fs::create_symlink(box.data() / "nowhere", box.data() / "qw_images.dat");
  fs::remove(box.data() / "qw_levels.dat");
  fs::create_symlink(box.data() / "qw_levels.dat", box.data() / "qw_levels.dat");
  ExpectRefused(box.Run("dump\n"), kImageRefused + kLevelsRefused);
}

TEST(HostileFolder, UnreadableFilesAreRefused) {
  // Permissions do not stop root; there the folder-as-file and FIFO cases
  // above stand for files that cannot be read.
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: permission bits cannot make a file unreadable";
  Sandbox box("unreadable");
  fs::permissions(box.data() / "qw_layout.dat", fs::perms::none);
  ExpectRefused(box.Run("dump\n"), kLayoutRefused);
}

TEST(HostileScript, PenPositionsAtTheInt32LimitsArePlayed) {
  Sandbox box("pen_limits");
  std::string script = PlayScript(box);
  // Press the piece in tray slot 1, drag it to the corners of the int32
  // range and let go there; then a drag across the whole range.
  script.insert(script.find("dump"),
                "down 46 33\nmove -2147483648 -2147483648\nmove 2147483647 2147483647\n"
                "move -2147483648 2147483647\nup 2147483647 -2147483648\n"
                "drag -2147483648 -2147483648 2147483647 2147483647\n");
  ExpectPlayed(box.Run(script), box);
}

}  // namespace
}  // namespace qw::testing
