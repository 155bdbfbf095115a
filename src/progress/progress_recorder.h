// Keeps the player's progress up to date while the game is played: the level
// in play with its tray, board, history and counters after every step, and a
// solved level's best. Each change is handed to a sink (the saver) at once;
// the recorder itself knows nothing of files.
//
// What it counts:
// - steps: every change the player makes to the puzzle: a drop that moves a
//   piece, a turn, a restart, a hint's step, an undo and a redo;
// - hints: the hints used in the level (an undone hint still counts);
// - time: milliseconds while the play screen shows with no message box over
//   it; the menu, the chooser, the password screen and the outcome screens
//   do not count.
// Every level of the table keeps its own board: starting another level
// keeps the board of the level in play, the most recent of the kept boards,
// and the level started becomes the one in play (Continue returns to it). A
// solved level is no longer in play and keeps no board. Generated levels
// keep none and leave the level in play as it is.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/levels.h"
#include "data/progress.h"
#include "model/history.h"
#include "model/puzzle.h"

namespace qw {

// Where the recorded progress goes after every change.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // Takes a copy and returns quickly.
  virtual void Save(const Progress& progress) = 0;
  // True once when saving has started to fail; again only after a save has
  // succeeded in between.
  virtual bool TakeFailure() { return false; }
};

class ProgressRecorder {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds since any fixed start

  // levels must outlive the recorder; sink may be null (progress kept for
  // this run only).
  ProgressRecorder(const std::vector<LevelRecord>& levels, Progress progress, ProgressSink* sink,
                   Clock clock);

  // A level has been set up afresh (its kept board, if any, is dropped);
  // byPassword: the player typed its password, which opens it in the chooser.
  void LevelStarted(const Puzzle& puzzle, const History& history, bool byPassword);
  // A level was brought back as its kept board was saved (Continue, the
  // chooser): it becomes the level in play, its counters going on.
  void LevelResumed(const Puzzle& puzzle, const History& history, bool byPassword = false);
  // A step changed the puzzle: it is appended to the saved history.
  void StepMade(const Puzzle& puzzle, const History& history, const Step& step);
  // An undo (or, for redo, a redo) changed the puzzle: the saved step moves
  // between the saved undo and redo lists.
  void StepTakenBack(const Puzzle& puzzle, const History& history, bool redo);
  // The level in play is solved: its best is recorded and it is no longer in
  // play. Returns the level's best after this run.
  LevelBest LevelSolved(const Puzzle& puzzle, const History& history);
  // The window's scale and whether it is fullscreen, for the next start;
  // kept with the next hand-over.
  void WindowChosen(std::int32_t scale, bool fullscreen);
  // The player's settings, each kept as soon as it changes.
  void AnimationChosen(SavedAnimation animation);
  void VolumeChosen(std::int32_t volume);
  void MuteChosen(bool mute);
  void ThemeChosen(ThemeId theme);
  // The daily puzzle of this day (days since 1970-01-01) is solved.
  void DailySolved(std::int64_t day);
  // Whether play time runs now (play screen, no message box).
  void SetClockRunning(bool running);
  // Hands the record over once more, with the time played so far (the game
  // is closing).
  void SaveNow();

  // The level in play: its index in this level table, or -1 when there is
  // none (or its key names no level of this table).
  std::int32_t LevelInPlay() const;
  const std::optional<SavedPlay>& play() const { return progress_.play; }
  // The kept board of a level of the table (the one in play included), or
  // null when it has none.
  const SavedPlay* KeptBoard(std::int32_t index) const;
  bool IsSolved(std::int32_t index) const;
  std::optional<LevelBest> Best(std::int32_t index) const;
  // Opened in this run by its password.
  bool OpenedByPassword(std::int32_t index) const { return opened_.count(index) > 0; }
  const Progress& progress() const { return progress_; }
  // The counters of the level in play, the time up to now.
  std::int32_t steps() const { return progress_.play ? progress_.play->steps : 0; }
  std::int32_t PlayedMs() const;
  // True once after saving began to fail.
  bool TakeSaveFailure() { return sink_ && sink_->TakeFailure(); }

 private:
  // The tray, board and counters as they stand; the whole history when
  // `history` is given (a level set up or brought back).
  void Capture(const Puzzle& puzzle, const History& history, bool wholeHistory);
  // Makes room for the level to come into play: the level in play until now
  // joins the kept boards; the level's own board is taken out of them (or
  // out of play) and returned.
  std::optional<SavedPlay> BringIntoPlay(LevelKey level);
  // Counts a step of the level in play and hands the record over.
  void Changed(const Puzzle& puzzle, const History& history);
  void StopClock();
  void Hand();

  const std::vector<LevelRecord>& levels_;
  std::vector<LevelKey> keys_;  // of each level, by index
  Progress progress_;
  ProgressSink* sink_;
  Clock clock_;
  std::optional<std::int64_t> runningSince_;
  // The puzzle shows the recorded level in play (not a generated level, not
  // a solved one): its steps and time count.
  bool tracking_ = false;
  std::set<std::int32_t> opened_;
};

// A tray slot or board cell as the progress record writes it.
SavedCell SaveCell(const Cell& cell);

// Brings a saved level in play back onto the puzzle: the level set up, the
// saved undo steps made again and the redo steps made and undone, the hint
// count restored. False, with the level set up afresh and no history, when
// the steps cannot be made or do not end in the saved tray and board.
bool RestorePlay(Puzzle& puzzle, History& history, std::int32_t index, const SavedPlay& saved);

}  // namespace qw
