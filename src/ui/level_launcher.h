// Level launching: a level of the table started afresh (New game, a
// password, the next level), a level brought back as its kept board was left
// (Continue, the chooser), and the levels the game makes (the daily puzzle
// and random levels). Each ends on the play screen. A fresh start of a level
// that has a kept board is a restart step of that board's history, so an
// undo brings the board back; any other start begins a new history.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/generated_levels.h"
#include "ui/session.h"

namespace qw {

class LevelLauncher {
 public:
  explicit LevelLauncher(Session& session) : s_(session) {}

  // How a level came to be started: afresh, afresh by its password, or
  // going on from its kept board (afresh when it has none).
  enum class Start : std::uint8_t { kFresh, kPassword, kResume };
  // Starts level index in play (nothing happens when there is no such
  // level); the toolbar shows.
  void StartLevel(std::int32_t index, Start how = Start::kFresh);
  // The level in play as it was left, history and counters included.
  void Continue();
  // Makes the chosen level (today's daily puzzle, or a fresh seed, when the
  // choice names none) and starts it in play like a table level. False, with
  // nothing changed, without a source or when the level cannot be made.
  bool StartGenerated(const GeneratedLevelChoice& choice);
  // A random level of a grade (1..5) or, for 0, of the grade chosen last.
  void StartRandom(std::int32_t grade);
  // The grade the random-level key plays from now on.
  void ChooseGrade(std::int32_t grade) { randomGrade_ = grade; }

  // Where generated levels come from; none: they cannot be played. Must
  // outlive the launcher.
  void SetSource(GeneratedLevelSource* source) { source_ = source; }
  GeneratedLevelSource* source() const { return source_; }

 private:
  // The level just set up in the puzzle begins: a new history, the hints
  // told, the play screen with the toolbar.
  void BeginPlay(Start how);
  // Brings level index back from its kept board (afresh, when the board no
  // longer fits the level). False, with nothing changed, when it has none.
  bool Resume(std::int32_t index, bool byPassword);

  Session& s_;
  GeneratedLevelSource* source_ = nullptr;
  std::int32_t randomGrade_ = kEasiestGrade;  // the grade the random-level key plays
};

}  // namespace qw
