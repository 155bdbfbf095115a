#include "editor/own_levels.h"

#include <gtest/gtest.h>

#include "common/folder_names.h"
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace qw {
namespace {

namespace fs = std::filesystem;

using testing::Names;

// The player's levels survive a save that fails midway (the disk full after
// some bytes), and a file that does not read is moved aside, never written
// over.
TEST(OwnLevelsTest, SurvivesAFailedSaveAndKeepsABadFileAside) {
  const fs::path folder =
      fs::temp_directory_path() / ("qw_own_levels_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  std::ostringstream err;
  OwnLevels store(folder.string(), err);
  std::vector<LevelRecord> levels = {{L"First", L"", 1, 0, 0, 5, 2, L"6", L"", L""},
                                     {L"Second", L"", 0, 2, 0, 0, 4, L"90,91", L"50", L"1"}};
  ASSERT_TRUE(store.Save(levels));
  EXPECT_EQ(levels[0].password, L"AAAAAA");
  EXPECT_EQ(levels[1].password, L"AAAAAE");
  EXPECT_EQ(store.Load(), levels);

  FileSyscalls full = RealSyscalls();
  // The disk fills up after the first few bytes of the new file.
  static bool wrote;
  wrote = false;
  full.write = [](int fd, const void* data, size_t size) -> ssize_t {
    errno = ENOSPC;
    return std::exchange(wrote, true) ? -1 : ::write(fd, data, std::min<size_t>(size, 8));
  };
  OwnLevels failing(folder.string(), err, full);
  std::vector<LevelRecord> more = levels;
  more.push_back({L"Third", L"", 0, 0, 1, 11, 0, L"15", L"", L""});
  EXPECT_FALSE(failing.Save(more));
  EXPECT_EQ(store.Load(), levels);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"my_levels.dat"});

  std::ofstream(folder / "my_levels.dat", std::ios::binary)
      << "Title\r\nPASS\r\n1,0,0\r\n5,2\r\n6\r\n6\r\n-1\r\n";
  EXPECT_TRUE(store.Load().empty());
  ASSERT_EQ(Names(folder).size(), 1u);
  EXPECT_EQ(Names(folder)[0].rfind("my_levels.dat.bad-", 0), 0u);
  EXPECT_NE(err.str().find("holds both"), std::string::npos) << err.str();
  ASSERT_TRUE(store.Save(levels));
  EXPECT_EQ(store.List(), (std::vector<std::wstring>{L"First", L"Second"}));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace qw
