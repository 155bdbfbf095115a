#include "data/game_data.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qw {
namespace {

namespace fs = std::filesystem;

// A copy of the shipped data folder, changed by the test, removed at the end.
class DataFolder {
 public:
  DataFolder() : path_(fs::temp_directory_path() / ("qw_game_data_" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::copy(QW_SOURCE_DIR "/data", path_);
  }
  ~DataFolder() { fs::remove_all(path_); }
  std::string path() const { return path_.string(); }
  void Remove(const char* name) const { fs::remove(path_ / name); }
  void Write(const char* name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary | std::ios::trunc) << text;
  }

 private:
  fs::path path_;
};

TEST(GameData, LoadsTheThreeFilesOrNamesEveryOneThatFailed) {
  DataFolder folder;
  const auto loaded = LoadGameData(folder.path());
  ASSERT_TRUE(std::holds_alternative<GameData>(loaded));
  const GameData& data = std::get<GameData>(loaded);
  EXPECT_GT(data.skin.width(), 0);
  EXPECT_GE(static_cast<std::int32_t>(data.layout.size()), kLayoutItemsNeeded);
  EXPECT_FALSE(data.levels.empty());

  // A layout one item short counts as one that cannot be loaded.
  std::string layout;
  for (std::int32_t i = 0; i < kLayoutItemsNeeded - 1; ++i) layout += "0,26,1,1,0,0\r\n";
  folder.Write("qw_layout.dat", layout);
  auto failed = LoadGameData(folder.path());
  ASSERT_TRUE(std::holds_alternative<std::vector<DataFile>>(failed));
  EXPECT_EQ(std::get<std::vector<DataFile>>(failed), std::vector<DataFile>{DataFile::kLayout});

  folder.Remove("qw_levels.dat");
  folder.Remove("qw_images.dat");
  failed = LoadGameData(folder.path());
  ASSERT_TRUE(std::holds_alternative<std::vector<DataFile>>(failed));
  EXPECT_EQ(std::get<std::vector<DataFile>>(failed),
            (std::vector<DataFile>{DataFile::kImages, DataFile::kLayout, DataFile::kLevels}));
}

}  // namespace
}  // namespace qw
