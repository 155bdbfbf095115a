#include "progress/progress_recorder.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace qw {

namespace {

std::int32_t PiecesOnBoard(const Puzzle& puzzle) {
  return static_cast<std::int32_t>(std::count_if(puzzle.board().begin(), puzzle.board().end(),
                                                 [](const Cell& c) { return IsPipePiece(c); }));
}

std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b) {
  const std::int64_t sum = std::int64_t{a} + std::max<std::int64_t>(b, 0);
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

SavedCell SaveCell(const Cell& cell) {
  if (cell.kind == KIND_EMPTY) return SavedCell{};
  return SavedCell{KindCode(cell.kind), cell.variant};
}

ProgressRecorder::ProgressRecorder(const std::vector<LevelRecord>& levels, Progress progress,
                                   ProgressSink* sink, Clock clock)
    : levels_(levels), progress_(std::move(progress)), sink_(sink), clock_(std::move(clock)) {
  keys_.reserve(levels_.size());
  for (const LevelRecord& level : levels_) keys_.push_back(KeyOfLevel(level));
}

void ProgressRecorder::Capture(const Puzzle& puzzle, const History& history, bool wholeHistory) {
  SavedPlay& play = *progress_.play;
  for (std::size_t i = 0; i < play.tray.size(); ++i) play.tray[i] = SaveCell(puzzle.tray()[i]);
  // The record numbers cells 10 * row + column; the puzzle keeps column-major.
  for (std::int32_t row = 0; row < kBoardSize; ++row) {
    for (std::int32_t col = 0; col < kBoardSize; ++col) {
      play.board[static_cast<std::size_t>(row * kBoardSize + col)] =
          SaveCell(*puzzle.BoardCell(col, row));
    }
  }
  play.hints = history.hintsUsed();
  if (!wholeHistory) return;
  play.undo.clear();
  for (const Step& step : history.Steps()) play.undo.push_back(StepText(step));
  play.redo.clear();
  for (const Step& step : history.RedoSteps()) play.redo.push_back(StepText(step));
}

std::optional<SavedPlay> ProgressRecorder::BringIntoPlay(LevelKey level) {
  if (progress_.play && progress_.play->level == level)
    return std::exchange(progress_.play, std::nullopt);
  // The level played until now keeps its board, the most recent of the kept.
  if (progress_.play) progress_.kept.insert(progress_.kept.begin(), std::move(*progress_.play));
  progress_.play.reset();
  std::vector<SavedPlay>& kept = progress_.kept;
  const auto it =
      std::find_if(kept.begin(), kept.end(), [&](const SavedPlay& b) { return b.level == level; });
  if (it == kept.end()) return std::nullopt;
  SavedPlay board = std::move(*it);
  kept.erase(it);
  return board;
}

void ProgressRecorder::LevelStarted(const Puzzle& puzzle, const History& history, bool byPassword) {
  const auto index = static_cast<std::size_t>(puzzle.currentLevel());
  StopClock();
  // A generated level is not in the table: the table's level in play stays
  // as it was, untouched by what happens on the generated one.
  tracking_ = index < keys_.size();
  if (!tracking_) return;
  if (byPassword) opened_.insert(puzzle.currentLevel());
  BringIntoPlay(keys_[index]);  // its kept board, if any, is replaced
  progress_.play = SavedPlay{};
  progress_.play->level = keys_[index];
  Capture(puzzle, history, true);
  Hand();
}

void ProgressRecorder::LevelResumed(const Puzzle& puzzle, const History& history, bool byPassword) {
  const auto index = static_cast<std::size_t>(puzzle.currentLevel());
  if (index >= keys_.size()) return;
  StopClock();
  std::optional<SavedPlay> board = BringIntoPlay(keys_[index]);
  if (!board) {
    board = SavedPlay{};
    board->level = keys_[index];
  }
  progress_.play = std::move(board);
  tracking_ = true;
  if (byPassword) opened_.insert(puzzle.currentLevel());
  Capture(puzzle, history, true);
  Hand();
}

void ProgressRecorder::StepMade(const Puzzle& puzzle, const History& history, const Step& step) {
  if (!progress_.play || !tracking_) return;
  progress_.play->undo.push_back(StepText(step));
  progress_.play->redo.clear();
  Changed(puzzle, history);
}

void ProgressRecorder::StepTakenBack(const Puzzle& puzzle, const History& history, bool redo) {
  if (!progress_.play || !tracking_) return;
  std::vector<std::string>& undo = progress_.play->undo;
  std::vector<std::string>& redoList = progress_.play->redo;  // the next redo first
  if (redo && !redoList.empty()) {
    undo.push_back(std::move(redoList.front()));
    redoList.erase(redoList.begin());
  } else if (!redo && !undo.empty()) {
    redoList.insert(redoList.begin(), std::move(undo.back()));
    undo.pop_back();
  }
  Changed(puzzle, history);
}

void ProgressRecorder::Changed(const Puzzle& puzzle, const History& history) {
  progress_.play->steps = SaturatingAdd(progress_.play->steps, 1);
  Capture(puzzle, history, false);
  Hand();
}

LevelBest ProgressRecorder::LevelSolved(const Puzzle& puzzle, const History& history) {
  const auto index = static_cast<std::size_t>(puzzle.currentLevel());
  if (index >= keys_.size()) return LevelBest{};
  // Solved again by an undo after a restart: the best as it stands.
  if (!tracking_) return Best(static_cast<std::int32_t>(index)).value_or(LevelBest{});
  tracking_ = false;
  const std::int32_t steps = progress_.play ? progress_.play->steps : 0;
  const LevelBest run{PiecesOnBoard(puzzle), steps, history.hintsUsed(), PlayedMs()};
  runningSince_.reset();
  RecordSolved(progress_, keys_[index], run);
  progress_.play.reset();  // a solved level is no longer in play
  Hand();
  return progress_.solved[keys_[index]];
}

std::int32_t ProgressRecorder::PlayedMs() const {
  if (!progress_.play) return 0;
  const std::int32_t saved = progress_.play->timeMs;
  if (!runningSince_) return saved;
  return SaturatingAdd(saved, clock_() - *runningSince_);
}

void ProgressRecorder::StopClock() {
  if (progress_.play) progress_.play->timeMs = PlayedMs();
  runningSince_.reset();
}

void ProgressRecorder::SetClockRunning(bool running) {
  running = running && tracking_;
  if (running == runningSince_.has_value()) return;
  if (running) {
    if (progress_.play) runningSince_ = clock_();
  } else {
    StopClock();
  }
}

void ProgressRecorder::SaveNow() {
  if (runningSince_) {
    StopClock();
    runningSince_ = clock_();
  }
  Hand();
}

void ProgressRecorder::WindowChosen(std::int32_t scale, bool fullscreen) {
  progress_.scale = std::clamp(scale, 0, kMaxSavedScale);
  progress_.fullscreen = fullscreen;
}

void ProgressRecorder::AnimationChosen(SavedAnimation animation) {
  progress_.animation = animation;
  Hand();
}

void ProgressRecorder::VolumeChosen(std::int32_t volume) {
  progress_.volume = std::clamp(volume, 0, 100);
  Hand();
}

void ProgressRecorder::MuteChosen(bool mute) {
  progress_.mute = mute;
  Hand();
}

void ProgressRecorder::ThemeChosen(ThemeId theme) {
  progress_.theme = theme;
  Hand();
}

void ProgressRecorder::DailySolved(std::int64_t day) {
  RecordDailySolved(progress_, day);
  Hand();
}

void ProgressRecorder::Hand() {
  TrimKeptBoards(progress_);
  if (sink_) sink_->Save(progress_);
}

std::int32_t ProgressRecorder::LevelInPlay() const {
  if (!progress_.play) return -1;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == progress_.play->level) return static_cast<std::int32_t>(i);
  }
  return -1;
}

const SavedPlay* ProgressRecorder::KeptBoard(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= keys_.size()) return nullptr;
  const LevelKey key = keys_[static_cast<std::size_t>(index)];
  if (progress_.play && progress_.play->level == key) return &*progress_.play;
  for (const SavedPlay& board : progress_.kept) {
    if (board.level == key) return &board;
  }
  return nullptr;
}

bool ProgressRecorder::IsSolved(std::int32_t index) const { return Best(index).has_value(); }

std::optional<LevelBest> ProgressRecorder::Best(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= keys_.size()) return std::nullopt;
  const auto it = progress_.solved.find(keys_[static_cast<std::size_t>(index)]);
  if (it == progress_.solved.end()) return std::nullopt;
  return it->second;
}

bool RestorePlay(Puzzle& puzzle, History& history, std::int32_t index, const SavedPlay& saved) {
  auto fresh = [&] {
    puzzle.StartLevel(index);
    history.Clear();
    return false;
  };
  if (!puzzle.StartLevel(index)) return false;
  history.Clear();
  for (const std::string& text : saved.undo) {
    const std::optional<Step> step = ParseStep(text);
    if (!step || !history.Apply(puzzle, *step)) return fresh();
  }
  for (const std::string& text : saved.redo) {
    const std::optional<Step> step = ParseStep(text);
    if (!step || !history.Apply(puzzle, *step)) return fresh();
  }
  for (std::size_t i = 0; i < saved.redo.size(); ++i) {
    if (!history.Undo(puzzle)) return fresh();
  }
  for (std::size_t i = 0; i < saved.tray.size(); ++i) {
    if (SaveCell(puzzle.tray()[i]) != saved.tray[i]) return fresh();
  }
  for (std::int32_t row = 0; row < kBoardSize; ++row) {
    for (std::int32_t col = 0; col < kBoardSize; ++col) {
      if (SaveCell(*puzzle.BoardCell(col, row)) !=
          saved.board[static_cast<std::size_t>(row * kBoardSize + col)]) {
        return fresh();
      }
    }
  }
  history.SetHintsUsed(std::max(saved.hints, 0));
  puzzle.Select(kNoPosition);
  return true;
}

}  // namespace qw
