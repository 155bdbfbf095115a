// The game without a window, as the benchmarks need it: the real game loop
// on the shipped data files, with its state in reach and each paint
// counted in pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/game_loop.h"

namespace qw::bench {

// The game's data folder as `make bench` lays it out: build-bench/data,
// beside the game, one level up from the benchmark program.
std::string DataFolder();

class Scene {
 public:
  // nullptr, with the reason in `error`, when a data file does not load.
  static std::unique_ptr<Scene> Load(const std::string& dataFolder, std::string& error);

  // One paint of the invalidated area, as the window runs it; gives the
  // pixels written.
  std::uint64_t PaintDirty() { return loop_.PaintOnce(); }
  // Invalidates the whole client area and paints it.
  std::uint64_t PaintAll() {
    loop_.InvalidateAll();
    return loop_.PaintOnce();
  }
  bool HasDirty() const { return !loop_.dirty().IsEmpty(); }
  const Region& Dirty() const { return loop_.dirty(); }

  Puzzle& puzzle() { return loop_.puzzle(); }
  const UiState& ui() const { return loop_.controller().state(); }
  const BoardGeometry& geometry() const { return loop_.controller().geometry(); }
  GameController& controller() { return loop_.controller(); }
  const Layout& layout() const { return loop_.layout(); }
  const Surface& client() const { return loop_.client(); }

 private:
  // Nothing to present, no boxes or capture to show.
  class Front final : public FrontEnd {
    void Present(const Surface&, const Rect&) override {}
    void ToggleFullscreen() override {}
    void ShowMessage(const std::wstring&) override {}
    void CapturePointer(bool) override {}
  };
  Scene(const std::string& dataFolder, Surface pieceStrip, Surface toolbarStrip);

  Front front_;
  GameLoop loop_;
};

// Starts the shipped set's first level as the menu's new game does.
inline bool StartFirstLevel(Scene& scene) {
  scene.controller().StartLevel(0);
  return scene.puzzle().currentLevel() == 0 && scene.ui().screenMode == MODE_PLAY;
}

}  // namespace qw::bench
