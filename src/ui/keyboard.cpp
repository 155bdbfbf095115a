#include "ui/keyboard.h"

#include "data/keypad.h"
#include "data/layout_items.h"
#include "model/cell.h"

namespace qw {

namespace {

constexpr std::int32_t kKeyWidth = 20;

KeyAction Command(ToolbarCommand c) { return KeyAction{KeyAction::Kind::Command, c, {}}; }

KeyAction TapCentre(const Rect& r) {
  return KeyAction{KeyAction::Kind::Tap, ID_ROTATE_CCW,
                   Point{r.left + r.Width() / 2, r.top + r.Height() / 2}};
}

KeyAction PasswordKey(Key key, char letter, const Layout& layout) {
  switch (key) {
    case Key::Enter: return TapCentre(ItemRect(layout, kItemConfirm));
    case Key::Delete:
    case Key::Backspace: return TapCentre(ItemRect(layout, kItemClear));
    case Key::Letter: {
      const Rect keypad = ItemRect(layout, kItemKeypad);
      for (std::size_t k = 0; k < keypadAlphabet.size(); ++k) {
        if (keypadAlphabet[k] == static_cast<wchar_t>(letter)) {
          const std::int32_t left = keypad.left + kKeyWidth * static_cast<std::int32_t>(k);
          return TapCentre(Rect{left, keypad.top, left + kKeyWidth, keypad.bottom});
        }
      }
      return KeyAction{};
    }
    default: return KeyAction{};
  }
}

KeyAction Simple(KeyAction::Kind kind) { return KeyAction{kind, ID_ROTATE_CCW, {}}; }

KeyAction CodeKey(Key key, char letter) {
  KeyAction a = Simple(KeyAction::Kind::Type);
  switch (key) {
    case Key::Letter: a.letter = letter; return a;
    case Key::Delete:
    case Key::Backspace: a.letter = '\b'; return a;
    case Key::Enter: return Simple(KeyAction::Kind::Activate);
    default: return KeyAction{};
  }
}

}  // namespace

KeyAction MapKey(Key key, char letter, ScreenMode screenMode, const Layout& layout, KeyMods mods) {
  const bool codes =
      screenMode == MODE_MENU || screenMode == MODE_LEVELS || screenMode == MODE_CODE;
  if (mods.ctrl) {
    if (key != Key::Letter) return KeyAction{};
    if (letter == 'V') return codes ? Simple(KeyAction::Kind::Paste) : KeyAction{};
    if (letter == 'S')
      return screenMode == MODE_EDITOR ? Simple(KeyAction::Kind::Save) : KeyAction{};
    if (letter == 'Z') return Command(mods.shift ? ID_REDO : ID_UNDO);
    if (letter == 'Y') return Command(ID_REDO);
    return KeyAction{};
  }
  if (key == Key::Escape) return KeyAction{KeyAction::Kind::Ok, ID_ROTATE_CCW, {}};
  if (screenMode == MODE_CODE) return CodeKey(key, letter);
  if (key == Key::Letter && letter == 'N' && screenMode == MODE_EDITOR)
    return Simple(KeyAction::Kind::EnterCode);
  if (key == Key::Letter && letter == 'T' && screenMode == MODE_EDITOR)
    return Simple(KeyAction::Kind::TestPlay);
  if (key == Key::Letter && letter == 'S' &&
      (screenMode == MODE_LEVELS || screenMode == MODE_SOLVED || screenMode == MODE_EDITOR)) {
    return Simple(KeyAction::Kind::Share);
  }
  if (key == Key::Letter && letter == 'E' && screenMode == MODE_LEVELS)
    return Simple(KeyAction::Kind::Create);
  if (key == Key::Letter && letter == 'C' && screenMode == MODE_MENU)
    return Simple(KeyAction::Kind::EnterCode);
  if (screenMode == MODE_PASSWORD) {
    const KeyAction typed = PasswordKey(key, letter, layout);
    if (typed.kind != KeyAction::Kind::None || key == Key::Letter) return typed;
  }
  auto cursor = [](std::int32_t dx, std::int32_t dy) {
    KeyAction a{KeyAction::Kind::Cursor, ID_ROTATE_CCW, {}};
    a.dx = dx;
    a.dy = dy;
    return a;
  };
  if (screenMode == MODE_EDITOR && key == Key::Letter && letter >= '1' && letter <= '5') {
    KeyAction a{KeyAction::Kind::Tool, ID_ROTATE_CCW, {}};
    a.grade = letter - '1';
    return a;
  }
  const bool play = screenMode == MODE_PLAY || screenMode == MODE_EDITOR;
  // The settings' 1, 2 and 3 press the theme row's Classic, Dark and High
  // contrast.
  if (screenMode == MODE_SETTINGS && key == Key::Letter && letter >= '1' && letter <= '3' &&
      static_cast<std::int32_t>(layout.size()) >= kThemeItemsEnd) {
    return TapCentre(ItemRect(layout, kItemThemeFirst + (letter - '1')));
  }
  if (screenMode == MODE_MENU && key == Key::Letter) {
    if (letter == 'D') return KeyAction{KeyAction::Kind::Daily, ID_ROTATE_CCW, {}};
    if (letter == 'S') return KeyAction{KeyAction::Kind::Settings, ID_ROTATE_CCW, {}};
    if (letter == 'R' || (letter >= '1' && letter <= '5')) {
      KeyAction a{KeyAction::Kind::Random, ID_ROTATE_CCW, {}};
      a.grade = letter == 'R' ? 0 : letter - '0';
      return a;
    }
  }
  // The menu's Left and Right move only along its top row of Continue and
  // Levels; the chooser's turn its pages.
  const bool moves =
      play || screenMode == MODE_MENU || screenMode == MODE_LEVELS || screenMode == MODE_SETTINGS;
  switch (key) {
    case Key::Left: return moves ? cursor(-1, 0) : KeyAction{};
    case Key::Right: return moves ? cursor(1, 0) : KeyAction{};
    case Key::Up: return moves ? cursor(0, -1) : KeyAction{};
    case Key::Down: return moves ? cursor(0, 1) : KeyAction{};
    case Key::Space:
      return play ? KeyAction{KeyAction::Kind::Pick, ID_ROTATE_CCW, {}} : KeyAction{};
    case Key::Enter:
      switch (screenMode) {
        case MODE_PLAY:
        case MODE_EDITOR: return KeyAction{KeyAction::Kind::Pick, ID_ROTATE_CCW, {}};
        case MODE_MENU:
        case MODE_LEVELS:
        case MODE_SETTINGS: return KeyAction{KeyAction::Kind::Activate, ID_ROTATE_CCW, {}};
        case MODE_SOLVED: return TapCentre(ItemRect(layout, kItemContinue));
        case MODE_FAILED: return TapCentre(ItemRect(layout, kItemRetry));
        default: return KeyAction{};
      }
    case Key::Letter:
      switch (letter) {
        case 'Z': return Command(ID_ROTATE_CCW);
        case 'X': return Command(ID_ROTATE_CW);
        case 'R': return Command(ID_RESTART);
        case 'P': return Command(ID_PASSWORD);
        case 'H': return Command(ID_HINT);
        case 'M': return KeyAction{KeyAction::Kind::Mute, ID_ROTATE_CCW, {}};
        default: return KeyAction{};
      }
    default: return KeyAction{};
  }
}

KeyAction MapWheel(std::int32_t wheel) {
  if (wheel > 0) return Command(ID_ROTATE_CCW);
  if (wheel < 0) return Command(ID_ROTATE_CW);
  return KeyAction{};
}

}  // namespace qw
