// Levels shared by a code: Share on the chooser and the solved screen, and
// the code screen where a friend's code is typed or pasted and played.
#include "ui/screen_flow.h"

#include <algorithm>

#include "data/layout_items.h"
#include "ui/game_texts.h"
#include "ui/level_codes.h"

namespace qw {

namespace {

// Far longer than any code the game writes: a whole level takes about 100.
constexpr std::size_t kMaxEnteredCode = 160;

void Shown(const Session& s, const Rect& r) { s.effects.InvalidateRect(r); }

}  // namespace

bool ScreenFlow::HasCodes() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kCodeItemsEnd;
}

void ScreenFlow::OpenCodeEntry() {
  if (!HasCodes()) return;
  s_.DropSolvedBest();
  s_.state.enteredCode.clear();
  s_.state.hoveredButton = -1;
  s_.SetMode(MODE_CODE);
  s_.effects.ShowToolbar(false);
  s_.effects.InvalidateAll();
}

bool ScreenFlow::MenuCodePress(Point p) {
  if (static_cast<std::int32_t>(s_.layout.size()) < kMenuCodeItemsEnd ||
      !PtInRect(ItemRect(s_.layout, kItemMenuCode), p))
    return false;
  s_.effects.PlaySound(Sound::kButton);
  OpenCodeEntry();
  return true;
}

void ScreenFlow::CodeKey(char letter) {
  std::string& code = s_.state.enteredCode;
  if (letter == '\b') {
    if (code.empty()) return;
    code.pop_back();
  } else if (code.size() < kMaxEnteredCode) {
    code.push_back(letter);
  }
  Shown(s_, ItemRect(s_.layout, kItemChooserDetail));
}

void ScreenFlow::Paste(const std::string& text) {
  // Nothing on the clipboard: the paste does nothing.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
    return;
  if (s_.state.screenMode != MODE_CODE) OpenCodeEntry();
  if (s_.state.screenMode != MODE_CODE) return;
  // A page address that opens a level pastes as its code.
  std::string_view pasted = text;
  if (const std::size_t at = pasted.rfind("level="); at != std::string_view::npos)
    pasted.remove_prefix(at + 6);
  std::string& code = s_.state.enteredCode;
  for (const char c : pasted) {
    // Blanks and line ends around a copied code are no part of it; any other
    // character is kept, for the refusal to name.
    if (static_cast<unsigned char>(c) <= ' ' || code.size() >= kMaxEnteredCode) continue;
    code.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
  }
  Shown(s_, ItemRect(s_.layout, kItemChooserDetail));
}

void ScreenFlow::CodePenUp(Point p) {
  if (PtInRect(ItemRect(s_.layout, kItemChooserBack), p)) {
    EnterMenu(true);
  } else if (PtInRect(UnionRect(ItemRect(s_.layout, kItemChooserPrev),
                                ItemRect(s_.layout, kItemChooserNext)),
                      p)) {
    PlayCode(s_.state.enteredCode);
  }
}

void ScreenFlow::PlayCode(std::string_view code) {
  std::string problem;
  const std::optional<CodedLevel> level = DecodeLevel(code, &problem);
  if (!level) {
    s_.effects.ShowMessage(CodeRefusedMessage(problem));
    return;
  }
  if (!launcher_.StartGenerated(ChoiceOfCode(*level))) {
    s_.effects.ShowMessage(CodeRefusedMessage("its level cannot be made"));
  }
}

std::optional<std::string> ScreenFlow::ChooserCode(std::int32_t entry, std::wstring& why) const {
  if (chooser_.StateOf(entry) == EntryState::kLocked) {
    why = kShareLockedNote;
    return std::nullopt;
  }
  CodedLevel level;
  if (std::optional<GeneratedLevelChoice> choice = chooser_.GeneratedOf(entry)) {
    // A random row names a grade, not a level: its code is that of the
    // level of its grade played last.
    const std::optional<GeneratedLevelChoice>& last = s_.generated;
    if (choice->kind == GeneratedLevelChoice::Kind::kRandom) {
      if (!last || last->kind != choice->kind || last->grade != choice->grade || !last->seed) {
        why = kShareRandomNote;
        return std::nullopt;
      }
      choice = last;
    }
    const bool daily = choice->kind == GeneratedLevelChoice::Kind::kDaily;
    level.kind = daily ? CodedLevel::Kind::kDaily : CodedLevel::Kind::kRandom;
    level.day = choice->day.value_or(0);
    level.seed = choice->seed.value_or(0);
    level.grade = daily ? 0 : choice->grade;
  } else {
    level.board = s_.levels[static_cast<std::size_t>(chooser_.LevelOf(entry))];
  }
  std::optional<std::string> code = EncodeLevel(level);
  if (!code) why = kNoCodeNote;
  return code;
}

void ScreenFlow::Share() {
  std::wstring why = kNoCodeNote;
  std::optional<std::string> code;
  if (s_.state.screenMode == MODE_LEVELS) {
    code = ChooserCode(s_.state.chooserEntry, why);
  } else if (s_.state.screenMode == MODE_SOLVED) {
    code = CodeOfLevelInPlay(
        s_.puzzle, s_.puzzle.currentLevel() == kGeneratedLevel ? s_.generated : std::nullopt);
  } else {
    return;
  }
  if (!code) {
    s_.effects.ShowNote(why);
    return;
  }
  const std::wstring text(code->begin(), code->end());
  if (s_.effects.CopyText(text)) {
    s_.effects.ShowNote(kCodeCopiedNote + text);
  } else {
    s_.effects.ShowMessage(CodeMessage(*code));
  }
}

}  // namespace qw
