// A small game world for the input and rendering tests: a layout whose items
// sit apart, three levels, and a window that records what it is asked to do.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/make_level.h"
#include "data/layout.h"
#include "data/levels.h"
#include "model/puzzle.h"
#include "platform/font.h"
#include "platform/image_list.h"
#include "ui/controller.h"
#include "ui/game.h"
#include "ui/window_effects.h"

namespace qw::testing {

// What the window was asked to do, in order, as short texts:
// "rect L T R B", "all", "toolbar 0|1", "message TEXT", "capture",
// "release", "end", "note TEXT".
class RecordingWindow : public WindowEffects {
 public:
  void InvalidateRect(const Rect& r) override {
    log.push_back("rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                  std::to_string(r.right) + " " + std::to_string(r.bottom));
  }
  void InvalidateAll() override { log.push_back("all"); }
  void ShowToolbar(bool visible) override { log.push_back(visible ? "toolbar 1" : "toolbar 0"); }
  void ShowMessage(const std::wstring& text) override {
    log.push_back("message " + std::string(text.begin(), text.end()));
  }
  void CapturePointer() override { log.push_back("capture"); }
  void ReleasePointer() override { log.push_back("release"); }
  void EndModalRun() override { log.push_back("end"); }
  void ShowNote(const std::wstring& text) override {
    log.push_back("note " + std::string(text.begin(), text.end()));
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }
  std::vector<std::string> log;
};

// Items 0..24 in client coordinates; each item's source rectangle is its own
// 260-pixel band of the skin, so that a pixel on screen tells which item
// painted it.
inline Layout TestLayout() {
  const Rect places[25] = {
      {0, 0, 240, 40},     {0, 40, 240, 50},    {0, 250, 240, 268},   {70, 60, 170, 84},
      {70, 60, 170, 84},   {70, 90, 170, 114},  {70, 90, 170, 114},   {70, 120, 170, 144},
      {70, 120, 170, 144}, {70, 150, 170, 174}, {70, 150, 170, 174},  {10, 10, 230, 250},
      {150, 2, 230, 42},   {150, 2, 230, 42},   {150, 2, 230, 42},    {0, 0, 0, 0},
      {15, 22, 226, 44},   {15, 50, 226, 261},  {5, 2, 145, 42},      {5, 2, 145, 42},
      {20, 200, 80, 224},  {90, 200, 150, 224}, {160, 200, 220, 224}, {40, 150, 200, 170},
      {40, 110, 200, 130},
  };
  Layout layout;
  for (int i = 0; i < 25; ++i) {
    const Rect& r = places[i];
    layout.push_back(LayoutItem{r.left, r.top, r.Width(), r.Height(), 0, 260 * i});
  }
  return layout;
}

// A level whose water leaves the top-left corner eastward, into the wall at
// (9, 0); a hazard at (0, 9).
inline LevelRecord TestLevel(std::wstring password, std::wstring fires) {
  LevelRecord r = MakeLevel(2, 1, 1, 0, 2, std::move(fires), L"90", L"9");
  r.password = std::move(password);
  return r;
}

// The game built as the window builds it, through Game, over the test
// layout and levels. The art is blank unless a test brings its own.
struct World {
  explicit World(Surface skinImage = Surface(1, 1), ImageList pieceStrip = ImageList(),
                 std::unique_ptr<Font> font = nullptr)
      : layout(TestLayout()),
        levels{TestLevel(L"AAA", L"55"), TestLevel(L"SEAL", L"5"), TestLevel(L"SEAL", L"7")},
        gameSkin(std::move(skinImage)),
        gamePieces(std::move(pieceStrip)),
        captionFont(std::move(font)),
        art{gameSkin, layout, gamePieces, captionFont.get()},
        game(art, levels, window) {}
  // A layout and levels of the test's own, with blank art.
  World(Layout ownLayout, std::vector<LevelRecord> ownLevels)
      : layout(std::move(ownLayout)),
        levels(std::move(ownLevels)),
        gameSkin(1, 1),
        art{gameSkin, layout, gamePieces, captionFont.get()},
        game(art, levels, window) {}

  // The screen rectangle of a tray slot or board cell, and the client point
  // at its centre.
  Rect CellRect(std::int32_t x, std::int32_t y) const {
    return controller.geometry().CellRect(x, y);
  }
  Point Centre(std::int32_t x, std::int32_t y) const { return RectCenter(CellRect(x, y)); }
  const UiState& Ui() const { return controller.state(); }
  Point ItemCentre(std::int32_t i) const {
    const Rect r = ItemRect(layout, i);
    return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Tap(Point p) {
    controller.OnPenDown(p);
    controller.OnPenUp(p);
  }
  void Drag(Point from, Point to) {
    controller.OnPenDown(from);
    controller.OnPenMove(to);
    controller.OnPenUp(to);
  }
  void StartPlaying(std::int32_t level = 0) {
    controller.StartLevel(level);
    window.Take();
  }

  RecordingWindow window;
  Layout layout;
  std::vector<LevelRecord> levels;
  Surface gameSkin;
  ImageList gamePieces;
  std::unique_ptr<Font> captionFont;
  ScreenArt art;
  Game game;
  Puzzle& puzzle = game.puzzle;
  GameController& controller = game.controller;
};

}  // namespace qw::testing
