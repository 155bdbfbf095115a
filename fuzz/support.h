// What the fuzz targets share: the shipped art and levels built into the
// binary, a game that runs without a window, and input turned into files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/layout.h"
#include "data/levels.h"
#include "model/puzzle.h"
#include "platform/image_list.h"
#include "platform/surface.h"
#include "ui/controller.h"
#include "ui/game.h"
#include "ui/renderer.h"
#include "ui/window_effects.h"

namespace qw::fuzz {

// The files in data/ and the piece strip, decoded once and never changed.
const Surface& ShippedSkin();
const Layout& ShippedLayout();
const std::vector<LevelRecord>& ShippedLevels();
const ImageList& ShippedPieces();

// Each byte widened to one character, up to the first zero byte: what a
// text data file reads as.
std::wstring Widen(std::span<const std::uint8_t> bytes);

// Writes the bytes to this process's scratch file (one per name) and gives
// its path.
std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes);

// Stops the run with a message: a broken promise of the code under test.
[[noreturn]] void Fail(const char* what);
inline void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

// The game as the window builds it, painting onto a surface of the client
// area's size. The layout needs 25 items or more.
class Game {
 public:
  Game(const Surface& skin, const Layout& layout, std::vector<LevelRecord> levels);

  // Repaints the whole client area in the current mode.
  void Paint();
  // Paints each screen mode in turn.
  void PaintEveryScreen();
  // Paints the password screen with any text as the typed letters.
  void PaintPassword(const std::wstring& typed);

  ScreenArt art;
  NoWindowEffects effects;
  std::vector<LevelRecord> levels;
  qw::Game parts;
  Puzzle& puzzle = parts.puzzle;
  GameController& controller = parts.controller;
  Surface client;
};

}  // namespace qw::fuzz
