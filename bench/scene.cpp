#include "bench/scene.h"

#include <optional>

#include "platform/bitmap.h"
#include "platform/paths.h"
#include "qw_app_resources.h"
#include "ui/client_area.h"

namespace qw::bench {

namespace {

constexpr std::int32_t kItemTray = 16;
constexpr std::int32_t kItemBoard = 17;
constexpr std::int32_t kPieceSize = 20;
constexpr Color kMagenta{255, 0, 255};

}  // namespace

std::string DataFolder() { return ExecutableFolder() + "/../data"; }

std::unique_ptr<Scene> Scene::Load(const std::string& dataFolder, std::string& error) {
  std::unique_ptr<Scene> scene(new Scene());
  std::optional<Surface> skin = LoadSkin(dataFolder + "/qw_images.dat");
  std::optional<Layout> layout = LoadLayout(dataFolder + "/qw_layout.dat");
  std::optional<std::vector<LevelRecord>> levels = LoadLevels(dataFolder + "/qw_levels.dat");
  std::optional<Surface> strip = LoadBmpMemory(resources::kPiecesBmp);
  if (!skin || !layout || static_cast<std::int32_t>(layout->size()) < kLayoutItemsNeeded || !levels ||
      levels->empty() || !strip) {
    error = "cannot load the game's data files from " + dataFolder;
    return nullptr;
  }
  scene->skin_ = std::move(*skin);
  scene->layout_ = std::move(*layout);
  scene->levels_ = std::move(*levels);
  scene->pieces_ = ImageList(std::move(*strip), kPieceSize, kPieceImageCount, kMagenta);
  scene->font_ = Font::Open(12, 400, "Arial");
  Scene& s = *scene;
  s.puzzle_ = std::make_unique<Puzzle>(s.levels_, ItemRect(s.layout_, kItemTray), ItemRect(s.layout_, kItemBoard), s);
  s.controller_ = std::make_unique<GameController>(*s.puzzle_, s.layout_, s.levels_, s);
  s.renderer_ = std::make_unique<ScreenRenderer>(*s.puzzle_, *s.controller_,
                                                 ScreenArt{s.skin_, s.layout_, s.pieces_, s.font_.get()},
                                                 static_cast<std::int32_t>(s.levels_.size()));
  s.client_ = Surface(kClientWidth, kClientHeight);
  return scene;
}

Scene::~Scene() = default;

std::uint64_t Scene::PaintDirty() {
  if (dirty_.IsEmpty()) return 0;
  Region area = std::move(dirty_);
  dirty_.Clear();
  Canvas canvas(client_);
  canvas.SetClip(area);
  renderer_->OnPaint(canvas);
  return canvas.PixelsWritten();
}

std::uint64_t Scene::PaintAll() {
  InvalidateAll();
  return PaintDirty();
}

void Scene::InvalidateRect(const Rect& r) {
  const Rect inside = IntersectRect(r, kClientRect);
  if (!inside.IsEmpty()) dirty_.Union(inside);
}

void Scene::InvalidateAll() { dirty_ = Region(kClientRect); }

}  // namespace qw::bench
