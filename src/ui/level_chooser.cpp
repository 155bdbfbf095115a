#include "ui/level_chooser.h"

#include <algorithm>

#include "ui/progress_recorder.h"

namespace qw {

namespace {

std::wstring Count(std::optional<std::int32_t> n) { return n ? std::to_wstring(*n) : std::wstring(L"-"); }

// Titles are the level file's words: anything below a space shows as one.
std::wstring Printable(const std::wstring& text) {
  std::wstring out = text;
  std::replace_if(out.begin(), out.end(), [](wchar_t c) { return c < L' ' || c == 0x7f; }, L' ');
  return out;
}

}  // namespace

std::int32_t LevelChooser::LevelOf(std::int32_t entry) const {
  return entry >= front_ && entry < EntryCount() ? entry - front_ : -1;
}

std::optional<GeneratedLevelChoice> LevelChooser::GeneratedOf(std::int32_t entry) const {
  if (entry < 0 || entry >= front_) return std::nullopt;
  if (entry == 0) return GeneratedLevelChoice::Daily(today_);
  return GeneratedLevelChoice::Random(kEasiestGrade + entry - 1);
}

bool LevelChooser::DailySolvedToday() const {
  return recorder_ && recorder_->progress().dailySolved.count(today_) > 0;
}

std::wstring LevelChooser::GeneratedDetail(const GeneratedLevelChoice& choice) const {
  if (choice.kind == GeneratedLevelChoice::Kind::kRandom) return L"A new level every time";
  const std::int32_t streak = recorder_ ? DailyStreak(recorder_->progress(), today_) : 0;
  std::wstring text = DailySolvedToday() ? L"Solved today" : L"A new level every day";
  if (streak > 0) text += L"; streak " + std::to_wstring(streak) + (streak == 1 ? L" day" : L" days");
  return text;
}

EntryState LevelChooser::StateOf(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry)) {
    const bool daily = choice->kind == GeneratedLevelChoice::Kind::kDaily;
    return daily && DailySolvedToday() ? EntryState::kSolved : EntryState::kOpen;
  }
  const std::int32_t level = LevelOf(entry);
  if (level == -1) return EntryState::kLocked;
  if (!recorder_) return level == 0 ? EntryState::kOpen : EntryState::kLocked;
  if (recorder_->IsSolved(level)) return EntryState::kSolved;
  const bool open = level == 0 || recorder_->IsSolved(level - 1) || recorder_->LevelInPlay() == level ||
                    recorder_->OpenedByPassword(level);
  return open ? EntryState::kOpen : EntryState::kLocked;
}

std::optional<LevelBest> LevelChooser::BestOf(std::int32_t entry) const {
  const std::int32_t level = LevelOf(entry);
  if (level == -1 || !recorder_) return std::nullopt;
  return recorder_->Best(level);
}

std::wstring LevelChooser::RowText(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry)) {
    if (choice->kind == GeneratedLevelChoice::Kind::kDaily) return L"Daily puzzle";
    return L"Random level, grade " + std::to_wstring(choice->grade);
  }
  const std::int32_t level = LevelOf(entry);
  if (level == -1) return std::wstring();
  return std::to_wstring(level + 1) + L"  " + Printable(levels_[static_cast<std::size_t>(level)].title);
}

std::wstring LevelChooser::RowBest(std::int32_t entry) const {
  const std::optional<LevelBest> best = BestOf(entry);
  if (!best) return std::wstring();
  return Count(best->pieces) + L" pc " + TimeText(best->timeMs);
}

std::wstring LevelChooser::DetailText(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry)) return GeneratedDetail(*choice);
  switch (StateOf(entry)) {
    case EntryState::kSolved: return BestText(BestOf(entry).value_or(LevelBest{}));
    case EntryState::kOpen:
      return recorder_ && recorder_->LevelInPlay() == LevelOf(entry) ? L"In play: Continue on the menu"
                                                                    : L"Not solved yet";
    case EntryState::kLocked: break;
  }
  return L"Locked: solve the level before it";
}

std::wstring LevelChooser::PageText(std::int32_t page) const {
  return L"Page " + std::to_wstring(page + 1) + L"/" + std::to_wstring(PageCount());
}

std::wstring TimeText(std::optional<std::int32_t> ms) {
  if (!ms) return L"-";
  const std::int32_t seconds = *ms / 1000;
  const std::int32_t s = seconds % 60;
  return std::to_wstring(seconds / 60) + (s < 10 ? L":0" : L":") + std::to_wstring(s);
}

std::wstring BestText(const LevelBest& best) {
  auto counted = [](std::optional<std::int32_t> n, const wchar_t* one, const wchar_t* many) {
    return Count(n) + (n == 1 ? one : many);
  };
  return L"Best: " + counted(best.pieces, L" piece, ", L" pieces, ") + counted(best.steps, L" step, ", L" steps, ") +
         counted(best.hints, L" hint, ", L" hints, ") + TimeText(best.timeMs);
}

}  // namespace qw
