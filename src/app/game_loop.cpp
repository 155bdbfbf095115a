#include "app/game_loop.h"

#include <algorithm>
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "ui/game_texts.h"

namespace qw {

namespace {

constexpr Rect kBarRect{0, kClientHeight, kClientWidth, GameLoop::kFrameHeight};
constexpr Rect kLabelRect{0, kClientHeight - Toolbar::kLabelRoom, kClientWidth, kClientHeight};
// The longest the loop sleeps on the tooltip timer before looking again.
constexpr std::uint64_t kMaxTimeoutMs = 60000;
// While something moves, a frame about every display refresh.
constexpr std::int32_t kFrameMs = 16;
constexpr std::int32_t kMostVerdictWaitSeconds = 300;

// A theme's own strip, read from path when it is a picture of Classic's
// size; else Classic's, said on stderr unless the theme simply has none.
Surface ThemeStrip(const std::string& path, const Surface& classic) {
  constexpr std::uintmax_t kMostBytes = 1 << 20;
  const FileRead file = ReadFileBytes(path, kMostBytes);
  if (file.status == FileRead::Status::Missing) return classic;
  std::optional<Surface> strip;
  if (file.status == FileRead::Status::Ok)
    strip = LoadBmpMemory(
        std::span(reinterpret_cast<const std::uint8_t*>(file.bytes.data()), file.bytes.size()));
  if (strip && strip->width() == classic.width() && strip->height() == classic.height())
    return std::move(*strip);
  std::fprintf(stderr, "quenchway: %s is not a picture of %dx%d pixels; Classic's is used\n",
               path.c_str(), static_cast<int>(classic.width()), static_cast<int>(classic.height()));
  return classic;
}

Point ToBar(Point p) { return Point{p.x, p.y - kClientHeight}; }

void CopyRows(const Surface& from, Surface& to, const Rect& area) {
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    std::copy(from.Row(y) + area.left, from.Row(y) + area.right, to.Row(y) + area.left);
  }
}

}  // namespace

GameLoop::GameLoop(FrontEnd& front, LoopClock clock, std::string dataFolder, Surface pieceStrip,
                   Surface toolbarStrip)
    : front_(front),
      clock_(std::move(clock)),
      dataFolder_(std::move(dataFolder)),
      classicPieces_(std::move(pieceStrip)),
      classicToolbar_(std::move(toolbarStrip)),
      toolbar_(classicToolbar_, ToolbarButtons(), kClientWidth),
      client_(kClientWidth, kClientHeight),
      frame_(kClientWidth, kFrameHeight),
      changed_(frame_.Bounds()),
      pieces_(classicPieces_, kPieceSize, kPieceImageCount, kTransparentKey) {}

GameLoop::~GameLoop() = default;

void GameLoop::Report(const std::wstring& text) {
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
  ShowMessage(text);
}

bool GameLoop::Create() {
  // All three loads run, and each failure is reported, before giving up.
  std::variant<GameData, std::vector<DataFile>> loaded = LoadGameData(dataFolder_);
  if (const auto* failed = std::get_if<std::vector<DataFile>>(&loaded)) {
    for (const DataFile file : *failed) Report(LoadFailureText(file));
    return false;
  }
  data_ = std::move(std::get<GameData>(loaded));
  captionFont_ = Font::Open(kTextHeight, kTextWeight, kTextFace);
  game_ = std::make_unique<Game>(ScreenArt{data_.skin, data_.layout, pieces_, captionFont_.get()},
                                 data_.levels, *this);
  hints_ = std::make_unique<SolverHints>();
  game_->controller.SetHintSource(hints_.get());
  game_->controller.SetGeneratedLevelSource(&generatedLevels_);
  game_->controller.SetVerdictSource(&verdicts_);
  ShowToolbar(false);
  running_ = true;
  ownBoxes_ = true;
  InvalidateAll();  // the window's first paint covers the whole client area
  return true;
}

bool GameLoop::Start(std::optional<std::pair<Progress, ProgressSink*>> progress,
                     const GameStart& start, std::string& problem) {
  if (!Create()) return false;
  if (progress) AttachProgress(std::move(progress->first), progress->second);
  SetAudioOpener(start.audio);
  if (start.motion) SetMotion(*start.motion);
  if (start.mute) SetMuted(true);
  const bool chosen = recorder_ && recorder_->progress().theme;
  if (start.theme) {
    SetTheme(*start.theme);
  } else if (start.preferredTheme && !chosen) {
    SetTheme(*start.preferredTheme);
  }
  if (start.level && !game_->controller.StartGeneratedLevel(*start.level)) {
    problem = "the generated level could not be made";
    return false;
  }
  return true;
}

void GameLoop::AttachProgress(Progress progress, ProgressSink* sink) {
  recorder_ = std::make_unique<ProgressRecorder>(data_.levels, std::move(progress), sink, [this] {
    return static_cast<std::int64_t>(clock_());
  });
  game_->controller.SetRecorder(recorder_.get());
  // The player's settings apply from the start.
  const Progress& kept = recorder_->progress();
  SetMotion(static_cast<Motion>(kept.animation));
  SetVolume(kept.volume);
  SetMuted(kept.mute);
  SetTheme(kept.theme.value_or(ThemeId::kClassic));
}

ThemeId GameLoop::SetTheme(ThemeId theme) {
  waitingTheme_.reset();
  if (!classicSkin_) classicSkin_ = data_.skin;
  const Theme& look = ThemeOf(theme);
  if (theme == ThemeId::kClassic) {
    data_.skin = *classicSkin_;
  } else {
    const std::string path = dataFolder_ + "/themes/" + std::string(look.name) + "/qw_images.dat";
    std::optional<Surface> skin = LoadSkin(path);
    // Every theme's skin holds its pictures where Classic's does.
    if (skin && skin->width() == classicSkin_->width() &&
        skin->height() == classicSkin_->height()) {
      data_.skin = std::move(*skin);
    } else {
      // Classic until the front end has fetched them, or for good.
      const bool fetching = front_.FetchThemeArt(std::string(look.name));
      if (!fetching) {
        std::fprintf(stderr, "quenchway: no pictures for the theme %s in %s; Classic stays\n",
                     std::string(look.name).c_str(), path.c_str());
      }
      SetTheme(ThemeId::kClassic);
      if (fetching) waitingTheme_ = theme;
      return ThemeId::kClassic;
    }
  }
  const std::string folder = dataFolder_ + "/themes/" + std::string(look.name) + "/";
  const bool classic = theme == ThemeId::kClassic;
  pieces_ = ImageList(classic ? classicPieces_ : ThemeStrip(folder + "pieces.bmp", classicPieces_),
                      kPieceSize, kPieceImageCount, kTransparentKey);
  toolbar_.SetTheme(
      look, classic ? classicToolbar_ : ThemeStrip(folder + "toolbar.bmp", classicToolbar_));
  game_->controller.SetTheme(theme);
  InvalidateAll();
  return theme;
}

void GameLoop::UpdateProgress() {
  if (!recorder_) return;
  recorder_->SetClockRunning(!box_ && game_->controller.state().screenMode == MODE_PLAY);
  if (recorder_->TakeSaveFailure()) ShowNote(kCannotSaveNote);
}

void GameLoop::SaveProgress(std::optional<std::pair<std::int32_t, bool>> window) {
  if (!recorder_) return;
  if (window) recorder_->WindowChosen(window->first, window->second);
  recorder_->SaveNow();
  if (recorder_->TakeSaveFailure()) ShowNote(kCannotSaveNote);
}

// ---- what the controller asks of its window --------------------------------

void GameLoop::InvalidateRect(const Rect& r) {
  const Rect inside = IntersectRect(r, kClientRect);
  if (!inside.IsEmpty()) dirty_.Union(inside);
}

void GameLoop::ShowNote(const std::wstring& text) {
  toolbar_.ShowNote(text, clock_());
  front_.NoteShown(text);
}

void GameLoop::StepButtonsChanged(bool canUndo, bool canRedo, bool canHint) {
  toolbar_.SetEnabled(static_cast<std::int32_t>(ID_UNDO), canUndo);
  toolbar_.SetEnabled(static_cast<std::int32_t>(ID_REDO), canRedo);
  toolbar_.SetEnabled(static_cast<std::int32_t>(ID_HINT), canHint);
}

bool GameLoop::CopyText(const std::wstring& text) { return front_.CopyText(ToUtf8(text)); }
// ---- sound -------------------------------------------------------------------

void GameLoop::OpenAudio() {
  if (audioAsked_) return;
  audioAsked_ = true;
  if (openAudio_) audio_ = openAudio_();
}

void GameLoop::SetVolume(std::int32_t volume) {
  game_->controller.SetVolume(volume);
  SoundSettingsChanged();
}

void GameLoop::SetMuted(bool muted) {
  game_->controller.SetMuted(muted);
  SoundSettingsChanged();
}

void GameLoop::SoundSettingsChanged() {
  if ((muted() || volume() == 0) && audio_) audio_->Stop(Sound::kWater);
}

void GameLoop::PlaySound(Sound sound) {
  if (muted() || volume() == 0) return;
  if (noteSounds_) soundsStarted_.push_back(sound);
  OpenAudio();
  if (audio_) audio_->Play(sound, volume());
}

void GameLoop::StopSound(Sound sound) {
  if (audio_) audio_->Stop(sound);
}

// The box is modal without a loop of its own: the game's state moves on at
// once, but its paints wait, so the frame under the box stays the picture
// the player saw when it opened, and what changed shows once it closes.
void GameLoop::ShowMessage(const std::wstring& text) {
  if (!ownBoxes_) {
    front_.ShowMessage(text);
    return;
  }
  waiting_.push_back(text);
  if (!box_) OpenNextMessage();
}

void GameLoop::OpenNextMessage() {
  if (waiting_.empty()) return;
  const std::wstring text = std::move(waiting_.front());
  waiting_.pop_front();
  box_.emplace(captionFont_.get(), text);
  toolbar_.PointerLeave();
  changed_ = UnionRect(changed_, box_->Bounds());
  front_.MessageOpened(text, box_->OkButton());
}

void GameLoop::HandleInBox(const InputEvent& e) {
  switch (e.type) {
    case InputEvent::Type::Close:
      // A close request closes the box, and then the game.
      box_.reset();
      waiting_.clear();
      running_ = false;
      return;
    case InputEvent::Type::Redraw: changed_ = frame_.Bounds(); return;
    case InputEvent::Type::KeyDown:
      if (e.key == qw::Key::F11 || (e.key == qw::Key::Enter && e.alt)) {
        if (!e.repeat) front_.ToggleFullscreen();
        changed_ = frame_.Bounds();
        return;
      }
      break;
    default: break;
  }
  box_->OnEvent(e);
  changed_ = UnionRect(changed_, box_->Bounds());
  if (box_->open()) return;
  // The game's picture under the box comes back; its paints run next.
  CopyRows(client_, frame_, IntersectRect(box_->Bounds(), kClientRect));
  toolbar_.Invalidate();  // and the bar's labels over it
  box_.reset();
  OpenNextMessage();
}

// ---- paints ----------------------------------------------------------------

std::uint64_t GameLoop::PaintOnce(Rect* bounds) {
  if (dirty_.IsEmpty()) return 0;
  Region area = std::move(dirty_);
  dirty_.Clear();
  Canvas canvas(client_);
  canvas.SetClip(area);
  game_->renderer.OnPaint(canvas);
  if (bounds) *bounds = area.Bounds();
  return canvas.PixelsWritten();
}

void GameLoop::Flush() {
  UpdateProgress();
  Rect changed = changed_;
  changed_ = Rect{};
  if (box_) {
    Canvas canvas(frame_);
    box_->Paint(canvas, ThemeOf(theme()));
  } else if (running_) {
    // Paints change nothing, so one paint leaves nothing to paint.
    Rect painted;
    PaintOnce(&painted);
    if (!painted.IsEmpty()) {
      CopyRows(client_, frame_, painted);
      changed = UnionRect(changed, painted);
    }
  }
  // The bar's labels lie over the client's lowest rows: a paint there covers
  // them, and they are laid again on the game's picture. A box shows no
  // labels; its closing paints the bar again.
  if (box_) {
    if (toolbar_.dirty()) {
      Canvas canvas(frame_);
      toolbar_.Paint(canvas, Point{kBarRect.left, kBarRect.top}, nullptr);
      changed = UnionRect(changed, kBarRect);
    }
  } else if (toolbar_.dirty() || !IntersectRect(changed, kLabelRect).IsEmpty()) {
    CopyRows(client_, frame_, kLabelRect);
    Canvas canvas(frame_);
    toolbar_.Paint(canvas, Point{kBarRect.left, kBarRect.top}, captionFont_.get());
    changed = UnionRect(changed, UnionRect(kLabelRect, kBarRect));
  }
  if (!changed.IsEmpty()) front_.Present(frame_, changed);
}

std::optional<std::int32_t> GameLoop::TimeoutMs() const {
  // No tooltip while a box shows.
  if (box_) return std::nullopt;
  // A verdict searched for the editor is looked for every frame.
  const bool polling = Animating() || (game_ && game_->controller.editor().VerdictPending());
  const std::optional<std::int32_t> frame = polling ? std::optional(kFrameMs) : std::nullopt;
  const std::optional<std::uint64_t> due = toolbar_.TooltipDue();
  if (!due) return frame;
  const std::uint64_t now = clock_();
  const std::int32_t tip =
      *due <= now ? 0 : static_cast<std::int32_t>(std::min(*due - now, kMaxTimeoutMs));
  return frame ? std::min(*frame, tip) : tip;
}

void GameLoop::Tick() {
  toolbar_.Tick(clock_());
  if (running_ && !box_) game_->controller.AdvanceWater();
  if (!game_) return;
  if (std::optional<EditorVerdict> answer = verdicts_.Take())
    game_->controller.VerdictArrived(*answer);
}

void GameLoop::KeepOwnLevels(OwnLevels* own) {
  if (game_ && own) game_->controller.SetOwnLevels(own);
}

void GameLoop::AwaitVerdict() {
  // A search ends at its node limit; the wait is only for the thread, and
  // gives up after some minutes rather than hang.
  for (std::int32_t waited = 0;
       game_ && game_->controller.editor().VerdictPending() && waited < kMostVerdictWaitSeconds;
       ++waited) {
    std::optional<EditorVerdict> answer = verdicts_.WaitFor(std::chrono::seconds(1));
    if (!answer) continue;
    game_->controller.VerdictArrived(*answer);
  }
  Flush();
}

// ---- input -----------------------------------------------------------------

void GameLoop::Handle(const InputEvent& e) {
  if (!running_) return;
  if (box_) {
    HandleInBox(e);
    return;
  }
  // A press, a key or a command completes the water's run first; moving the
  // pointer does not.
  switch (e.type) {
    case InputEvent::Type::PointerDown:
    case InputEvent::Type::PointerUp:
    case InputEvent::Type::Wheel:
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::Command:
    case InputEvent::Type::Close: game_->controller.FinishWater(); break;
    default: break;
  }
  switch (e.type) {
    case InputEvent::Type::PointerDown: PointerDown(e); break;
    case InputEvent::Type::PointerMove: PointerMove(e); break;
    case InputEvent::Type::PointerUp: PointerUp(e); break;
    case InputEvent::Type::PointerLeave: toolbar_.PointerLeave(); break;
    case InputEvent::Type::Wheel: Act(MapWheel(e.wheel)); break;
    case InputEvent::Type::KeyDown: Key(e); break;
    case InputEvent::Type::Close: running_ = false; break;
    case InputEvent::Type::Redraw: changed_ = frame_.Bounds(); break;
    case InputEvent::Type::Command:
      if (const std::optional<ToolbarCommand> command = ToolbarCommandFromId(e.command))
        Command(*command);
      break;
    default: break;
  }
}

void GameLoop::PointerDown(const InputEvent& e) {
  if (e.pen || PtInRect(kClientRect, e.point)) {
    penInGame_ = true;
    game_->controller.OnPenDown(e.point);
  } else if (PtInRect(kBarRect, e.point)) {
    barPress_ = toolbar_.PointerDown(ToBar(e.point));
  }
}

void GameLoop::PointerMove(const InputEvent& e) {
  // Every move reaches the bar: one that leaves a button, for the board or
  // anywhere else, clears its highlight and tooltip at once.
  toolbar_.PointerMove(ToBar(e.point), clock_());
  if (barPress_) return;
  // Moves reach the game over its client area, and anywhere while a press
  // that started there lasts (the pointer is captured then).
  if (e.pen || penInGame_ || PtInRect(kClientRect, e.point)) game_->controller.OnPenMove(e.point);
}

void GameLoop::PointerUp(const InputEvent& e) {
  if (barPress_) {
    barPress_ = false;
    if (const std::optional<std::int32_t> id = toolbar_.PointerUp(ToBar(e.point))) {
      if (const std::optional<ToolbarCommand> command = ToolbarCommandFromId(*id))
        Command(*command);
    }
    return;
  }
  if (e.pen || penInGame_ || PtInRect(kClientRect, e.point)) game_->controller.OnPenUp(e.point);
  penInGame_ = false;
}

void GameLoop::Key(const InputEvent& e) {
  if (e.key == qw::Key::F11 || (e.key == qw::Key::Enter && e.alt)) {
    if (!e.repeat) front_.ToggleFullscreen();
    return;
  }
  // While the editor's title is typed, the keys type as on the code screen,
  // the space bar too.
  const bool naming = game_->controller.editor().naming();
  if (naming && e.key == qw::Key::Space && !e.repeat) {
    game_->controller.OnCodeKey(' ');
    return;
  }
  const KeyAction action =
      MapKey(e.key, e.letter, naming ? MODE_CODE : game_->controller.state().screenMode,
             data_.layout, KeyMods{e.ctrl, e.shift});
  // A held key repeats commands only.
  if (e.repeat && action.kind != KeyAction::Kind::Command) return;
  Act(action);
}

void GameLoop::Act(const KeyAction& action) {
  GameController& controller = game_->controller;
  switch (action.kind) {
    case KeyAction::Kind::Command: Command(action.command); break;
    case KeyAction::Kind::Ok: controller.OnOkCommand(); break;
    case KeyAction::Kind::Tap:
      controller.OnPenDown(action.tap);
      controller.OnPenUp(action.tap);
      break;
    case KeyAction::Kind::Cursor: controller.OnCursorKey(action.dx, action.dy); break;
    case KeyAction::Kind::Pick: controller.OnPickKey(); break;
    case KeyAction::Kind::Activate: controller.OnActivateKey(); break;
    case KeyAction::Kind::Daily: controller.OnDailyKey(); break;
    case KeyAction::Kind::Random: controller.OnRandomKey(action.grade); break;
    case KeyAction::Kind::Type: controller.OnCodeKey(action.letter); break;
    case KeyAction::Kind::Paste: controller.OnPaste(front_.PastedText()); break;
    case KeyAction::Kind::Share: controller.OnShare(); break;
    case KeyAction::Kind::EnterCode: controller.OnEnterCode(); break;
    case KeyAction::Kind::Settings: controller.OnSettingsKey(); break;
    case KeyAction::Kind::Tool: controller.OnToolKey(action.grade); break;
    case KeyAction::Kind::Create: controller.OnCreateKey(); break;
    case KeyAction::Kind::TestPlay: controller.OnEditorKey(EditorAction::kTest); break;
    case KeyAction::Kind::Save: controller.OnEditorKey(EditorAction::kSave); break;
    case KeyAction::Kind::Mute:
      SetMuted(!muted());
      if (recorder_) recorder_->MuteChosen(muted());
      break;
    default: break;
  }
}

void GameLoop::Command(ToolbarCommand command) {
  // The editor has undo, redo and turns of its own with the bar hidden.
  if (!toolbar_.visible() && game_->controller.state().screenMode != MODE_EDITOR) return;
  PlaySound(Sound::kButton);
  game_->controller.OnCommand(command);
}

}  // namespace qw
