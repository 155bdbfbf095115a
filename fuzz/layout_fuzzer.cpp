// The layout file: any bytes through LoadLayout and ParseLayout, every item
// measured and drawn from the shipped skin, and, for a table the game would
// take (25 items or more), every screen painted and a short game played on
// the strange geometry.
#include <cstdint>
#include <string>

#include "data/layout.h"
#include "support.h"
#include "ui/client_area.h"
#include "ui/draw_item.h"
#include "ui/keyboard.h"

namespace {

using qw::fuzz::Check;

qw::Point Centre(const qw::Rect& r) { return qw::RectCenter(r); }

bool InRange(std::int32_t v) { return v >= -qw::kCoordinateLimit && v <= qw::kCoordinateLimit; }

// New game, a drag from the first tray slot to the board's middle, a tap on
// it, then the outcome buttons, the password keys and back.
void Play(qw::fuzz::Game& game, const qw::Layout& layout) {
  auto tap = [&](qw::Point p) {
    game.controller.OnPenDown(p);
    game.controller.OnPenUp(p);
  };
  tap(Centre(qw::ItemRect(layout, 3)));
  const qw::Point slot = Centre(game.controller.geometry().CellRect(0, -1));
  const qw::Point cell = Centre(game.controller.geometry().CellRect(4, 4));
  game.controller.OnPenDown(slot);
  game.controller.OnPenMove(qw::Point{slot.x, cell.y});
  game.controller.OnPenMove(cell);
  game.controller.OnPenUp(cell);
  tap(cell);
  game.controller.OnRotateCounterClockwise();
  game.Paint();
  for (std::int32_t item : {12, 13}) tap(Centre(qw::ItemRect(layout, item)));
  game.controller.OnPasswordCommand();
  for (std::int32_t k = 0; k < 12; ++k) {
    const qw::Rect keys = qw::ItemRect(layout, 23);
    tap(qw::Point{keys.left + 20 * k + 10, Centre(keys).y});
  }
  game.Paint();
  // The desktop keys tap the password screen's keys by their rectangles.
  game.controller.OnPasswordCommand();
  for (char letter : std::string("AEILNRSTQ")) {
    const qw::KeyAction a = qw::MapKey(qw::Key::Letter, letter, qw::MODE_PASSWORD, layout);
    if (a.kind == qw::KeyAction::Kind::Tap) tap(a.tap);
  }
  for (qw::Key key : {qw::Key::Backspace, qw::Key::Enter})
    tap(qw::MapKey(key, 0, qw::MODE_PASSWORD, layout).tap);
  for (std::int32_t item : {22, 20, 21, 5, 7}) tap(Centre(qw::ItemRect(layout, item)));
  game.Paint();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::optional<qw::Layout> loaded =
      qw::LoadLayout(qw::fuzz::WriteScratchFile("layout", bytes));
  Check(loaded.has_value(), "a small regular file was not read");
  const qw::Layout layout = qw::ParseLayout(qw::fuzz::Widen(bytes));
  Check(layout == *loaded, "the file and the text give different tables");

  const qw::Surface& skin = qw::fuzz::ShippedSkin();
  qw::Surface client(qw::kClientWidth, qw::kClientHeight);
  qw::Canvas canvas(client);
  const auto count = static_cast<std::int32_t>(layout.size());
  for (const qw::LayoutItem& it : layout) {
    Check(InRange(it.x) && InRange(it.y) && InRange(it.w) && InRange(it.h) && InRange(it.srcX) &&
              InRange(it.srcY),
          "a layout value outside the coordinate range");
  }
  for (std::int32_t i = -1; i <= count; ++i) {
    const qw::Rect r = qw::ItemRect(layout, i);
    if (i < 0 || i == count) Check(r == qw::Rect{}, "an item outside the table has a rectangle");
    qw::DrawItem(canvas, skin, layout, i);
  }
  if (count < qw::kLayoutItemsNeeded) return 0;  // the game refuses such a table

  qw::fuzz::Game game(skin, layout, qw::fuzz::ShippedLevels());
  game.PaintEveryScreen();
  Play(game, layout);
  return 0;
}
