#include "bench/scene.h"

#include <cstdio>
#include <optional>

#include "platform/bitmap.h"
#include "platform/paths.h"
#include "qw_app_resources.h"

namespace qw::bench {

std::string DataFolder() { return ExecutableFolder() + "/../data"; }

Scene::Scene(const std::string& dataFolder, Surface pieceStrip, Surface toolbarStrip)
    : loop_(
          front_, [] { return std::uint64_t{0}; }, dataFolder, std::move(pieceStrip),
          std::move(toolbarStrip)) {}

std::unique_ptr<Scene> Scene::Load(const std::string& dataFolder, std::string& error) {
  std::optional<Surface> strip = LoadBmpMemory(resources::kPiecesBmp);
  std::optional<Surface> toolbar = LoadBmpMemory(resources::kToolbarBmp);
  error = "cannot load the game's data files from " + dataFolder;
  if (!strip || !toolbar) return nullptr;
  std::unique_ptr<Scene> scene(new Scene(dataFolder, std::move(*strip), std::move(*toolbar)));
  if (!scene->loop_.Create() || scene->loop_.puzzle().LevelCount() == 0) return nullptr;
  scene->loop_.PaintOnce();  // the window's first paint
  error.clear();
  return scene;
}

}  // namespace qw::bench
