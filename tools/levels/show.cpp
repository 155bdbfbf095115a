#include "levels/show.h"

#include <array>
#include <filesystem>
#include <memory>
#include <sstream>

#include "data/layout.h"
#include "solver/played_level.h"
#include "platform/png_file.h"
#include "platform/bitmap.h"
#include "platform/font.h"
#include "platform/image_list.h"
#include "platform/utf8.h"
#include "ui/client_area.h"
#include "ui/renderer.h"
#include "ui/ui_state.h"
#include "ui/piece_art.h"

namespace qw {

namespace {

// The cells the water enters.
std::array<bool, kBoardCells> WetCells(const WaterTrace& water) {
  std::array<bool, kBoardCells> wet{};
  for (const WaterStep& step : water.steps) {
    Position next = step.cell;
    StepPosition(next, step.direction);
    if (step.direction >= 0 && step.direction <= 7 && IsBoardCell(next)) {
      wet[static_cast<std::size_t>(BoardIndex(next.x, next.y))] = true;
    }
  }
  return wet;
}

std::string CellText(const Cell& cell, bool wet) {
  const std::string r = std::to_string(cell.variant);
  switch (cell.kind) {
    case KIND_EMPTY: return wet ? "~" : ".";
    case KIND_ELBOW: return "E" + r;
    case KIND_BEND: return "B" + r;
    case KIND_SPLITTER: return "T" + r;
    case KIND_SOURCE: return "S" + r;
    case KIND_FIRE: return cell.variant == 0 ? "F" : "f";
    case KIND_SPARK: return "H";
    case KIND_WALL: return "#";
    default: return "?";
  }
}

std::string Plural(std::int32_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string BoardText(const LevelRecord& level, std::int32_t number, const Solution* solution) {
  PlayedLevel played(level);
  Puzzle& puzzle = played.puzzle;
  std::ostringstream out;
  out << "level " << number << " \"" << ToUtf8(level.title) << "\", password "
      << ToUtf8(level.password) << "\n";
  std::array<std::int32_t, 3> tray{};
  for (const Cell& slot : puzzle.tray()) {
    if (IsPipePiece(slot)) ++tray[static_cast<std::size_t>(KindCode(slot.kind) / 8)];
  }
  out << "tray: " << Plural(tray[0], "elbow", "elbows") << ", " << Plural(tray[1], "bend", "bends")
      << ", " << Plural(tray[2], "splitter", "splitters") << "\n";
  if (solution != nullptr) {
    PlaceSolution(puzzle, *solution);
    out << "solution: " << (solution->empty() ? "no pieces" : SolutionText(*solution)) << "\n";
  }
  const std::array<bool, kBoardCells> wet = WetCells(puzzle.Water());

  out << "     ";
  for (std::int32_t x = 0; x < kBoardSize; ++x) out << "  " << x;
  out << "\n";
  for (std::int32_t y = 0; y < kBoardSize; ++y) {
    const std::string label = std::to_string(y * kBoardSize);
    out << std::string(4 - label.size(), ' ') << label << " ";
    for (std::int32_t x = 0; x < kBoardSize; ++x) {
      const std::string text =
          CellText(*puzzle.BoardCell(x, y), wet[static_cast<std::size_t>(BoardIndex(x, y))]);
      out << std::string(3 - text.size(), ' ') << text;
    }
    out << "\n";
  }
  std::int32_t burning = 0;
  for (const Cell& cell : puzzle.board())
    burning += cell.kind == KIND_FIRE && cell.variant == 0 ? 1 : 0;
  out << "water: ";
  if (puzzle.GetOutcome() == Outcome::kFailed) {
    out << "reaches a hazard\n";
  } else if (puzzle.GetOutcome() == Outcome::kSolved) {
    out << "every fire doused\n";
  } else {
    out << Plural(burning, "fire", "fires") << " burning\n";
  }
  out << "S source, E elbow, B bend, T splitter (digit: rotation), F fire (f doused), H hazard, # "
         "wall, ~ water\n";
  return out.str();
}

ShowArt ChooseShowArt(const std::string& levelFile, const std::optional<std::string>& artFolder,
                      const std::optional<std::string>& piecesFile, const std::string& gameData) {
  namespace fs = std::filesystem;
  const fs::path levelFolder = fs::path(levelFile).parent_path();
  std::error_code error;
  const bool levelFolderHasArt = fs::is_regular_file(levelFolder / "qw_images.dat", error) &&
                                 fs::is_regular_file(levelFolder / "qw_layout.dat", error);
  const fs::path dataDir = artFolder           ? fs::path(*artFolder)
                           : levelFolderHasArt ? levelFolder
                                               : fs::path(gameData);
  ShowArt art;
  art.skinPath = (dataDir / "qw_images.dat").string();
  art.layoutPath = (dataDir / "qw_layout.dat").string();
  art.piecesPath =
      piecesFile ? *piecesFile : (dataDir / ".." / "resources" / "pieces.bmp").string();
  return art;
}

bool RenderLevelPng(const std::vector<LevelRecord>& levels, std::int32_t index,
                    const Solution* solution, const ShowArt& art, const std::string& outPath,
                    std::string* error) {
  const std::optional<Surface> skin = LoadSkin(art.skinPath);
  if (!skin) {
    *error = "cannot load the skin image " + art.skinPath;
    return false;
  }
  const std::optional<Layout> layout = LoadLayout(art.layoutPath);
  if (!layout || static_cast<std::int32_t>(layout->size()) < kLayoutItemsNeeded) {
    *error = "cannot load the layout table " + art.layoutPath + " (it needs " +
             std::to_string(kLayoutItemsNeeded) + " items)";
    return false;
  }
  std::optional<Surface> strip = LoadBmpFile(art.piecesPath);
  if (!strip) {
    *error = "cannot load the piece strip " + art.piecesPath;
    return false;
  }
  const ImageList pieces(std::move(*strip), kPieceSize, kPieceImageCount, kTransparentKey);
  const std::unique_ptr<Font> font = Font::Open(12, 400, "Arial");

  Puzzle puzzle(levels);
  if (!puzzle.StartLevel(index)) {
    *error = "no level " + std::to_string(std::int64_t{index} + 1);
    return false;
  }
  if (solution != nullptr) PlaceSolution(puzzle, *solution);
  // The play screen with nothing pressed: the picture does not show whether
  // the level is solved.
  UiState ui;
  ui.screenMode = MODE_PLAY;
  ScreenRenderer renderer(puzzle, ui, ScreenArt{*skin, *layout, pieces, font.get()},
                          static_cast<std::int32_t>(levels.size()));
  Surface picture(kClientWidth, kClientHeight);
  Canvas canvas(picture);
  renderer.OnPaint(canvas);
  if (!SavePng(picture, outPath)) {
    *error = "cannot write " + outPath;
    return false;
  }
  return true;
}

}  // namespace qw
