// The controller's way to levels beyond the next one: Continue, the level
// chooser and the levels the game makes (daily puzzle, random levels), and
// the progress recorded as the puzzle changes.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "data/layout_items.h"
#include "ui/controller.h"

namespace qw {

void GameController::Recorded() {
  if (recorder_) recorder_->PuzzleChanged(puzzle_, history_);
}

void GameController::DropSolvedBest() { state_.solvedBest.clear(); }

void GameController::ContinueLevel() {
  if (!recorder_ || !recorder_->play()) return;
  const std::int32_t index = recorder_->LevelInPlay();
  if (index == -1) return;
  const SavedPlay saved = *recorder_->play();
  DropSolvedBest();
  const bool restored = RestorePlay(puzzle_, history_, index, saved);
  generated_.reset();
  if (hints_) hints_->LevelStarted(puzzle_);
  if (restored) {
    recorder_->LevelResumed(puzzle_, history_);
  } else {
    recorder_->LevelStarted(puzzle_, history_, false);  // the saved steps do not fit: afresh
  }
  state_.hoveredButton = -1;
  ShowPlay();  // a level left lost shows the failed screen again
}

void GameController::OpenChooser(std::optional<std::int32_t> at) {
  if (!HasExtras()) return;
  if (generatedSource_) chooser_.SetToday(generatedSource_->Today());
  std::int32_t entry = -1;
  if (at) {
    entry = *at;
  } else if (const std::int32_t inPlay = recorder_ ? recorder_->LevelInPlay() : -1; inPlay != -1) {
    entry = chooser_.EntryOfLevel(inPlay);
  }
  for (std::int32_t e = 0; entry == -1 && e < chooser_.EntryCount(); ++e) {
    if (chooser_.LevelOf(e) != -1 && chooser_.StateOf(e) != EntryState::kSolved) entry = e;
  }
  state_.chooserEntry = std::clamp(entry, 0, std::max(chooser_.EntryCount() - 1, 0));
  state_.hoveredButton = -1;
  state_.screenMode = MODE_LEVELS;
  effects_.InvalidateAll();
}

void GameController::ChooserHighlight(std::int32_t entry) {
  const std::int32_t last = std::max(chooser_.EntryCount() - 1, 0);
  state_.chooserEntry = std::clamp(entry, 0, last);
  effects_.InvalidateAll();  // the rows, the line below and perhaps the page
}

void GameController::ChooserStart(std::int32_t entry) {
  if (!chooser_.Startable(entry)) return;
  state_.chooserEntry = entry;
  if (const std::optional<GeneratedLevelChoice> choice = chooser_.GeneratedOf(entry)) {
    if (choice->kind == GeneratedLevelChoice::Kind::kRandom) randomGrade_ = choice->grade;
    StartGeneratedLevel(*choice);
    return;
  }
  StartLevel(chooser_.LevelOf(entry));
}

void GameController::ChooserPenUp(Point p) {
  const std::int32_t page = state_.chooserEntry / LevelChooser::kRowsPerPage;
  const Rect list = ItemRect(layout_, kItemChooserList);
  if (PtInRect(ItemRect(layout_, kItemChooserBack), p)) {
    EnterMenu(true);
  } else if (PtInRect(ItemRect(layout_, kItemChooserPrev), p)) {
    if (page > 0) ChooserHighlight((page - 1) * LevelChooser::kRowsPerPage);
  } else if (PtInRect(ItemRect(layout_, kItemChooserNext), p)) {
    if (page + 1 < chooser_.PageCount()) ChooserHighlight((page + 1) * LevelChooser::kRowsPerPage);
  } else if (PtInRect(list, p)) {
    const std::int32_t row = (p.y - list.top) / LevelChooser::kRowHeight;  // clamped points: no overflow
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

void GameController::ChooserCursorKey(std::int32_t dx, std::int32_t dy) {
  const std::int32_t entry = state_.chooserEntry;
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

void GameController::MenuCursorKey(std::int32_t dx, std::int32_t dy) {
  const std::int32_t from = state_.hoveredButton;
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
  if (from != -1) effects_.InvalidateRect(MenuButtonRect(from));
  state_.hoveredButton = to;
  effects_.InvalidateRect(MenuButtonRect(to));
}

// ---- generated levels -----------------------------------------------------

bool GameController::StartGeneratedLevel(const GeneratedLevelChoice& choice) {
  if (!generatedSource_) return false;
  GeneratedLevelChoice made = choice;
  std::optional<LevelRecord> level;
  if (choice.kind == GeneratedLevelChoice::Kind::kShared) {
    level = choice.shared;
  } else if (choice.kind == GeneratedLevelChoice::Kind::kDaily) {
    if (!made.day) made.day = generatedSource_->Today();
    level = generatedSource_->DailyLevel(*made.day);
  } else {
    if (choice.grade < kEasiestGrade || choice.grade > kHardestGrade) return false;
    if (!made.seed) made.seed = generatedSource_->NewSeed();
    level = generatedSource_->RandomLevel(*made.seed, made.grade);
  }
  if (!level) return false;
  puzzle_.StartLevel(*level);
  generated_ = made;
  BeginPlay(Start::kFresh);
  return true;
}

void GameController::OnDailyKey() {
  if (state_.screenMode == MODE_MENU) StartGeneratedLevel(GeneratedLevelChoice::Daily());
}

void GameController::OnRandomKey(std::int32_t grade) {
  if (state_.screenMode != MODE_MENU) return;
  if (grade >= kEasiestGrade && grade <= kHardestGrade) randomGrade_ = grade;
  StartGeneratedLevel(GeneratedLevelChoice::Random(randomGrade_));
}

void GameController::LeaveGeneratedLevel() {
  EnterMenu(true);
  // Back to the chooser, at the entry just played, when the layout has one.
  if (!generated_) return;
  switch (generated_->kind) {
    case GeneratedLevelChoice::Kind::kDaily: OpenChooser(0); break;
    case GeneratedLevelChoice::Kind::kRandom: OpenChooser(generated_->grade); break;
    case GeneratedLevelChoice::Kind::kShared: OpenChooser(); break;  // it has no entry of its own
  }
}

}  // namespace qw
