// Every text a player reads, in one place (a translation touches this file
// and game_texts.cpp only): the command bar's notes and tooltips, the
// message boxes, the play screen's caption and the level chooser's lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "data/levels.h"
#include "data/progress.h"
#include "model/cell.h"
#include "model/step.h"
#include "platform/toolbar.h"

namespace qw {

class Font;

// The command bar's notes: what a hint did or why it did nothing, and that
// progress cannot be saved (shown once).
inline constexpr const wchar_t* kTookBackNote = L"Took a piece back";
inline constexpr const wchar_t* kTookBackLossNote = L"Took back the step that lost";
inline constexpr const wchar_t* kNoPasswordNote = L"No level has that password";
inline constexpr const wchar_t* kNoHintNote = L"No hint found";
inline constexpr const wchar_t* kHintLimitNote = L"Hint: search limit";
inline constexpr const wchar_t* kCannotSaveNote = L"Progress cannot be saved";
// Shared levels: a level's code copied, or why there is none to copy.
inline constexpr const wchar_t* kCodeCopiedNote = L"Code copied: ";
inline constexpr const wchar_t* kShareLockedNote = L"Locked levels cannot be shared";
inline constexpr const wchar_t* kShareRandomNote = L"Play a level of this grade to share it";
inline constexpr const wchar_t* kNoCodeNote = L"This level has no code";
// The chooser's rows of the player's own levels, after the table's.
inline constexpr const wchar_t* kOwnRowPrefix = L"Mine  ";
inline constexpr const wchar_t* kOwnDetail = L"Your level: Enter opens it in the editor";
inline constexpr const wchar_t* kCreateRow = L"Create level";
inline constexpr const wchar_t* kCreateDetail = L"A new level of your own (or E anywhere here)";
// The level editor's notes.
inline constexpr const wchar_t* kCannotEditMessage = L"This level cannot be edited: ";
inline constexpr const wchar_t* kNotUniqueCodeNote = L"More than one solution! Code copied: ";
inline constexpr const wchar_t* kShareUnsolvableNote =
    L"Only a level with a solution can be shared";
inline constexpr const wchar_t* kSavedNote = L"Saved in My levels";
inline constexpr const wchar_t* kNotSavedNote = L"The level could not be saved";
inline constexpr const wchar_t* kNoOwnLevelsNote = L"Levels are kept only with progress";
inline constexpr const wchar_t* kTestNeedsNozzleNote = L"Place a nozzle to test play";
inline constexpr const wchar_t* kTestNeedsFireNote = L"Place a fire to test play";

// The message box's title and button.
inline constexpr const wchar_t* kMessageTitle = L"Quenchway";
inline constexpr const wchar_t* kOkCaption = L"OK";

// The level chooser's lines that name no number.
inline constexpr const wchar_t* kDailyRow = L"Daily puzzle";
inline constexpr const wchar_t* kRandomDetail = L"A new level every time";
inline constexpr const wchar_t* kInPlayDetail = L"In play: Continue on the menu";
inline constexpr const wchar_t* kNotSolvedDetail = L"Not solved yet";
// A level left half done for another: its board waits for it.
inline constexpr const wchar_t* kKeptDetail = L"Begun: your board is kept";
inline constexpr const wchar_t* kLockedDetail = L"Locked: solve the level before it";

// "Level 3/40": the level in play, counted from 1, and the number of levels.
std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount);
// The toolbar's buttons with their commands and tooltips, left to right.
std::vector<ToolButton> ToolbarButtons();
// Every text above for a set of `levelCount` levels.
std::vector<std::wstring> GameTexts(std::int32_t levelCount);
// What a hint's step did: "Placed an elbow", "Turned a bend", or
// kTookBackNote; `piece` is the kind of the piece it moved or turned.
std::wstring HintNote(const Step& step, PieceKind piece);
// The message that says a data file cannot be loaded.
std::wstring LoadFailureText(DataFile file);
// The message that tells the password of the level the player goes on to.
std::wstring PasswordMessage(const std::wstring& password);
// The box that shows a level's code where the clipboard cannot take it.
std::wstring CodeMessage(const std::string& code);
// The box that refuses a code, with the sentence that says why.
std::wstring CodeRefusedMessage(const std::string& problem);
// The chooser's rows: "Random level, grade 2", "7  Title" (the title's
// characters below a space shown as spaces), and a solved level's short best
// "5 pieces 1:07".
std::wstring RandomRowText(std::int32_t grade);
std::wstring LevelRowText(std::int32_t index, const std::wstring& title);
std::wstring ShortBestText(const LevelBest& best);
// The daily puzzle's line: solved today or not, and the streak.
std::wstring DailyDetail(bool solvedToday, std::int32_t streak);
// "Page 2/4".
std::wstring PageText(std::int32_t page, std::int32_t pageCount);
// "1:05" (minutes and seconds, rounded down); "-" for no time.
std::wstring TimeText(std::optional<std::int32_t> ms);
// "Best: 3 pieces, 12 steps, 1 hint, 0:45", each "-" when not recorded.
std::wstring BestText(const LevelBest& best);
// Every line the message boxes draw for these levels and for a solved
// generated level, as `font` breaks them, with the boxes' title and button.
std::vector<std::wstring> MessageTexts(const std::vector<LevelRecord>& levels, const Font* font);

}  // namespace qw
