#include "ui/level_chooser.h"

#include <algorithm>

#include "progress/progress_recorder.h"
#include "ui/game_texts.h"

namespace qw {

std::int32_t LevelChooser::LevelOf(std::int32_t entry) const {
  const std::int32_t end = front_ + static_cast<std::int32_t>(levels_.size());
  return entry >= front_ && entry < end ? entry - front_ : -1;
}

std::int32_t LevelChooser::OwnOf(std::int32_t entry) const {
  const std::int32_t first = front_ + static_cast<std::int32_t>(levels_.size());
  return entry >= first && entry < first + static_cast<std::int32_t>(ownTitles_.size())
             ? entry - first
             : -1;
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
  if (choice.kind == GeneratedLevelChoice::Kind::kRandom) return kRandomDetail;
  return DailyDetail(DailySolvedToday(),
                     recorder_ ? DailyStreak(recorder_->progress(), today_) : 0);
}

EntryState LevelChooser::StateOf(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry)) {
    const bool daily = choice->kind == GeneratedLevelChoice::Kind::kDaily;
    return daily && DailySolvedToday() ? EntryState::kSolved : EntryState::kOpen;
  }
  if (OwnOf(entry) != -1 || IsCreate(entry)) return EntryState::kOpen;
  const std::int32_t level = LevelOf(entry);
  if (level == -1) return EntryState::kLocked;
  if (!recorder_) return level == 0 ? EntryState::kOpen : EntryState::kLocked;
  if (recorder_->IsSolved(level)) return EntryState::kSolved;
  const bool open = level == 0 || recorder_->IsSolved(level - 1) ||
                    recorder_->KeptBoard(level) != nullptr || recorder_->OpenedByPassword(level);
  return open ? EntryState::kOpen : EntryState::kLocked;
}

std::optional<LevelBest> LevelChooser::BestOf(std::int32_t entry) const {
  const std::int32_t level = LevelOf(entry);
  if (level == -1 || !recorder_) return std::nullopt;
  return recorder_->Best(level);
}

std::wstring LevelChooser::RowText(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry)) {
    return choice->kind == GeneratedLevelChoice::Kind::kDaily ? kDailyRow
                                                              : RandomRowText(choice->grade);
  }
  if (IsCreate(entry)) return kCreateRow;
  if (const std::int32_t own = OwnOf(entry); own != -1)
    return kOwnRowPrefix + ownTitles_[static_cast<std::size_t>(own)];
  const std::int32_t level = LevelOf(entry);
  if (level == -1) return std::wstring();
  return LevelRowText(level, levels_[static_cast<std::size_t>(level)].title);
}

std::wstring LevelChooser::RowBest(std::int32_t entry) const {
  const std::optional<LevelBest> best = BestOf(entry);
  if (!best) return std::wstring();
  return ShortBestText(*best);
}

std::wstring LevelChooser::DetailText(std::int32_t entry) const {
  if (const std::optional<GeneratedLevelChoice> choice = GeneratedOf(entry))
    return GeneratedDetail(*choice);
  if (OwnOf(entry) != -1) return kOwnDetail;
  if (IsCreate(entry)) return kCreateDetail;
  switch (StateOf(entry)) {
    case EntryState::kSolved: return BestText(BestOf(entry).value_or(LevelBest{}));
    case EntryState::kOpen:
      if (recorder_ && recorder_->LevelInPlay() == LevelOf(entry)) return kInPlayDetail;
      return recorder_ && recorder_->KeptBoard(LevelOf(entry)) ? kKeptDetail : kNotSolvedDetail;
    case EntryState::kLocked: break;
  }
  return kLockedDetail;
}

std::wstring LevelChooser::PageText(std::int32_t page) const {
  return qw::PageText(page, PageCount());
}

}  // namespace qw
