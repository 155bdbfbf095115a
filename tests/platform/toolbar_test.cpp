// The command bar's texts: with seven buttons only about sixty pixels are left
// beside them, so tooltips and notes are labels above the bar. Each shows
// whole, in one style, over no button, and a tooltip never hides a note.
#include <gtest/gtest.h>

#include <set>

#include "common/input.h"
#include "platform/font.h"
#include "platform/toolbar.h"
#include "ui/client_area.h"

namespace qw {
namespace {

using testing::SamePixels;

constexpr Color kText{40, 40, 60};     // the labels' text colour
constexpr Color kFace{255, 255, 225};  // and their face
constexpr std::int32_t kBarWidth = 240;

struct Bar {
  Bar() : toolbar(Surface(7 * Toolbar::kImageWidth, Toolbar::kImageHeight), Buttons(), kBarWidth) {
    toolbar.SetVisible(true);
  }
  static std::vector<ToolButton> Buttons() {
    std::vector<ToolButton> buttons;
    for (const wchar_t* tip : {L"Rotate Counter-Clockwise", L"Rotate Clockwise", L"Restart Level",
                               L"Enter Password", L"Undo", L"Redo", L"Hint"}) {
      buttons.push_back(ToolButton{static_cast<std::int32_t>(buttons.size()), tip});
    }
    return buttons;
  }
  // The bar below the room of its labels.
  Surface Paint(const Font* font) {
    Surface s(kBarWidth, Toolbar::kLabelRoom + Toolbar::kHeight);
    Canvas canvas(s);
    toolbar.Paint(canvas, Point{0, Toolbar::kLabelRoom}, font);
    return s;
  }
  static constexpr Rect kBar{0, Toolbar::kLabelRoom, kBarWidth,
                             Toolbar::kLabelRoom + Toolbar::kHeight};
  Toolbar toolbar;
};

// Columns holding fully inked text: in the mask the font renders, and in the bar.
std::size_t InkedColumns(const TextMask& mask) {
  std::set<std::int32_t> columns;
  for (std::int32_t y = 0; y < mask.height; ++y) {
    for (std::int32_t x = 0; x < mask.width; ++x) {
      if (mask.coverage[static_cast<std::size_t>(y * mask.width + x)] == 255) columns.insert(x);
    }
  }
  return columns.size();
}
std::size_t InkedColumns(const Surface& bar) {
  std::set<std::int32_t> columns;
  for (std::int32_t y = 0; y < bar.height(); ++y) {
    for (std::int32_t x = 0; x < bar.width(); ++x) {
      if (bar.ColorAt(x, y) == kText) columns.insert(x);
    }
  }
  return columns.size();
}
bool HasFace(const Surface& s) {
  for (std::int32_t y = 0; y < Toolbar::kLabelRoom; ++y) {
    for (std::int32_t x = 0; x < s.width(); ++x) {
      if (s.ColorAt(x, y) == kFace) return true;
    }
  }
  return false;
}

TEST(ToolbarText, TooltipsAndNotesAreWholeLabelsThatCoverNoButtonAndNoNote) {
  const std::unique_ptr<Font> font = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ASSERT_NE(font, nullptr);
  for (std::size_t button = 0; button < Bar::Buttons().size(); ++button) {
    Bar bar;
    const Rect at = bar.toolbar.ButtonRect(button);
    bar.toolbar.PointerMove(Point{at.left + 2, at.top + 2}, 0);
    const Surface hovered = bar.Paint(font.get());
    bar.toolbar.Tick(Toolbar::kTooltipDelayMs);
    const Surface shown = bar.Paint(font.get());
    const std::wstring tip = Bar::Buttons()[button].tooltip;
    EXPECT_EQ(InkedColumns(shown), InkedColumns(font->Render(tip)))
        << "tooltip of button " << button;
    EXPECT_TRUE(HasFace(shown)) << "tooltip of button " << button << " is no label";
    EXPECT_TRUE(SamePixels(hovered, shown, Bar::kBar))
        << "the tooltip of button " << button << " covers the bar";
  }
  // A note while the pointer rests on the last button; then its tooltip.
  Bar bar;
  const Rect last = bar.toolbar.ButtonRect(6);
  bar.toolbar.PointerMove(Point{last.left + 2, last.top + 2}, 0);
  const Surface hovered = bar.Paint(font.get());
  const std::wstring note = L"Took a piece back";
  bar.toolbar.ShowNote(note, 0);
  const Surface noted = bar.Paint(font.get());
  EXPECT_EQ(InkedColumns(noted), InkedColumns(font->Render(note)));
  EXPECT_TRUE(SamePixels(hovered, noted, Bar::kBar)) << "the note covers the bar";
  bar.toolbar.Tick(Toolbar::kTooltipDelayMs);
  const Surface both = bar.Paint(font.get());
  const Rect noteRows{0, Toolbar::kLabelRoom - Toolbar::kLabelHeight + 1, kBarWidth,
                      Toolbar::kLabelRoom};
  EXPECT_TRUE(SamePixels(noted, both, noteRows)) << "the tooltip hides the note";
  EXPECT_FALSE(SamePixels(noted, both, Rect{0, 0, kBarWidth, Toolbar::kLabelRoom})) << "no tooltip";
}

}  // namespace
}  // namespace qw
