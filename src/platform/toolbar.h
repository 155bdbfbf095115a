// The command bar below the game's client area: the toolbar's buttons, drawn
// by the program from the toolbar strip (16 x 15 images side by side), with
// hover and pressed feedback and a tooltip shown after a short hover. While
// hidden the bar stays, shows no buttons and takes no clicks.
//
// Tooltips and notes are labels of one style, a framed box laid just above
// the bar (over the lowest rows of the window above it), so that they never
// cover a button of the bar: a note at the right end, a tooltip from its
// button's left edge, lifted above the note where the two would meet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/surface.h"
#include "platform/theme.h"

namespace qw {

class Font;

struct ToolButton {
  std::int32_t command = 0;
  std::wstring tooltip;
  bool enabled = true;  // a disabled button looks faded and takes no press
};

class Toolbar {
 public:
  static constexpr std::int32_t kHeight = 26;
  static constexpr std::int32_t kImageWidth = 16;
  static constexpr std::int32_t kImageHeight = 15;
  static constexpr std::uint64_t kTooltipDelayMs = 500;

  Toolbar(Surface strip, std::vector<ToolButton> buttons, std::int32_t width);

  void SetVisible(bool visible);
  bool visible() const { return visible_; }
  // Enables or disables the buttons that send command.
  void SetEnabled(std::int32_t command, bool enabled);
  // A note above the bar's right end, for kNoteMs.
  void ShowNote(std::wstring text, std::uint64_t nowMs);
  // The labels' room above the bar: two rows of them.
  static constexpr std::int32_t kLabelHeight = 17;
  static constexpr std::int32_t kLabelRoom = 2 * kLabelHeight;
  // The bar is to be painted again (what lay over its labels went away).
  void Invalidate() { dirty_ = true; }
  static constexpr std::uint64_t kNoteMs = 4000;
  bool enabled(std::size_t i) const { return buttons_[i].enabled; }

  // Pointer input in bar coordinates, (0, 0) being the bar's top-left pixel.
  void PointerMove(Point p, std::uint64_t nowMs);
  // True when the press landed on a button; the bar then owns the press
  // until PointerUp.
  bool PointerDown(Point p);
  // The command of the pressed button when the pointer is released over it.
  std::optional<std::int32_t> PointerUp(Point p);
  void PointerLeave();

  // The tooltip on show, if any.
  const std::wstring* tooltip() const {
    return hover_ && tooltipShown_ ? &buttons_[*hover_].tooltip : nullptr;
  }
  // When a tooltip is waiting for its delay: the time it is due.
  std::optional<std::uint64_t> TooltipDue() const;
  void Tick(std::uint64_t nowMs);

  // The bar has changed since it was last painted.
  bool dirty() const { return dirty_; }
  // Paints the bar with its top-left pixel at origin, and the labels on show
  // in the kLabelRoom rows above it.
  void Paint(Canvas& canvas, Point origin, const Font* font);

  // The button rectangle in bar coordinates.
  Rect ButtonRect(std::size_t i) const;

  // The bar's colours and button images from here on; it repaints.
  void SetTheme(const Theme& theme, Surface strip) {
    theme_ = &theme;
    strip_ = std::move(strip);
    dirty_ = true;
  }

 private:
  std::optional<std::size_t> ButtonAt(Point p) const;
  void SetHover(std::optional<std::size_t> button, std::uint64_t nowMs);
  // A label with its left edge at left (kept inside the bar's width) and its
  // bottom edge at bottom; its rectangle.
  Rect PaintLabel(Canvas& canvas, Point origin, std::int32_t left, std::int32_t bottom,
                  const Font* font, const std::wstring& text) const;

  Surface strip_;
  const Theme* theme_ = &kClassicTheme;
  std::vector<ToolButton> buttons_;
  std::int32_t width_;
  bool visible_ = false;
  bool dirty_ = true;
  std::optional<std::size_t> hover_;
  std::optional<std::size_t> pressed_;
  bool pressedInside_ = false;
  std::uint64_t hoverSince_ = 0;
  bool tooltipShown_ = false;
  std::wstring note_;
  std::uint64_t noteUntil_ = 0;
};

}  // namespace qw
