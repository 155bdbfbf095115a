#include "ui/screen_flow.h"

#include <algorithm>
#include <utility>

#include "data/keypad.h"
#include "data/layout_items.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"

namespace qw {

namespace {

// The menu's buttons.
constexpr std::int32_t kMenuNewGame = 0;
constexpr std::int32_t kMenuPassword = 1;
constexpr std::int32_t kMenuInstructions = 2;
constexpr std::int32_t kMenuExit = 3;

// The password screen's keys and the letters typed, each a glyph of the
// skin.
constexpr std::int32_t kKeyWidth = 20;
constexpr std::int32_t kGlyphHeight = 20;

}  // namespace

void ScreenFlow::SetRecorder(ProgressRecorder* recorder) {
  chooser_.SetRecorder(recorder);
  if (s_.state.screenMode == MODE_MENU) EnterMenu(false);
}

bool ScreenFlow::HasExtras() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kChooserItemsEnd;
}

bool ScreenFlow::MenuButtonShown(std::int32_t button) const {
  if (button >= 0 && button < kMenuButtons) return true;
  if (!HasExtras()) return false;
  return button == kMenuLevels || (button == kMenuContinue && s_.state.continueShown);
}

Rect ScreenFlow::MenuButtonRect(std::int32_t button) const {
  switch (button) {
    case kMenuContinue: return ItemRect(s_.layout, kItemMenuContinue);
    case kMenuLevels: return ItemRect(s_.layout, kItemMenuLevels);
    default: return ItemRect(s_.layout, MenuButtonItem(button));
  }
}

void ScreenFlow::EnterMenu(bool hideToolbar) {
  UiState& state = s_.state;
  s_.SetMode(MODE_MENU);
  state.continueShown = s_.recorder && s_.recorder->LevelInPlay() != -1;
  // With a level in play, Continue is what the player most likely wants:
  // the keyboard's highlight starts there, so Enter continues.
  if (state.continueShown && HasExtras()) {
    state.hoveredButton = kMenuContinue;
  } else if (state.hoveredButton == kMenuContinue) {
    state.hoveredButton = -1;
  }
  if (hideToolbar) s_.effects.ShowToolbar(false);
  s_.effects.InvalidateAll();
}

Rect ScreenFlow::GlyphRow() const {
  const Rect item = ItemRect(s_.layout, kItemEnteredText);
  return Rect{item.left, item.top, std::max(item.left, kClientRect.right), item.top + kGlyphHeight};
}

// ---- the menu ----------------------------------------------------------------

void ScreenFlow::MenuPenDown(Point p) {
  if (settings_.MenuPress(p) || MenuCodePress(p)) return;
  MenuHighlight(p);
}

void ScreenFlow::MenuHighlight(Point p) {
  // Every button is tested; where rectangles overlap the last one wins. A
  // press beside the four first buttons leaves the highlight as it was; one
  // left on Continue or Levels (by a key, or by entering the menu) goes, so
  // that a stray press never starts them.
  const std::int32_t from = s_.state.hoveredButton;
  if (from == kMenuContinue || from == kMenuLevels) {
    s_.effects.InvalidateRect(MenuButtonRect(from));
    s_.state.hoveredButton = -1;
  }
  for (std::int32_t i = 0; i <= kMenuLevels; ++i) {
    if (!MenuButtonShown(i)) continue;
    const Rect r = MenuButtonRect(i);
    if (PtInRect(r, p)) {
      s_.state.hoveredButton = i;
      s_.effects.InvalidateRect(r);
    }
  }
}

void ScreenFlow::MenuPenMove(Point p) {
  if (s_.state.hoveredButton != -1)
    s_.effects.InvalidateRect(MenuButtonRect(s_.state.hoveredButton));
  s_.state.hoveredButton = -1;
  // Only highlights: the gear and Enter code act on a press, never on a
  // pointer passing over them.
  MenuHighlight(p);
}

void ScreenFlow::MenuPenUp() {
  // The release point is not tested: the button is the one the last pen down
  // or move left highlighted.
  const std::int32_t button = s_.state.hoveredButton;
  if (button != -1) {
    s_.effects.PlaySound(Sound::kButton);
    switch (button) {
      case kMenuNewGame: launcher_.StartLevel(0); break;
      case kMenuPassword: OpenPassword(); break;
      case kMenuInstructions:
        s_.SetMode(MODE_HELP);
        s_.effects.InvalidateAll();
        break;
      case kMenuExit: Ok(); break;
      case kMenuContinue: launcher_.Continue(); break;
      case kMenuLevels: OpenChooser(); break;
      default: break;
    }
    s_.effects.InvalidateRect(MenuButtonRect(button));
  }
  s_.state.hoveredButton = -1;
}

void ScreenFlow::MenuCursorKey(std::int32_t dx, std::int32_t dy) {
  const std::int32_t from = s_.state.hoveredButton;
  const bool top = from == kMenuContinue || from == kMenuLevels;
  std::int32_t to = from;
  if (from == -1) {
    if (dx != 0) return;  // Left and Right only move along the top row
    to = 0;
  } else if (top) {
    if (dy > 0) {
      to = 0;
    } else if (dx > 0 && MenuButtonShown(kMenuContinue)) {
      to = kMenuContinue;  // Levels sits left of Continue
    } else if (dx < 0) {
      to = kMenuLevels;
    }
  } else if (dx != 0) {
    return;
  } else if (from == 0 && dy < 0 && HasExtras()) {
    to = MenuButtonShown(kMenuContinue) ? kMenuContinue : kMenuLevels;
  } else {
    to = std::clamp(from + dy, 0, kMenuButtons - 1);
  }
  if (from != -1) s_.effects.InvalidateRect(MenuButtonRect(from));
  s_.state.hoveredButton = to;
  s_.effects.InvalidateRect(MenuButtonRect(to));
}

void ScreenFlow::HelpPenUp() {
  s_.SetMode(MODE_MENU);
  s_.effects.InvalidateAll();
}

void ScreenFlow::Ok() {
  if (s_.state.keyCarry) {  // Escape puts the carried piece back
    s_.EndKeyCarry();
    return;
  }
  if (s_.state.screenMode == MODE_MENU) {
    s_.effects.EndModalRun();
    return;
  }
  s_.DropSolvedBest();
  EnterMenu(true);
}

// ---- the password screen -----------------------------------------------------

void ScreenFlow::OpenPassword() {
  s_.DropSolvedBest();
  s_.EndKeyCarry();
  s_.state.enteredPassword.clear();
  s_.SetMode(MODE_PASSWORD);
  s_.effects.InvalidateAll();
}

void ScreenFlow::PasswordPenUp(Point p) {
  const Layout& layout = s_.layout;
  std::wstring& entered = s_.state.enteredPassword;
  if (PtInRect(ItemRect(layout, kItemConfirm), p)) {
    for (std::size_t i = 0; i < s_.levels.size(); ++i) {
      if (s_.levels[i].password == entered) {
        launcher_.StartLevel(static_cast<std::int32_t>(i), LevelLauncher::Start::kPassword);
        return;
      }
    }
    EnterMenu(false);  // no match: back to the menu, the entry kept
    s_.effects.ShowNote(kNoPasswordNote);
  } else if (PtInRect(ItemRect(layout, kItemBack), p)) {
    EnterMenu(false);  // the toolbar keeps its visibility
  } else if (PtInRect(ItemRect(layout, kItemClear), p)) {
    entered.clear();
    EnteredPasswordChanged();
  } else if (const Rect keypad = ItemRect(layout, kItemKeypad); PtInRect(keypad, p)) {
    const std::int32_t k = (p.x - keypad.left) / kKeyWidth;
    if (k >= 0 && k < static_cast<std::int32_t>(keypadAlphabet.size())) {
      entered.push_back(keypadAlphabet[static_cast<std::size_t>(k)]);
    }
    EnteredPasswordChanged();  // also for a tap past the eighth key
  }
}

void ScreenFlow::EnteredPasswordChanged() {
  // The glyph row runs on past item 24's right edge for long entries, so
  // the whole row is repainted, not only the item.
  s_.effects.InvalidateRect(ItemRect(s_.layout, kItemEnteredText));
  s_.effects.InvalidateRect(GlyphRow());
}

// ---- the outcome screens -----------------------------------------------------

void ScreenFlow::SolvedPenDown(Point p) {
  if (s_.state.anotherShown && PtInRect(ItemRect(s_.layout, kItemAnotherButton), p)) {
    s_.state.anotherShown = false;
    launcher_.StartGenerated(GeneratedLevelChoice::Random(s_.generated->grade));
    return;
  }
  if (HasCodes() && s_.puzzle.currentLevel() == kGeneratedLevel &&
      PtInRect(ItemRect(s_.layout, kItemSolvedShare), p)) {
    Share();
    return;
  }
  if (!PtInRect(ItemRect(s_.layout, kItemContinue), p)) return;
  s_.effects.PlaySound(Sound::kButton);
  s_.DropSolvedBest();
  if (s_.puzzle.currentLevel() == kGeneratedLevel) {
    LeaveGeneratedLevel();  // the solved screen has said so: no box
    return;
  }
  const std::int32_t next = s_.puzzle.NextLevelIndex();
  if (next == -1) {
    EnterMenu(true);
    return;
  }
  s_.effects.ShowMessage(PasswordMessage(s_.levels[static_cast<std::size_t>(next)].password));
  launcher_.StartLevel(next);
}

void ScreenFlow::FailedPenDown(Point p) {
  if (!PtInRect(ItemRect(s_.layout, kItemRetry), p)) return;
  s_.effects.PlaySound(Sound::kButton);
  play_.Restart();
}

void ScreenFlow::LeaveGeneratedLevel() {
  if (s_.testPlay && s_.endTestPlay) {
    s_.endTestPlay();
    return;
  }
  EnterMenu(true);
  // Back to the chooser, at the entry just played, when the layout has one.
  if (!s_.generated) return;
  switch (s_.generated->kind) {
    case GeneratedLevelChoice::Kind::kDaily: OpenChooser(0); break;
    case GeneratedLevelChoice::Kind::kRandom: OpenChooser(s_.generated->grade); break;
    case GeneratedLevelChoice::Kind::kShared: OpenChooser(); break;  // it has no entry of its own
  }
}

// ---- the level chooser -------------------------------------------------------

void ScreenFlow::OpenChooser(std::optional<std::int32_t> at) {
  if (!HasExtras()) return;
  if (launcher_.source()) chooser_.SetToday(launcher_.source()->Today());
  chooser_.SetOwnTitles(s_.ownLevels ? s_.ownLevels->List() : std::vector<std::wstring>{});
  std::int32_t entry = -1;
  if (at) {
    entry = *at;
  } else if (const std::int32_t inPlay = s_.recorder ? s_.recorder->LevelInPlay() : -1;
             inPlay != -1) {
    entry = chooser_.EntryOfLevel(inPlay);
  }
  for (std::int32_t e = 0; entry == -1 && e < chooser_.EntryCount(); ++e) {
    if (chooser_.LevelOf(e) != -1 && chooser_.StateOf(e) != EntryState::kSolved) entry = e;
  }
  s_.state.chooserEntry = std::clamp(entry, 0, std::max(chooser_.EntryCount() - 1, 0));
  s_.state.hoveredButton = -1;
  s_.SetMode(MODE_LEVELS);
  s_.effects.InvalidateAll();
}

bool ScreenFlow::TakeChooserPress() { return std::exchange(chooserPressed_, false); }

void ScreenFlow::ChooserHighlight(std::int32_t entry) {
  const std::int32_t last = std::max(chooser_.EntryCount() - 1, 0);
  s_.state.chooserEntry = std::clamp(entry, 0, last);
  s_.effects.InvalidateAll();  // the rows, the line below and perhaps the page
}

void ScreenFlow::ChooserStart(std::int32_t entry) {
  if (!chooser_.Startable(entry)) return;
  s_.state.chooserEntry = entry;
  if (chooser_.IsCreate(entry)) {
    if (s_.openEditor) s_.openEditor(nullptr, -1);
    return;
  }
  if (const std::int32_t own = chooser_.OwnOf(entry); own != -1) {
    std::vector<LevelRecord> levels =
        s_.ownLevels ? s_.ownLevels->Load() : std::vector<LevelRecord>{};
    if (own < static_cast<std::int32_t>(levels.size()) && s_.openEditor)
      s_.openEditor(&levels[static_cast<std::size_t>(own)], own);
    return;
  }
  if (const std::optional<GeneratedLevelChoice> choice = chooser_.GeneratedOf(entry)) {
    if (choice->kind == GeneratedLevelChoice::Kind::kRandom) launcher_.ChooseGrade(choice->grade);
    launcher_.StartGenerated(*choice);
    return;
  }
  // A level with a kept board goes on from it, history and all.
  launcher_.StartLevel(chooser_.LevelOf(entry), LevelLauncher::Start::kResume);
}

void ScreenFlow::ChooserPenUp(Point p) {
  const Layout& layout = s_.layout;
  const std::int32_t page = s_.state.chooserEntry / LevelChooser::kRowsPerPage;
  const Rect list = ItemRect(layout, kItemChooserList);
  if (HasCodes() && PtInRect(ItemRect(layout, kItemChooserShare), p)) {
    Share();
  } else if (HasCodes() && PtInRect(ItemRect(layout, kItemChooserCode), p)) {
    OpenCodeEntry();
  } else if (PtInRect(ItemRect(layout, kItemChooserBack), p)) {
    EnterMenu(true);
  } else if (PtInRect(ItemRect(layout, kItemChooserPrev), p)) {
    if (page > 0) ChooserHighlight((page - 1) * LevelChooser::kRowsPerPage);
  } else if (PtInRect(ItemRect(layout, kItemChooserNext), p)) {
    if (page + 1 < chooser_.PageCount()) ChooserHighlight((page + 1) * LevelChooser::kRowsPerPage);
  } else if (PtInRect(list, p)) {
    const std::int32_t row =
        (p.y - list.top) / LevelChooser::kRowHeight;  // clamped points: no overflow
    if (row >= LevelChooser::kRowsPerPage) return;
    const std::int32_t entry = page * LevelChooser::kRowsPerPage + row;
    if (entry >= chooser_.EntryCount()) return;
    if (chooser_.Startable(entry)) {
      ChooserStart(entry);
    } else {
      ChooserHighlight(entry);  // a locked entry: the line below says why
    }
  }
}

void ScreenFlow::ChooserCursorKey(std::int32_t dx, std::int32_t dy) {
  const std::int32_t entry = s_.state.chooserEntry;
  if (dx != 0) {
    // Left and Right turn the page, keeping the row.
    const std::int32_t to = entry + dx * LevelChooser::kRowsPerPage;
    if (to >= 0 && to < chooser_.EntryCount()) {
      ChooserHighlight(to);
    } else if (dx > 0) {
      ChooserHighlight(chooser_.EntryCount() - 1);
    } else {
      ChooserHighlight(0);
    }
    return;
  }
  ChooserHighlight(entry + dy);
}

}  // namespace qw
