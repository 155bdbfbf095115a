// The record's own rules: bests that only improve, solved days, the daily
// streak, the limits on kept boards, and what two writers together know.
#include <algorithm>

#include "data/calendar.h"
#include "data/progress.h"

namespace qw {

namespace {

std::size_t HistorySteps(const SavedPlay& play) { return play.undo.size() + play.redo.size(); }

std::optional<std::int32_t> Better(const std::optional<std::int32_t>& a,
                                   const std::optional<std::int32_t>& b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

// Whether the progress holds a board (in play or kept) of the level.
bool HasBoard(const Progress& p, LevelKey level) {
  if (p.play && p.play->level == level) return true;
  return std::any_of(p.kept.begin(), p.kept.end(),
                     [&](const SavedPlay& b) { return b.level == level; });
}

}  // namespace

std::size_t HistorySteps(const Progress& p) {
  std::size_t steps = p.play ? HistorySteps(*p.play) : 0;
  for (const SavedPlay& board : p.kept) steps += HistorySteps(board);
  return steps;
}

void RecordSolved(Progress& p, LevelKey level, const LevelBest& run) {
  LevelBest& best = p.solved[level];
  best.pieces = Better(best.pieces, run.pieces);
  best.steps = Better(best.steps, run.steps);
  best.hints = Better(best.hints, run.hints);
  best.timeMs = Better(best.timeMs, run.timeMs);
}

void RecordDailySolved(Progress& p, std::int64_t day) {
  if (DateOfDay(day)) p.dailySolved.insert(day);
}

std::int32_t DailyStreak(const Progress& p, std::int64_t today) {
  std::int64_t day = p.dailySolved.contains(today) ? today : today - 1;
  std::int32_t streak = 0;
  while (p.dailySolved.contains(day)) {
    ++streak;
    --day;
  }
  return streak;
}

Progress MergeProgress(const Progress& onDisk, const Progress& mine) {
  Progress merged = mine;
  // Like the solved levels, no solved day is dropped.
  merged.dailySolved.insert(onDisk.dailySolved.begin(), onDisk.dailySolved.end());
  for (const auto& [key, best] : onDisk.solved) {
    // A merge never drops a solved level, even past the limit of the format:
    // CheckProgress then refuses to write, which keeps the file as it was.
    RecordSolved(merged, key, best);
  }
  std::vector<const SavedPlay*> theirs;
  if (onDisk.play) theirs.push_back(&*onDisk.play);
  for (const SavedPlay& board : onDisk.kept) theirs.push_back(&board);
  for (const SavedPlay* board : theirs) {
    if (!HasBoard(merged, board->level) && !mine.solved.contains(board->level))
      merged.kept.push_back(*board);
  }
  TrimKeptBoards(merged);
  return merged;
}

void TrimKeptBoards(Progress& p) {
  std::size_t steps = HistorySteps(p);
  while (!p.kept.empty() && (p.kept.size() > kMaxKeptBoards || steps > kMaxHistorySteps)) {
    steps -= HistorySteps(p.kept.back());
    p.kept.pop_back();
  }
}

}  // namespace qw
