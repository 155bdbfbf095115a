#include "ui/game_texts.h"

#include <algorithm>

#include "ui/message_box.h"
#include "ui/ui_state.h"

namespace qw {

std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount) {
  return L"Level " + std::to_wstring(std::int64_t{levelIndex} + 1) + L"/" +
         std::to_wstring(levelCount);
}

std::vector<ToolButton> ToolbarButtons() {
  auto id = [](ToolbarCommand c) { return static_cast<std::int32_t>(c); };
  return {{id(ID_ROTATE_CCW), L"Rotate Counter-Clockwise"},
          {id(ID_ROTATE_CW), L"Rotate Clockwise"},
          {id(ID_RESTART), L"Restart Level"},
          {id(ID_PASSWORD), L"Enter Password"},
          {id(ID_UNDO), L"Undo"},
          {id(ID_REDO), L"Redo"},
          {id(ID_HINT), L"Hint"}};
}

std::vector<std::wstring> GameTexts(std::int32_t levelCount) {
  std::vector<std::wstring> texts;
  for (const ToolButton& button : ToolbarButtons()) texts.push_back(button.tooltip);
  for (const wchar_t* note :
       {kTookBackNote, kTookBackLossNote, kNoPasswordNote, kNoHintNote, kHintLimitNote,
        kCannotSaveNote, kCodeCopiedNote, kShareLockedNote, kShareRandomNote, kNoCodeNote}) {
    texts.push_back(note);
  }
  for (const Step& step : {Step::Move({0, -1}, {0, 0}), Step::Turn({0, 0}, true)}) {
    for (const PieceKind kind : {KIND_ELBOW, KIND_BEND, KIND_SPLITTER})
      texts.push_back(HintNote(step, kind));
  }
  for (std::int32_t i = 0; i < levelCount; ++i) texts.push_back(CaptionText(i, levelCount));
  return texts;
}

std::wstring HintNote(const Step& step, PieceKind piece) {
  if (step.kind == Step::Kind::Move && IsTraySlot(step.to)) return kTookBackNote;
  const wchar_t* name = piece == KIND_ELBOW  ? L"an elbow"
                        : piece == KIND_BEND ? L"a bend"
                                             : L"a splitter";
  return std::wstring(step.kind == Step::Kind::Turn ? L"Turned " : L"Placed ") + name;
}

std::wstring CodeMessage(const std::string& code) {
  // In lines of 20 characters: a code has no blanks to break at.
  std::wstring text = L"The level's code:";
  for (std::size_t at = 0; at < code.size(); at += 20) {
    const std::string line = code.substr(at, 20);
    text += L"\r\n" + std::wstring(line.begin(), line.end());
  }
  return text;
}

std::wstring CodeRefusedMessage(const std::string& problem) {
  return L"This code cannot be played: " + std::wstring(problem.begin(), problem.end()) + L".";
}

std::wstring LoadFailureText(DataFile file) {
  switch (file) {
    case DataFile::kImages: return L"Could not load image.\r\nExiting...";
    case DataFile::kLayout: return L"Could not load layout.\r\nExiting...";
    case DataFile::kLevels: return L"Could not load levels.\r\nExiting...";
  }
  return {};
}

std::wstring PasswordMessage(const std::wstring& password) {
  return L"Password for next level is: " + password;
}

std::wstring RandomRowText(std::int32_t grade) {
  return L"Random level, grade " + std::to_wstring(grade);
}

std::wstring LevelRowText(std::int32_t index, const std::wstring& title) {
  // Titles are the level file's words: anything below a space shows as one.
  std::wstring printable = title;
  std::replace_if(
      printable.begin(), printable.end(), [](wchar_t c) { return c < L' ' || c == 0x7f; }, L' ');
  return std::to_wstring(std::int64_t{index} + 1) + L"  " + printable;
}

namespace {

std::wstring Count(std::optional<std::int32_t> n) {
  return n ? std::to_wstring(*n) : std::wstring(L"-");
}

}  // namespace

std::wstring ShortBestText(const LevelBest& best) {
  return Count(best.pieces) + (best.pieces == 1 ? L" piece " : L" pieces ") + TimeText(best.timeMs);
}

std::wstring DailyDetail(bool solvedToday, std::int32_t streak) {
  std::wstring text = solvedToday ? L"Solved today" : L"A new level every day";
  if (streak > 0)
    text += L"; streak " + std::to_wstring(streak) + (streak == 1 ? L" day" : L" days");
  return text;
}

std::wstring PageText(std::int32_t page, std::int32_t pageCount) {
  return L"Page " + std::to_wstring(page + 1) + L"/" + std::to_wstring(pageCount);
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
  return L"Best: " + counted(best.pieces, L" piece, ", L" pieces, ") +
         counted(best.steps, L" step, ", L" steps, ") +
         counted(best.hints, L" hint, ", L" hints, ") + TimeText(best.timeMs);
}

std::vector<std::wstring> MessageTexts(const std::vector<LevelRecord>& levels, const Font* font) {
  std::vector<std::wstring> texts{kMessageTitle, kOkCaption};
  for (const LevelRecord& level : levels) {
    const MessageBox box(font, PasswordMessage(level.password));
    texts.insert(texts.end(), box.lines().begin(), box.lines().end());
  }
  return texts;
}

}  // namespace qw
