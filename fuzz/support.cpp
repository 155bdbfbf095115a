#include "support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/bitmap.h"
#include "qw_fuzz_support_resources.h"
#include "ui/client_area.h"

namespace qw::fuzz {

namespace {

constexpr std::int32_t kPieceSize = 20;
constexpr std::int32_t kPieceCount = 36;
constexpr Color kMagenta{255, 0, 255};

Surface Decode(std::span<const std::uint8_t> bmp) {
  std::optional<Surface> s = LoadBmpMemory(bmp);
  Check(s.has_value(), "a shipped image does not load");
  return std::move(*s);
}

}  // namespace

const Surface& ShippedSkin() {
  static const Surface skin = Decode(shipped::kQwImagesDat);
  return skin;
}

const Layout& ShippedLayout() {
  static const Layout layout = ParseLayout(Widen(shipped::kQwLayoutDat));
  return layout;
}

const std::vector<LevelRecord>& ShippedLevels() {
  static const std::vector<LevelRecord> levels = ParseLevels(Widen(shipped::kQwLevelsDat));
  return levels;
}

const ImageList& ShippedPieces() {
  static const ImageList pieces(Decode(shipped::kPiecesBmp), kPieceSize, kPieceImageCount,
                                kTransparentKey);
  return pieces;
}

std::wstring Widen(std::span<const std::uint8_t> bytes) {
  std::wstring text;
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    text.push_back(static_cast<wchar_t>(b));
  }
  return text;
}

std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes) {
  // In memory where there is a memory file system: a disk shared with
  // other work makes every run wait on it.
  const std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  const std::string path = folder + "/qw_fuzz_" + std::to_string(::getpid()) + "_" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

Game::Game(const Surface& skin, const Layout& layout, std::vector<LevelRecord> levelTable)
    : art{skin, layout, ShippedPieces(), nullptr},
      levels(std::move(levelTable)),
      parts(art, levels, effects),
      client(kClientWidth, kClientHeight) {}

void Game::Paint() {
  Canvas canvas(client);
  parts.renderer.OnPaint(canvas);
}

void Game::PaintEveryScreen() {
  // Each screen as it would stand with the controller's state.
  for (ScreenMode mode :
       {MODE_MENU, MODE_HELP, MODE_PLAY, MODE_SOLVED, MODE_FAILED, MODE_PASSWORD, MODE_LEVELS}) {
    UiState ui = controller.state();
    ui.screenMode = mode;
    Canvas canvas(client);
    ScreenRenderer renderer(puzzle, ui, art, puzzle.LevelCount());
    renderer.SetChooser(&controller.chooser());
    renderer.OnPaint(canvas);
  }
}

void Game::PaintPassword(const std::wstring& typed) {
  UiState ui;
  ui.screenMode = MODE_PASSWORD;
  ui.enteredPassword = typed;
  Canvas canvas(client);
  ScreenRenderer(puzzle, ui, art, puzzle.LevelCount()).OnPaint(canvas);
}

}  // namespace qw::fuzz
