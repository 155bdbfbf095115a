#include "platform/toolbar.h"

#include <algorithm>

#include "platform/font.h"

namespace qw {

namespace {

constexpr std::int32_t kBoxPadding = 3;  // between a text box's frame and its text
// The strip's 16-colour button face, left out so the bar shows through.
constexpr Color kButtonFace{192, 192, 192};
constexpr std::int32_t kButtonWidth = 22;
constexpr std::int32_t kButtonHeight = 20;
constexpr std::int32_t kButtonPitch = 24;
constexpr std::int32_t kFirstButtonX = 3;
constexpr std::int32_t kButtonY = 4;

}  // namespace

Toolbar::Toolbar(Surface strip, std::vector<ToolButton> buttons, std::int32_t width)
    : strip_(std::move(strip)), buttons_(std::move(buttons)), width_(width) {}

Rect Toolbar::ButtonRect(std::size_t i) const {
  return RectFromSize(kFirstButtonX + static_cast<std::int32_t>(i) * kButtonPitch, kButtonY,
                      kButtonWidth, kButtonHeight);
}

std::optional<std::size_t> Toolbar::ButtonAt(Point p) const {
  if (!visible_) return std::nullopt;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (PtInRect(ButtonRect(i), p)) return i;
  }
  return std::nullopt;
}

void Toolbar::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  hover_.reset();
  pressed_.reset();
  tooltipShown_ = false;
  dirty_ = true;
}

void Toolbar::SetEnabled(std::int32_t command, bool enabled) {
  for (ToolButton& b : buttons_) {
    if (b.command == command && b.enabled != enabled) {
      b.enabled = enabled;
      dirty_ = true;
    }
  }
}

void Toolbar::ShowNote(std::wstring text, std::uint64_t nowMs) {
  note_ = std::move(text);
  noteUntil_ = nowMs + kNoteMs;
  dirty_ = true;
}

void Toolbar::SetHover(std::optional<std::size_t> button, std::uint64_t nowMs) {
  if (button == hover_) return;
  hover_ = button;
  hoverSince_ = nowMs;
  tooltipShown_ = false;
  dirty_ = true;
}

void Toolbar::PointerMove(Point p, std::uint64_t nowMs) {
  SetHover(ButtonAt(p), nowMs);
  if (pressed_) {
    const bool inside = PtInRect(ButtonRect(*pressed_), p);
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      dirty_ = true;
    }
  }
}

bool Toolbar::PointerDown(Point p) {
  const std::optional<std::size_t> at = ButtonAt(p);
  // A disabled button takes the press but sends nothing.
  pressed_ = at && buttons_[*at].enabled ? at : std::nullopt;
  pressedInside_ = pressed_.has_value();
  tooltipShown_ = false;
  dirty_ = true;
  return at.has_value();
}

std::optional<std::int32_t> Toolbar::PointerUp(Point p) {
  std::optional<std::int32_t> command;
  if (pressed_ && visible_ && PtInRect(ButtonRect(*pressed_), p))
    command = buttons_[*pressed_].command;
  pressed_.reset();
  pressedInside_ = false;
  dirty_ = true;
  return command;
}

void Toolbar::PointerLeave() {
  if (!pressed_) SetHover(std::nullopt, 0);
}

std::optional<std::uint64_t> Toolbar::TooltipDue() const {
  std::optional<std::uint64_t> due;
  if (!note_.empty()) due = noteUntil_;
  if (!hover_ || tooltipShown_ || pressed_) return due;
  return due ? std::min(*due, hoverSince_ + kTooltipDelayMs) : hoverSince_ + kTooltipDelayMs;
}

void Toolbar::Tick(std::uint64_t nowMs) {
  if (!note_.empty() && nowMs >= noteUntil_) {
    note_.clear();
    dirty_ = true;
  }
  const std::optional<std::uint64_t> due =
      hover_ && !tooltipShown_ && !pressed_
          ? std::optional<std::uint64_t>(hoverSince_ + kTooltipDelayMs)
          : std::nullopt;
  if (due && nowMs >= *due) {
    tooltipShown_ = true;
    dirty_ = true;
  }
}

void Toolbar::Paint(Canvas& canvas, Point origin, const Font* font) {
  dirty_ = false;
  const Rect bar = RectFromSize(origin.x, origin.y, width_, kHeight);
  canvas.FillRect(bar, theme_->bar);
  canvas.FillRect(Rect{bar.left, bar.top, bar.right, bar.top + 1}, theme_->barEdge);
  if (!visible_) {
    // Without its buttons the bar still shows a note (a code copied on the
    // chooser, say).
    if (font != nullptr && !note_.empty())
      PaintLabel(canvas, origin, origin.x + width_, origin.y, font, note_);
    return;
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    Rect r = ButtonRect(i);
    r = Rect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    const bool down = pressed_ == i && pressedInside_;
    if (down) {
      canvas.FrameRect(r, theme_->barShadow, theme_->barLight);
    } else if (hover_ == i && !pressed_ && buttons_[i].enabled) {
      canvas.FrameRect(r, theme_->barLight, theme_->barShadow);
    }
    const std::int32_t shift = down ? 1 : 0;
    const Point at{r.left + (kButtonWidth - kImageWidth) / 2 + shift,
                   r.top + (kButtonHeight - kImageHeight) / 2 + shift};
    canvas.CopyTransparent(
        strip_,
        RectFromSize(static_cast<std::int32_t>(i) * kImageWidth, 0, kImageWidth, kImageHeight), at,
        kButtonFace);
    // Faded: every other pixel of the picture gives way to the bar.
    if (!buttons_[i].enabled)
      canvas.Fade(RectFromSize(at.x, at.y, kImageWidth, kImageHeight), theme_->bar);
  }
  if (font == nullptr) return;
  // The note first, at the right end; a tooltip never hides it.
  Rect note{};
  if (!note_.empty()) note = PaintLabel(canvas, origin, origin.x + width_, origin.y, font, note_);
  if (const std::wstring* tip = tooltip()) {
    const std::int32_t width = std::min(font->Render(*tip).width + 2 * kBoxPadding, width_);
    const std::int32_t left =
        std::clamp(origin.x + ButtonRect(*hover_).left, origin.x, origin.x + width_ - width);
    const bool meets = !note.IsEmpty() && left + width > note.left;
    PaintLabel(canvas, origin, left, meets ? note.top + 1 : origin.y, font, *tip);
  }
}

Rect Toolbar::PaintLabel(Canvas& canvas, Point origin, std::int32_t left, std::int32_t bottom,
                         const Font* font, const std::wstring& text) const {
  const std::int32_t width = std::min(font->Render(text).width + 2 * kBoxPadding, width_);
  left = std::clamp(left, origin.x, origin.x + width_ - width);
  const Rect box{left, bottom - kLabelHeight, left + width, bottom};
  canvas.FillRect(box, theme_->tipFace);
  canvas.FrameRect(box, theme_->barShadow, theme_->barShadow);
  canvas.DrawText(font, text,
                  Rect{box.left + kBoxPadding, box.top + 2, box.right - 1, box.bottom - 1},
                  theme_->tipText);
  return box;
}

}  // namespace qw
