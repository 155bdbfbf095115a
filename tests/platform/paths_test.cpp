#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/paths.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

// A prefix as an installation lays it out: bin/ for the program, and the data
// folders made on demand.
class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("qw_paths_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string Bin() const { return (root_ / "bin").string(); }
  fs::path root_;
};

TEST_F(DataFolderTest, BesideTheProgramFirstThenTheSharedFolderElseBeside) {
  // Neither folder: the one beside the program, where load failures are reported.
  EXPECT_EQ(ChooseDataFolder(Bin()), Bin() + "/data");

  fs::create_directories(root_ / "share/quenchway/data");
  EXPECT_EQ(ChooseDataFolder(Bin()), Bin() + "/../share/quenchway/data");

  // A file called data is no folder.
  std::ofstream(root_ / "bin/data") << "not a folder";
  EXPECT_EQ(ChooseDataFolder(Bin()), Bin() + "/../share/quenchway/data");

  fs::remove(root_ / "bin/data");
  fs::create_directories(root_ / "bin/data");
  EXPECT_EQ(ChooseDataFolder(Bin()), Bin() + "/data");
}

TEST(ProgressFolder, XdgDataHomeWhenAbsoluteElseTheHomeFolder) {
  EXPECT_EQ(ChooseProgressFolder("/x/data", "/home/p"), "/x/data/quenchway");
  // Unset, empty or relative: ignored, as the base-directory rules ask.
  EXPECT_EQ(ChooseProgressFolder(nullptr, "/home/p"), "/home/p/.local/share/quenchway");
  EXPECT_EQ(ChooseProgressFolder("", "/home/p"), "/home/p/.local/share/quenchway");
  EXPECT_EQ(ChooseProgressFolder("data", "/home/p"), "/home/p/.local/share/quenchway");
  EXPECT_EQ(ChooseProgressFolder(nullptr, nullptr), "");
  EXPECT_EQ(ChooseProgressFolder("rel", "also/rel"), "");
}

}  // namespace
}  // namespace qw
