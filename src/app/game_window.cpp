#include "app/game_window.h"

#include <cstdio>

#include "data/layout_items.h"
#include "model/screen_mode.h"
#include "platform/utf8.h"
#include "ui/client_area.h"

namespace qw {

namespace {

constexpr std::int32_t kPieceSize = 20;
constexpr std::int32_t kPieceCount = 36;
constexpr Color kMagenta{255, 0, 255};
// A paint may invalidate again (the water trace switching to the solved or
// failed screen); more rounds than this would mean a paint that never settles.
constexpr int kMaxPaintRounds = 4;

}  // namespace

GameWindow::GameWindow(WindowHost& host, std::string dataFolder, Surface pieceStrip)
    : host_(host),
      dataFolder_(std::move(dataFolder)),
      client_(kClientWidth, kClientHeight),
      pieces_(std::move(pieceStrip), kPieceSize, kPieceCount, kMagenta) {}

GameWindow::~GameWindow() = default;

void GameWindow::Report(const std::wstring& text) {
  // One line on stderr: the sentence break becomes a blank.
  std::string line;
  for (char c : ToUtf8(text)) {
    if (c == '\n') {
      line.push_back(' ');
    } else if (c != '\r') {
      line.push_back(c);
    }
  }
  std::fprintf(stderr, "quenchway: %s\n", line.c_str());
  host_.ShowMessage(text);
}

bool GameWindow::Create() {
  // All three loads run, and each failure is reported, before giving up.
  bool ok = true;
  if (std::optional<Surface> skin = LoadSkin(dataFolder_ + "/qw_images.dat")) {
    skin_ = std::move(*skin);
  } else {
    Report(L"Could not load image.\r\nExiting...");
    ok = false;
  }
  // The program reads items 0 to 24: a shorter table is refused like a
  // missing file rather than read past its end.
  std::optional<Layout> layout = LoadLayout(dataFolder_ + "/qw_layout.dat");
  if (layout && static_cast<std::int32_t>(layout->size()) >= kLayoutItemsNeeded) {
    layout_ = std::move(*layout);
  } else {
    Report(L"Could not load layout.\r\nExiting...");
    ok = false;
  }
  if (std::optional<std::vector<LevelRecord>> levels = LoadLevels(dataFolder_ + "/qw_levels.dat")) {
    levels_ = std::move(*levels);
  } else {
    Report(L"Could not load levels.\r\nExiting...");
    ok = false;
  }
  if (!ok) return false;

  captionFont_ = Font::Open(kTextHeight, kTextWeight, kTextFace);
  puzzle_ = std::make_unique<Puzzle>(levels_, ItemRect(layout_, kItemTray), ItemRect(layout_, kItemBoard), *this);
  controller_ = std::make_unique<GameController>(*puzzle_, layout_, levels_, *this);
  renderer_ = std::make_unique<ScreenRenderer>(
      *puzzle_, *controller_, ScreenArt{skin_, layout_, pieces_, captionFont_.get()}, levelCount());
  ShowToolbar(false);
  running_ = true;
  InvalidateAll();  // the window's first paint covers the whole client area
  return true;
}

void GameWindow::Command(std::int32_t id) {
  if (toolbarVisible_) controller_->OnCommand(id);
}

std::uint64_t GameWindow::PaintOnce(Rect* bounds) {
  if (dirty_.IsEmpty()) return 0;
  Region area = std::move(dirty_);
  dirty_.Clear();
  Canvas canvas(client_);
  canvas.SetClip(area);
  renderer_->OnPaint(canvas);
  if (bounds) *bounds = area.Bounds();
  return canvas.PixelsWritten();
}

std::optional<Rect> GameWindow::PaintPending() {
  Rect painted;
  for (int round = 0; round < kMaxPaintRounds && !dirty_.IsEmpty(); ++round) {
    Rect bounds;
    PaintOnce(&bounds);
    painted = UnionRect(painted, bounds);
  }
  if (painted.IsEmpty()) return std::nullopt;
  return painted;
}

void GameWindow::InvalidateRect(const Rect& r) {
  const Rect inside = IntersectRect(r, kClientRect);
  if (!inside.IsEmpty()) dirty_.Union(inside);
}

void GameWindow::InvalidateAll() { dirty_ = Region(kClientRect); }

void GameWindow::ShowToolbar(bool visible) {
  toolbarVisible_ = visible;
  host_.ToolbarVisibilityChanged(visible);
}

}  // namespace qw
