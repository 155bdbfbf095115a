// The level chooser's entries: every level with its number and title, a
// solved mark and the player's best, in pages of ten rows. The solved
// levels, the first level, every level after a solved one (its password was
// shown when that one was solved), the level in play and the levels opened by
// their password in this run can be started; the others are locked.
//
// Entries are a list of their own, not the level table. When the game can
// make levels, six entries come before the levels: the daily puzzle (solved
// today or not; the line below tells the streak) and a random level of each
// grade, 1 to 5; they are never locked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/levels.h"
#include "data/progress.h"
#include "ui/generated_levels.h"

namespace qw {

class ProgressRecorder;

enum class EntryState : std::uint8_t { kLocked, kOpen, kSolved };

class LevelChooser {
 public:
  static constexpr std::int32_t kRowsPerPage = 10;
  static constexpr std::int32_t kRowHeight = 20;  // item 31 holds ten rows

  explicit LevelChooser(const std::vector<LevelRecord>& levels) : levels_(levels) {}
  // Where solved levels and bests come from; none: nothing is solved and only
  // the first level is open. Must outlive the chooser.
  void SetRecorder(const ProgressRecorder* recorder) { recorder_ = recorder; }

  // Whether the daily puzzle and random levels are offered.
  void ShowGenerated(bool shown) { front_ = shown ? kGeneratedEntries : 0; }
  // Today in UTC, days since 1970-01-01: which daily puzzle is today's.
  void SetToday(std::int64_t day) { today_ = day; }

  std::int32_t EntryCount() const {
    return front_ + static_cast<std::int32_t>(levels_.size() + ownTitles_.size()) +
           (createShown_ ? 1 : 0);
  }
  // Whether the last entry is Create level, which opens a new level in the
  // editor (a layout with the editor's items).
  void ShowCreate(bool shown) { createShown_ = shown; }
  bool IsCreate(std::int32_t entry) const { return createShown_ && entry == EntryCount() - 1; }
  // The titles of the player's own levels, listed after the table's.
  void SetOwnTitles(std::vector<std::wstring> titles) { ownTitles_ = std::move(titles); }
  // The own level an entry opens in the editor, or -1.
  std::int32_t OwnOf(std::int32_t entry) const;
  // The entry of a level of the table.
  std::int32_t EntryOfLevel(std::int32_t level) const { return front_ + level; }
  // The generated level an entry starts, if it is one of the front entries.
  std::optional<GeneratedLevelChoice> GeneratedOf(std::int32_t entry) const;
  std::int32_t PageCount() const {
    return std::max<std::int32_t>(1, (EntryCount() + kRowsPerPage - 1) / kRowsPerPage);
  }
  // The level an entry starts, or -1.
  std::int32_t LevelOf(std::int32_t entry) const;
  EntryState StateOf(std::int32_t entry) const;
  bool Startable(std::int32_t entry) const {
    return (LevelOf(entry) != -1 || GeneratedOf(entry) || OwnOf(entry) != -1 || IsCreate(entry)) &&
           StateOf(entry) != EntryState::kLocked;
  }
  std::optional<LevelBest> BestOf(std::int32_t entry) const;

  // "12  Between corners": the number counted from 1 and the title.
  std::wstring RowText(std::int32_t entry) const;
  // A solved entry's best pieces and time, short: "3 pieces 0:41"; else empty.
  std::wstring RowBest(std::int32_t entry) const;
  // The line under the list for the highlighted entry.
  std::wstring DetailText(std::int32_t entry) const;
  // "Page 1/4".
  std::wstring PageText(std::int32_t page) const;

 private:
  static constexpr std::int32_t kGeneratedEntries = 1 + kHardestGrade - kEasiestGrade + 1;
  bool DailySolvedToday() const;
  std::wstring GeneratedDetail(const GeneratedLevelChoice& choice) const;

  const std::vector<LevelRecord>& levels_;
  const ProgressRecorder* recorder_ = nullptr;
  std::int32_t front_ = 0;  // entries before the levels
  std::int64_t today_ = 0;
  std::vector<std::wstring> ownTitles_;
  bool createShown_ = false;
};

}  // namespace qw
