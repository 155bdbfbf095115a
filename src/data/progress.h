// The player's progress as a record and as text: the levels solved with the
// player's best for each, the days whose daily puzzle was solved, every
// level's kept board (tray, board, history and counters) with the level
// played last, and the window's scale and fullscreen choice. Levels are known
// by a key computed from their content, so that an edited or reordered
// level file never credits a level that was not solved.
//
// The text, one item a line, each line ending in "\n":
//
//   quenchway-progress 3         versions 1 (without daily lines) and 2
//                                (without kept boards and settings) are read too
//   scale S                      0 (the largest that fits) or 1..16
//   fullscreen F                 0 or 1
//   animation A                  off, normal or fast    (each of these three
//   volume V                     0..100                  may be missing when
//   mute M                       0 or 1                  read: the default)
//   theme NAME                   classic, dark or contrast, only once the
//                                player chose one; any other name reads as
//                                classic
//   solved KEY P S H T           any number of lines: level key, fewest pieces
//                                used, fewest steps, fewest hints, shortest
//                                time in ms; "-" for a best not recorded
//   daily YYYY-MM-DD             any number of lines, ascending: a day whose
//                                daily puzzle was solved
//   play KEY                     the level played last (Continue returns to
//                                it), when there is one, then its block:
//   counters S H T                 steps, hints, ms played so far
//   tray E0 ... E9
//   row0 E ... E                   ten lines row0 ... row9, columns 0 ... 9
//   undo TEXT                      any number: the undo history, oldest first
//   redo TEXT                      any number: the redo history, next first
//   kept KEY                     any number, the most recently played first:
//                                another level's kept board, then a block as
//                                after play (counters ... redo)
//   end
//
// A key is 16 lowercase hexadecimal digits, and no two boards have the same
// one; a cell entry E is -1 or KIND:VARIANT; numbers are decimal without sign
// or leading zeros. A history step's TEXT is 1 to 256 printable ASCII
// characters; the game's model writes and checks it. Anything else makes the
// whole text unreadable. A file of version 1 or 2 has at most a play block:
// that level's kept board, and the level played last.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/levels.h"
#include "platform/theme.h"

namespace qw {

inline constexpr std::string_view kProgressHeader = "quenchway-progress 3";
// The first version, without daily lines, and the second, without kept
// boards and settings; still read.
inline constexpr std::string_view kProgressHeaderV1 = "quenchway-progress 1";
inline constexpr std::string_view kProgressHeaderV2 = "quenchway-progress 2";
// Limits that keep any progress text small enough to read and write within
// a frame; the writer refuses a record beyond them, so that everything it
// writes reads back.
inline constexpr std::size_t kMaxSolvedLevels = 10000;
inline constexpr std::size_t kMaxSolvedDays = 10000;
// Undo and redo together, over the play block and every kept board.
inline constexpr std::size_t kMaxHistorySteps = 10000;
inline constexpr std::size_t kMaxKeptBoards = 256;  // besides the play block
inline constexpr std::size_t kMaxHistoryStepLength = 256;
inline constexpr std::uintmax_t kMaxProgressBytes = 4u * 1024u * 1024u;
inline constexpr std::int32_t kMaxSavedScale = 16;

using LevelKey = std::uint64_t;

// The key of a level: FNV-1a (64 bits) of its record written canonically,
// all ten fields in order, each string as its length and its characters, each
// number in decimal. Comments, blank lines and the level's place in the file
// do not change it; any change to the level itself does.
LevelKey KeyOfLevel(const LevelRecord& level);

// The player's best for one level; each value is kept on its own, nullopt
// when it was never recorded.
struct LevelBest {
  std::optional<std::int32_t> pieces;  // fewest pieces used
  std::optional<std::int32_t> steps;   // fewest steps
  std::optional<std::int32_t> hints;   // fewest hints
  std::optional<std::int32_t> timeMs;  // shortest time
  friend bool operator==(const LevelBest&, const LevelBest&) = default;
};

// A tray slot or board cell as the game writes it: kind -1 (empty, variant
// 0) or 0..35, variant 0..7. Whether it fits the level is the model's check.
struct SavedCell {
  std::int32_t kind = -1;
  std::int32_t variant = 0;
  friend bool operator==(const SavedCell&, const SavedCell&) = default;
};

struct SavedPlay {
  LevelKey level = 0;
  std::int32_t steps = 0;
  std::int32_t hints = 0;
  std::int32_t timeMs = 0;
  std::array<SavedCell, 10> tray{};
  std::array<SavedCell, 100> board{};  // cell number 10 * row + column
  std::vector<std::string> undo;       // oldest first
  std::vector<std::string> redo;       // next first
  friend bool operator==(const SavedPlay&, const SavedPlay&) = default;
};

// How the water moves after a step, as the settings keep it.
enum class SavedAnimation : std::uint8_t { kOff, kNormal, kFast };
inline constexpr std::array<std::string_view, 3> kAnimationNames{"off", "normal", "fast"};

struct Progress {
  std::int32_t scale = 0;
  bool fullscreen = false;
  SavedAnimation animation = SavedAnimation::kNormal;
  std::int32_t volume = 80;  // 0..100
  bool mute = false;
  // The look the player chose; none: not chosen yet (the browser then
  // follows the page's colour scheme).
  std::optional<ThemeId> theme;
  std::map<LevelKey, LevelBest> solved;
  // The days whose daily puzzle was solved, days since 1970-01-01 in UTC,
  // each a day of the years 1970 to 9999.
  std::set<std::int64_t> dailySolved;
  std::optional<SavedPlay> play;  // the level played last
  // The other levels' kept boards, the most recently played first.
  std::vector<SavedPlay> kept;
  friend bool operator==(const Progress&, const Progress&) = default;
};

// The text of a record, in the one canonical order.
std::string WriteProgress(const Progress& progress);

struct ProgressParse {
  std::optional<Progress> progress;  // nullopt when the text is unreadable
  std::string error;                 // then: which line, and why
};
// Reads a progress text. Never trusts it: any bytes give a record or an
// error, in time linear in their length.
ProgressParse ParseProgress(std::string_view text);

// True when the record keeps every limit of the format, so that its text
// reads back; else error says which.
bool CheckProgress(const Progress& progress, std::string* error);

// Records a solved level: its best becomes the better of the old and run,
// value by value.
void RecordSolved(Progress& progress, LevelKey level, const LevelBest& run);

// Records a day whose daily puzzle was solved; a day outside the years 1970
// to 9999 is not recorded.
void RecordDailySolved(Progress& progress, std::int64_t day);

// The days in a row, ending today or yesterday, whose daily puzzle was
// solved: 0 when neither today's nor yesterday's was.
std::int32_t DailyStreak(const Progress& progress, std::int64_t today);

// The undo and redo steps over the board in play and every kept board.
std::size_t HistorySteps(const Progress& progress);

// Drops the kept boards played longest ago until the kept boards and the
// history over all boards keep the format's limits (a play block beyond
// them alone is kept: CheckProgress refuses it).
void TrimKeptBoards(Progress& progress);

// What two writers together know: every level either solved with the best
// of each best, every day either solved, and mine's level in play, scale, fullscreen and settings (mine
// is the later writer). Mine's kept boards come first; then those of the disk's
// boards whose level mine has neither a board of nor solved (a board mine
// solved is gone for good), trimmed to the limits.
Progress MergeProgress(const Progress& onDisk, const Progress& mine);

}  // namespace qw
