#include "app/game_window.h"

#include <cstdio>

#include "platform/utf8.h"
#include "ui/client_area.h"

namespace qw {

namespace {

constexpr std::int32_t kPieceSize = 20;
constexpr std::int32_t kPieceCount = 36;
constexpr Color kMagenta{255, 0, 255};

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
  std::variant<GameData, std::vector<DataFile>> loaded = LoadGameData(dataFolder_);
  if (const auto* failed = std::get_if<std::vector<DataFile>>(&loaded)) {
    for (const DataFile file : *failed) {
      switch (file) {
        case DataFile::kImages: Report(L"Could not load image.\r\nExiting..."); break;
        case DataFile::kLayout: Report(L"Could not load layout.\r\nExiting..."); break;
        case DataFile::kLevels: Report(L"Could not load levels.\r\nExiting..."); break;
      }
    }
    return false;
  }
  data_ = std::move(std::get<GameData>(loaded));
  captionFont_ = Font::Open(kTextHeight, kTextWeight, kTextFace);
  game_ = std::make_unique<Game>(ScreenArt{data_.skin, data_.layout, pieces_, captionFont_.get()}, data_.levels,
                                 *this);
  hints_ = std::make_unique<SolverHints>();
  game_->controller.SetHintSource(hints_.get());
  game_->controller.SetGeneratedLevelSource(&generatedLevels_);
  ShowToolbar(false);
  running_ = true;
  InvalidateAll();  // the window's first paint covers the whole client area
  return true;
}

void GameWindow::KeyDown(Key key, char letter, KeyMods mods, bool repeat) {
  const KeyAction action = MapKey(key, letter, ui().screenMode, layout(), mods);
  if (repeat && action.kind != KeyAction::Kind::Command) return;
  Act(action);
}

void GameWindow::Act(const KeyAction& action) {
  switch (action.kind) {
    case KeyAction::Kind::Command: Command(action.command); break;
    case KeyAction::Kind::Ok: Ok(); break;
    case KeyAction::Kind::Tap:
      PenDown(action.tap);
      PenUp(action.tap);
      break;
    case KeyAction::Kind::Cursor: game_->controller.OnCursorKey(action.dx, action.dy); break;
    case KeyAction::Kind::Pick: game_->controller.OnPickKey(); break;
    case KeyAction::Kind::Activate: game_->controller.OnActivateKey(); break;
    case KeyAction::Kind::Daily: game_->controller.OnDailyKey(); break;
    case KeyAction::Kind::Random: game_->controller.OnRandomKey(action.grade); break;
    default: break;
  }
}

void GameWindow::AttachProgress(Progress progress, ProgressSink* sink, ProgressRecorder::Clock clock) {
  recorder_ = std::make_unique<ProgressRecorder>(data_.levels, std::move(progress), sink, std::move(clock));
  game_->controller.SetRecorder(recorder_.get());
}

void GameWindow::UpdateProgress(bool boxOpen) {
  if (!recorder_) return;
  recorder_->SetClockRunning(!boxOpen && ui().screenMode == MODE_PLAY);
  if (recorder_->TakeSaveFailure()) host_.ShowNote(kCannotSaveNote);
}

void GameWindow::SaveProgress(std::optional<std::pair<std::int32_t, bool>> window) {
  if (!recorder_) return;
  if (window) recorder_->WindowChosen(window->first, window->second);
  recorder_->SaveNow();
  if (recorder_->TakeSaveFailure()) host_.ShowNote(kCannotSaveNote);
}

void GameWindow::Command(ToolbarCommand command) {
  if (toolbarVisible_) game_->controller.OnCommand(command);
}

std::uint64_t GameWindow::PaintOnce(Rect* bounds) {
  if (dirty_.IsEmpty()) return 0;
  Region area = std::move(dirty_);
  dirty_.Clear();
  Canvas canvas(client_);
  canvas.SetClip(area);
  game_->renderer.OnPaint(canvas);
  if (bounds) *bounds = area.Bounds();
  return canvas.PixelsWritten();
}

std::optional<Rect> GameWindow::PaintPending() {
  // Paints change nothing, so one paint leaves nothing to paint.
  Rect painted;
  PaintOnce(&painted);
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
