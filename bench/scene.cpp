#include "bench/scene.h"

#include <cstdio>
#include <optional>

#include "platform/bitmap.h"
#include "platform/paths.h"
#include "qw_app_resources.h"

namespace qw::bench {

std::string DataFolder() { return ExecutableFolder() + "/../data"; }

Scene::Scene(const std::string& dataFolder, Surface pieceStrip) : window_(host_, dataFolder, std::move(pieceStrip)) {}

std::unique_ptr<Scene> Scene::Load(const std::string& dataFolder, std::string& error) {
  std::optional<Surface> strip = LoadBmpMemory(resources::kPiecesBmp);
  error = "cannot load the game's data files from " + dataFolder;
  if (!strip) return nullptr;
  std::unique_ptr<Scene> scene(new Scene(dataFolder, std::move(*strip)));
  if (!scene->window_.Create() || scene->window_.levelCount() == 0) return nullptr;
  scene->window_.PaintPending();  // the window's first paint
  error.clear();
  return scene;
}

}  // namespace qw::bench
