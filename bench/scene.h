// The game without a window, as the benchmarks need it: the real game window
// object on the shipped data files, with its state in reach and each paint
// counted in pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/game_window.h"

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
  std::uint64_t PaintDirty() { return window_.PaintOnce(); }
  // Invalidates the whole client area and paints it.
  std::uint64_t PaintAll() {
    window_.InvalidateAll();
    return window_.PaintOnce();
  }
  bool HasDirty() const { return !window_.dirty().IsEmpty(); }
  const Region& Dirty() const { return window_.dirty(); }

  Puzzle& puzzle() { return window_.puzzle(); }
  const UiState& ui() const { return window_.ui(); }
  const BoardGeometry& geometry() const { return window_.controller().geometry(); }
  GameController& controller() { return window_.controller(); }
  const Layout& layout() const { return window_.layout(); }
  const Surface& client() const { return window_.client(); }

 private:
  // No message boxes, capture or toolbar to show.
  class Host final : public WindowHost {
    void ShowMessage(const std::wstring&) override {}
    void CapturePointer(bool) override {}
    void ToolbarVisibilityChanged(bool) override {}
  };
  Scene(const std::string& dataFolder, Surface pieceStrip);

  Host host_;
  GameWindow window_;
};

// Starts the shipped set's first level as the menu's new game does.
inline bool StartFirstLevel(Scene& scene) {
  scene.controller().StartLevel(0);
  return scene.puzzle().currentLevel == 0 && scene.ui().screenMode == MODE_PLAY;
}

}  // namespace qw::bench
