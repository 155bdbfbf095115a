// The game put together without a window, as the game window does it, from
// the shipped data files and the built-in piece strip, with the paint's
// canvas in reach so that the benchmarks can count the pixels a paint writes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/puzzle.h"
#include "platform/font.h"
#include "platform/image_list.h"
#include "platform/region.h"
#include "platform/surface.h"
#include "ui/controller.h"
#include "ui/renderer.h"
#include "ui/window_effects.h"

namespace qw::bench {

// The game's data folder as `make bench` lays it out: build-bench/data,
// beside the game, one level up from the benchmark program.
std::string DataFolder();

class Scene final : public WindowEffects {
 public:
  // nullptr, with the reason in `error`, when a data file does not load.
  static std::unique_ptr<Scene> Load(const std::string& dataFolder, std::string& error);
  ~Scene() override;

  // One paint of the invalidated area, as the window runs it; gives the
  // pixels written. A paint that invalidates again (the trace changing the
  // mode) leaves that for the next call.
  std::uint64_t PaintDirty();
  // Invalidates the whole client area and paints it.
  std::uint64_t PaintAll();
  bool HasDirty() const { return !dirty_.IsEmpty(); }
  const Region& Dirty() const { return dirty_; }

  Puzzle& puzzle() { return *puzzle_; }
  GameController& controller() { return *controller_; }
  const Layout& layout() const { return layout_; }
  const Surface& client() const { return client_; }

  // WindowEffects: invalidation is gathered as the game window does; the
  // rest has no window to act on.
  void InvalidateRect(const Rect& r) override;
  void InvalidateAll() override;
  void ShowToolbar(bool) override {}
  void ShowMessage(const std::wstring&) override {}
  void CapturePointer() override {}
  void ReleasePointer() override {}
  void EndModalRun() override {}

 private:
  Scene() = default;

  Surface skin_;
  Layout layout_;
  std::vector<LevelRecord> levels_;
  std::unique_ptr<Font> font_;
  ImageList pieces_;
  std::unique_ptr<Puzzle> puzzle_;
  std::unique_ptr<GameController> controller_;
  std::unique_ptr<ScreenRenderer> renderer_;
  Surface client_;
  Region dirty_;
};

}  // namespace qw::bench
