// The puzzle's state and rules: the ten-slot tray, the 10 by 10 board, the
// selection and the level in play; level set-up, turning, selecting, the
// geometry of cells on screen, and the water trace (water.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/levels.h"
#include "model/cell.h"
#include "model/effects.h"
#include "model/screen_mode.h"
#include "model/water.h"
#include "platform/geometry.h"

namespace qw {

class Puzzle {
 public:
  // levels is kept by reference and must outlive the puzzle; trayRect and
  // boardRect are the screen rectangles of the tray and board layout items.
  Puzzle(const std::vector<LevelRecord>& levels, const Rect& trayRect, const Rect& boardRect,
         ModelEffects& effects);

  // Sets up level index: tray and board from its record, no selection, press
  // state idle, MODE_PLAY, toolbar shown, whole window invalidated. False,
  // with nothing changed, when there is no such level.
  bool StartLevel(std::int32_t index);
  // StartLevel(currentLevel) in every mode but MODE_MENU.
  void RestartLevel();
  // The level after the one in play, or -1 when there is none.
  std::int32_t NextLevelIndex() const;
  // Turns the Cell at tray slot (x, -1) or board cell (x, y) by 45 degrees.
  // (-1, -1) and any other position off the tray and board do nothing.
  void TurnPiece(std::int32_t x, std::int32_t y, bool clockwise);
  // Makes (x, y) the selection, repainting the old and the new selected cell.
  void SelectCell(std::int32_t x, std::int32_t y);
  // The 20 by 20 screen rectangle of board cell (x, y), or of tray slot x when
  // y is -1. Any x and y give a rectangle.
  Rect CellRect(std::int32_t x, std::int32_t y) const;
  // The tray slot or board cell under a point, or (-1, -1); tray slot k is
  // tested before the board cells of column k. Gaps hit nothing.
  Position HitTest(Point point) const;

  // One complete run of the water from every source on the board (column by
  // column, each column top to bottom): re-marks the fires, may switch
  // MODE_PLAY to MODE_SOLVED or any mode but MODE_FAILED to MODE_FAILED.
  void TraceWater(WaterSink& sink);
  // Runs the water leaving cell (x, y) in direction d and everything that
  // follows from it, depth first. Gives the number of FlowFrom calls made,
  // this one included.
  std::int32_t FlowFrom(WaterSink& sink, std::int32_t x, std::int32_t y, std::int32_t d);
  const TraceStats& LastTrace() const { return lastTrace_; }

  // The Cell at a tray slot or board cell; nullptr for any other position.
  Cell* At(Position p);
  const Cell* At(Position p) const;
  Cell* BoardCell(std::int32_t x, std::int32_t y) { return At(Position{x, y}); }
  const Cell* BoardCell(std::int32_t x, std::int32_t y) const { return At(Position{x, y}); }

  std::int32_t LevelCount() const;
  const Rect& BoardRect() const { return boardRect_; }

  // The pen's press on a pipe piece, driven by the input handlers.
  struct PressState {
    std::int32_t buttonDown = 0;
    std::int32_t dragging = 0;
    Point lastPoint{-1, -1};
    Position dragSource;
  };

  std::array<Cell, kTraySlots> tray{};
  std::array<Cell, kBoardCells> board{};  // cell (x, y) at index x * 10 + y
  Position selection;
  std::int32_t currentLevel = -1;
  std::int32_t screenMode = MODE_MENU;
  PressState press;

 private:
  void FillTray(const LevelRecord& level);
  void PlaceList(const std::wstring& cells, std::int32_t kind);

  const std::vector<LevelRecord>& levels_;
  Rect trayRect_;
  Rect boardRect_;
  ModelEffects& effects_;
  TraceStats lastTrace_;
};

// The centre of a rectangle, each coordinate truncated toward zero.
Point RectCenter(const Rect& rect);

}  // namespace qw
