// The game assembled in one place: the puzzle over a level table, the
// controller that moves it and keeps the screen state, and the renderer
// that draws both. The game window, the fuzz targets and the benchmarks
// build their games here.
#pragma once

#include <cstdint>
#include <vector>

#include "data/levels.h"
#include "model/puzzle.h"
#include "ui/controller.h"
#include "ui/renderer.h"
#include "ui/window_effects.h"

namespace qw {

// Not copyable or movable: the parts keep references to one another. The
// art, the levels and the effects must outlive the game.
class Game {
 public:
  Game(const ScreenArt& art, const std::vector<LevelRecord>& levels, WindowEffects& effects)
      : puzzle(levels),
        controller(puzzle, art.layout, levels, effects),
        renderer(puzzle, controller.state(), art, puzzle.LevelCount()) {
    renderer.SetChooser(&controller.chooser());
    renderer.SetEditor(&controller.editor());
  }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Puzzle puzzle;
  GameController controller;
  ScreenRenderer renderer;
};

}  // namespace qw
