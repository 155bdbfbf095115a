#include "ui/keyboard.h"

#include <gtest/gtest.h>

#include "ui/controller.h"
#include "world.h"

namespace qw {
namespace {

TEST(Keyboard, KeysCallTheGamesOwnInputs) {
  const Layout layout = testing::TestLayout();
  EXPECT_EQ(MapKey(Key::Letter, 'Z', MODE_PLAY, layout).command, ID_ROTATE_CCW);
  EXPECT_EQ(MapKey(Key::Letter, 'X', MODE_PLAY, layout).command, ID_ROTATE_CW);
  EXPECT_EQ(MapKey(Key::Letter, 'R', MODE_PLAY, layout).command, ID_RESTART);
  EXPECT_EQ(MapKey(Key::Letter, 'P', MODE_SOLVED, layout).command, ID_PASSWORD);
  EXPECT_EQ(MapKey(Key::Escape, 0, MODE_PASSWORD, layout).kind, KeyAction::Kind::Ok);
  EXPECT_EQ(MapKey(Key::Letter, 'Q', MODE_PLAY, layout).kind, KeyAction::Kind::None);
  EXPECT_EQ(MapKey(Key::Letter, 'H', MODE_PLAY, layout).command, ID_HINT);
  // Ctrl+Z undoes instead of turning; Ctrl+Y and Ctrl+Shift+Z redo.
  EXPECT_EQ(MapKey(Key::Letter, 'Z', MODE_PLAY, layout, {true, false}).command, ID_UNDO);
  EXPECT_EQ(MapKey(Key::Letter, 'Z', MODE_PLAY, layout, {true, true}).command, ID_REDO);
  EXPECT_EQ(MapKey(Key::Letter, 'Y', MODE_PLAY, layout, {true, false}).command, ID_REDO);
  EXPECT_EQ(MapKey(Key::Letter, 'X', MODE_PLAY, layout, {true, false}).kind, KeyAction::Kind::None);
  EXPECT_EQ(MapKey(Key::Letter, 'Z', MODE_PLAY, layout, {false, true}).command, ID_ROTATE_CCW);
  // On the menu R plays a random level of the grade chosen last (0) and a
  // digit one of its grade; in play a digit does nothing.
  for (const char key : {'R', '1', '2', '3', '4', '5'}) {
    const KeyAction a = MapKey(Key::Letter, key, MODE_MENU, layout);
    EXPECT_EQ(a.kind, KeyAction::Kind::Random) << key;
    EXPECT_EQ(a.grade, key == 'R' ? 0 : key - '0') << key;
  }
  EXPECT_EQ(MapKey(Key::Letter, '3', MODE_PLAY, layout).kind, KeyAction::Kind::None);
  EXPECT_EQ(MapWheel(1).command, ID_ROTATE_CCW);
  EXPECT_EQ(MapWheel(-2).command, ID_ROTATE_CW);
}

TEST(Keyboard, OnThePasswordScreenKeysTapTheirKey) {
  const Layout layout = testing::TestLayout();
  const KeyAction r =
      MapKey(Key::Letter, 'R', MODE_PASSWORD, layout);  // a keypad letter, not restart
  ASSERT_EQ(r.kind, KeyAction::Kind::Tap);
  EXPECT_EQ(r.tap, (Point{40 + 5 * 20 + 10, 160}));
  EXPECT_EQ(MapKey(Key::Letter, 'P', MODE_PASSWORD, layout).kind, KeyAction::Kind::None);
  EXPECT_EQ(MapKey(Key::Enter, 0, MODE_PASSWORD, layout).tap, (Point{50, 212}));
  EXPECT_EQ(MapKey(Key::Backspace, 0, MODE_PASSWORD, layout).tap, (Point{190, 212}));
  EXPECT_EQ(MapKey(Key::Right, 0, MODE_PASSWORD, layout).kind, KeyAction::Kind::None);
}

}  // namespace
}  // namespace qw
