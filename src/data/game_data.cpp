#include "data/game_data.h"

#include <optional>

namespace qw {

std::variant<GameData, std::vector<DataFile>> LoadGameData(const std::string& folder) {
  std::vector<DataFile> failed;
  std::optional<Surface> skin = LoadSkin(folder + "/qw_images.dat");
  if (!skin) failed.push_back(DataFile::kImages);
  // The program reads items 0 to 24: a shorter table is refused like a
  // missing file rather than read past its end.
  std::optional<Layout> layout = LoadLayout(folder + "/qw_layout.dat");
  if (!layout || static_cast<std::int32_t>(layout->size()) < kLayoutItemsNeeded)
    failed.push_back(DataFile::kLayout);
  std::optional<std::vector<LevelRecord>> levels = LoadLevels(folder + "/qw_levels.dat");
  if (!levels) failed.push_back(DataFile::kLevels);
  if (!failed.empty()) return failed;
  return GameData{std::move(*skin), std::move(*layout), std::move(*levels)};
}

}  // namespace qw
