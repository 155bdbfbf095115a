// The command bar's texts: with seven buttons only about sixty pixels are left
// beside them, so longer tooltips and notes must still show whole, without
// hiding the button under the pointer.
#include <gtest/gtest.h>

#include <set>

#include "platform/font.h"
#include "platform/toolbar.h"
#include "ui/client_area.h"

namespace qw {
namespace {

constexpr Color kText{40, 40, 60};  // the bar's text colour
constexpr std::int32_t kBarWidth = 240;

struct Bar {
  Bar() : toolbar(Surface(7 * Toolbar::kImageWidth, Toolbar::kImageHeight), Buttons(), kBarWidth) {
    toolbar.SetVisible(true);
  }
  static std::vector<ToolButton> Buttons() {
    std::vector<ToolButton> buttons;
    for (const wchar_t* tip : {L"Rotate Counter-Clockwise", L"Rotate Clockwise", L"Restart Level", L"Enter Password",
                               L"Undo", L"Redo", L"Hint"}) {
      buttons.push_back(ToolButton{static_cast<std::int32_t>(buttons.size()), tip});
    }
    return buttons;
  }
  Surface Paint(const Font* font) {
    Surface s(kBarWidth, Toolbar::kHeight);
    Canvas canvas(s);
    toolbar.Paint(canvas, Point{0, 0}, font);
    return s;
  }
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
bool SamePixels(const Surface& a, const Surface& b, const Rect& r) {
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    for (std::int32_t x = r.left; x < r.right; ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    }
  }
  return true;
}

TEST(ToolbarText, LongTooltipsAndNotesShowWholeAndLeaveTheHoveredButtonVisible) {
  const std::unique_ptr<Font> font = Font::Open(kTextHeight, kTextWeight, kTextFace);
  ASSERT_NE(font, nullptr);
  for (std::size_t button : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{6}}) {
    Bar bar;
    const Rect at = bar.toolbar.ButtonRect(button);
    bar.toolbar.PointerMove(Point{at.left + 2, at.top + 2}, 0);
    const Surface hovered = bar.Paint(font.get());
    bar.toolbar.Tick(Toolbar::kTooltipDelayMs);
    const Surface shown = bar.Paint(font.get());
    const std::wstring tip = Bar::Buttons()[button].tooltip;
    EXPECT_EQ(InkedColumns(shown), InkedColumns(font->Render(tip))) << "tooltip of button " << button;
    EXPECT_TRUE(SamePixels(hovered, shown, at)) << "the tooltip covers its own button " << button;
  }
  // A note while the pointer rests on the last button, before its tooltip shows.
  Bar bar;
  const Rect last = bar.toolbar.ButtonRect(6);
  bar.toolbar.PointerMove(Point{last.left + 2, last.top + 2}, 0);
  const Surface hovered = bar.Paint(font.get());
  const std::wstring note = L"Progress cannot be saved";
  bar.toolbar.ShowNote(note, 0);
  const Surface shown = bar.Paint(font.get());
  EXPECT_EQ(InkedColumns(shown), InkedColumns(font->Render(note)));
  EXPECT_TRUE(SamePixels(hovered, shown, last)) << "the note covers the button under the pointer";
}

}  // namespace
}  // namespace qw
