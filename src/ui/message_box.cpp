#include "ui/message_box.h"

#include <algorithm>

#include "platform/font.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"
#include "ui/renderer.h"

namespace qw {

namespace {

constexpr std::int32_t kMargin = 8;    // between the panel and the client area's edges
constexpr std::int32_t kPadding = 10;  // inside the panel, around the text and button
constexpr std::int32_t kTitleHeight = 16;
constexpr std::int32_t kLineHeight = 15;
constexpr std::int32_t kButtonWidth = 56;
constexpr std::int32_t kButtonHeight = 20;
constexpr std::int32_t kButtonGap = 8;  // between the text and the button
constexpr std::int32_t kShadowOffset = 3;
constexpr std::int32_t kMinWidth = 120;
constexpr std::int32_t kMaxWidth = kClientWidth - 2 * kMargin - kShadowOffset;
constexpr std::int32_t kMaxLines = (kClientHeight - 2 * kMargin - kShadowOffset - kTitleHeight -
                                    2 * kPadding - kButtonGap - kButtonHeight) /
                                   kLineHeight;
// Without a font, a guess at the width of a character.
constexpr std::int32_t kCharWidthGuess = 6;

// The text's own lines: "\r\n", "\n" and "\r" each end one.
std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().push_back(text[i]);
    }
  }
  return lines;
}

Point Centred(const Rect& box, std::int32_t width, std::int32_t height) {
  return Point{box.left + (box.Width() - width) / 2, box.top + (box.Height() - height) / 2};
}

}  // namespace

MessageBox::MessageBox(const Font* font, const std::wstring& text) : font_(font) {
  const std::int32_t inside = kMaxWidth - 2 * kPadding;
  // Words go on a line while they fit; a word wider than a line is cut
  // where the box ends.
  for (const std::wstring& source : SplitLines(text)) {
    std::wstring line;
    std::size_t at = 0;
    do {
      const std::size_t end = std::min(source.find(L' ', at), source.size());
      const std::wstring word = source.substr(at, end - at);
      const std::wstring joined = line.empty() ? word : line + L' ' + word;
      if (!line.empty() && TextWidth(joined) > inside) {
        lines_.push_back(line);
        line = word;
      } else {
        line = joined;
      }
      at = end + 1;
    } while (at <= source.size());
    lines_.push_back(line);
  }
  if (lines_.size() > static_cast<std::size_t>(kMaxLines))
    lines_.resize(static_cast<std::size_t>(kMaxLines));

  std::int32_t textWidth = 0;
  for (const std::wstring& line : lines_) textWidth = std::max(textWidth, TextWidth(line));
  const std::int32_t width = std::clamp(textWidth + 2 * kPadding, kMinWidth, kMaxWidth);
  const std::int32_t height = kTitleHeight + 2 * kPadding +
                              static_cast<std::int32_t>(lines_.size()) * kLineHeight + kButtonGap +
                              kButtonHeight;
  const Point at = Centred(kClientRect, width + kShadowOffset, height + kShadowOffset);
  panel_ = RectFromSize(at.x, at.y, width, height);
  ok_ = RectFromSize(panel_.left + (width - kButtonWidth) / 2,
                     panel_.bottom - kPadding - kButtonHeight, kButtonWidth, kButtonHeight);
}

std::int32_t MessageBox::TextWidth(const std::wstring& text) const {
  if (!font_) return static_cast<std::int32_t>(text.size()) * kCharWidthGuess;
  return font_->Render(text).width;
}

Rect MessageBox::Bounds() const {
  return UnionRect(panel_, Rect{panel_.left + kShadowOffset, panel_.top + kShadowOffset,
                                panel_.right + kShadowOffset, panel_.bottom + kShadowOffset});
}

Rect MessageBox::LineRect(std::size_t i) const {
  const std::int32_t top =
      panel_.top + kTitleHeight + kPadding + static_cast<std::int32_t>(i) * kLineHeight;
  return Rect{panel_.left + 2, top, panel_.right - 2, top + kLineHeight};
}

bool MessageBox::OnEvent(const InputEvent& e) {
  if (!open_) return false;
  switch (e.type) {
    case InputEvent::Type::PointerDown:
      pressed_ = PtInRect(ok_, e.point);
      pressedInside_ = pressed_;
      break;
    case InputEvent::Type::PointerMove:
      if (pressed_) pressedInside_ = PtInRect(ok_, e.point);
      break;
    case InputEvent::Type::PointerUp:
      // Only a press that began on OK counts: the release of the press that
      // opened the box closes nothing.
      if (pressed_ && PtInRect(ok_, e.point)) open_ = false;
      pressed_ = false;
      pressedInside_ = false;
      break;
    case InputEvent::Type::KeyDown:
      if (!e.repeat && (e.key == Key::Enter || e.key == Key::Escape || e.key == Key::Space))
        open_ = false;
      break;
    default: break;
  }
  return !open_;
}

void MessageBox::Paint(Canvas& canvas, const Theme& theme) const {
  const Rect shadow{panel_.left + kShadowOffset, panel_.top + kShadowOffset,
                    panel_.right + kShadowOffset, panel_.bottom + kShadowOffset};
  canvas.FillRect(Rect{panel_.right, shadow.top, shadow.right, shadow.bottom}, theme.boxShadow);
  canvas.FillRect(Rect{shadow.left, panel_.bottom, panel_.right, shadow.bottom}, theme.boxShadow);

  canvas.FrameRect(panel_, theme.frame, theme.frame);
  const Rect inner = InflateRect(panel_, -1, -1);
  canvas.FrameRect(inner, theme.boxLight, theme.boxShade);
  canvas.FillRect(InflateRect(inner, -1, -1), theme.panel);
  const Rect title{inner.left + 1, inner.top + 1, inner.right - 1, inner.top + kTitleHeight - 1};
  canvas.FillRect(title, theme.background);
  canvas.FillRect(Rect{title.left, title.bottom, title.right, title.bottom + 1}, theme.boxShade);
  canvas.DrawText(font_, kMessageTitle,
                  Rect{title.left + 5, title.top + 1, title.right, title.bottom},
                  theme.boxTitleText);

  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Rect row = LineRect(i);
    const std::int32_t width = std::min(TextWidth(lines_[i]), row.Width() - 2 * (kPadding - 2));
    canvas.DrawText(
        font_, lines_[i],
        Rect{row.left + (row.Width() - width) / 2, row.top, row.right - kPadding + 2, row.bottom},
        theme.boxText);
  }

  const bool down = pressed_ && pressedInside_;
  canvas.FrameRect(ok_, theme.frame, theme.frame);
  const Rect face = InflateRect(ok_, -1, -1);
  canvas.FrameRect(face, down ? theme.boxShade : theme.boxLight,
                   down ? theme.boxLight : theme.boxShade);
  canvas.FillRect(InflateRect(face, -1, -1), theme.boxButton);
  const std::int32_t shift = down ? 1 : 0;
  const std::int32_t okWidth = TextWidth(kOkCaption);
  const Point text = Centred(face, okWidth, kLineHeight);
  canvas.DrawText(font_, kOkCaption,
                  Rect{text.x + shift, text.y + shift, face.right - 1, face.bottom - 1},
                  theme.boxText);
}

}  // namespace qw
