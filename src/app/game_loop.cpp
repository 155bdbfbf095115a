#include "app/game_loop.h"

#include <algorithm>

#include "ui/game_texts.h"

namespace qw {

namespace {

constexpr Rect kBarRect{0, kClientHeight, kClientWidth, GameLoop::kFrameHeight};
// The longest the loop sleeps on the tooltip timer before looking again.
constexpr std::uint64_t kMaxTimeoutMs = 60000;

Point ToBar(Point p) { return Point{p.x, p.y - kClientHeight}; }

}  // namespace

GameLoop::GameLoop(FrontEnd& front, const std::string& dataFolder, Surface pieceStrip, Surface toolbarStrip)
    : front_(front),
      toolbar_(std::move(toolbarStrip), ToolbarButtons(), kClientWidth),
      game_(*this, dataFolder, std::move(pieceStrip)),
      frame_(kClientWidth, kFrameHeight),
      changed_(frame_.Bounds()) {}

GameLoop::~GameLoop() = default;

bool GameLoop::Create() {
  if (!game_.Create()) return false;
  barFont_ = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ownBoxes_ = true;
  return true;
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
  box_.emplace(barFont_.get(), text);
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
      game_.Cancel();
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
  const Rect under = IntersectRect(box_->Bounds(), kClientRect);
  const Surface& client = game_.client();
  for (std::int32_t y = under.top; y < under.bottom; ++y) {
    std::copy(client.Row(y) + under.left, client.Row(y) + under.right, frame_.Row(y) + under.left);
  }
  box_.reset();
  OpenNextMessage();
}

void GameLoop::Flush() {
  game_.UpdateProgress(box_.has_value());
  Rect changed = changed_;
  changed_ = Rect{};
  if (box_) {
    Canvas canvas(frame_);
    box_->Paint(canvas);
  } else if (const std::optional<Rect> painted = game_.PaintPending()) {
    const Surface& client = game_.client();
    for (std::int32_t y = painted->top; y < painted->bottom; ++y) {
      std::copy(client.Row(y) + painted->left, client.Row(y) + painted->right, frame_.Row(y) + painted->left);
    }
    changed = UnionRect(changed, *painted);
  }
  toolbar_.SetEnabled(static_cast<std::int32_t>(ID_UNDO), game_.controller().CanUndo());
  toolbar_.SetEnabled(static_cast<std::int32_t>(ID_REDO), game_.controller().CanRedo());
  if (toolbar_.dirty()) {
    Canvas canvas(frame_);
    toolbar_.Paint(canvas, Point{kBarRect.left, kBarRect.top}, barFont_.get());
    changed = UnionRect(changed, kBarRect);
  }
  if (!changed.IsEmpty()) front_.Present(frame_, changed);
}

std::optional<std::int32_t> GameLoop::TimeoutMs() const {
  // No tooltip while a box shows.
  if (box_) return std::nullopt;
  const std::optional<std::uint64_t> due = toolbar_.TooltipDue();
  if (!due) return std::nullopt;
  const std::uint64_t now = front_.NowMs();
  return *due <= now ? 0 : static_cast<std::int32_t>(std::min(*due - now, kMaxTimeoutMs));
}

void GameLoop::Tick() { toolbar_.Tick(front_.NowMs()); }

void GameLoop::Handle(const InputEvent& e) {
  if (!game_.running()) return;
  if (box_) {
    HandleInBox(e);
    return;
  }
  switch (e.type) {
    case InputEvent::Type::PointerDown: PointerDown(e.point); break;
    case InputEvent::Type::PointerMove: PointerMove(e.point); break;
    case InputEvent::Type::PointerUp: PointerUp(e.point); break;
    case InputEvent::Type::PointerLeave: toolbar_.PointerLeave(); break;
    case InputEvent::Type::Wheel: game_.Act(MapWheel(e.wheel)); break;
    case InputEvent::Type::KeyDown: Key(e); break;
    case InputEvent::Type::Close: game_.Cancel(); break;
    case InputEvent::Type::Redraw: changed_ = frame_.Bounds(); break;
    default: break;
  }
}

void GameLoop::PointerDown(Point p) {
  if (PtInRect(kClientRect, p)) {
    penInGame_ = true;
    game_.PenDown(p);
  } else if (PtInRect(kBarRect, p)) {
    barPress_ = toolbar_.PointerDown(ToBar(p));
  }
}

void GameLoop::PointerMove(Point p) {
  // Every move reaches the bar: one that leaves a button, for the board or
  // anywhere else, clears its highlight and tooltip at once.
  toolbar_.PointerMove(ToBar(p), front_.NowMs());
  if (barPress_) return;
  // Moves reach the game over its client area, and anywhere while a press
  // that started there lasts (the pointer is captured then).
  if (penInGame_ || PtInRect(kClientRect, p)) game_.PenMove(p);
}

void GameLoop::PointerUp(Point p) {
  if (barPress_) {
    barPress_ = false;
    if (const std::optional<std::int32_t> id = toolbar_.PointerUp(ToBar(p))) {
      if (const std::optional<ToolbarCommand> command = ToolbarCommandFromId(*id)) game_.Command(*command);
    }
    return;
  }
  if (penInGame_ || PtInRect(kClientRect, p)) game_.PenUp(p);
  penInGame_ = false;
}

void GameLoop::Key(const InputEvent& e) {
  if (e.key == qw::Key::F11 || (e.key == qw::Key::Enter && e.alt)) {
    if (!e.repeat) front_.ToggleFullscreen();
    return;
  }
  game_.KeyDown(e.key, e.letter, KeyMods{e.ctrl, e.shift}, e.repeat);
}

}  // namespace qw
