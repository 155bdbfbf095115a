#include "ui/game_texts.h"

#include "ui/controller.h"
#include "ui/generated_levels.h"
#include "ui/hints.h"
#include "ui/message_box.h"

namespace qw {

std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount) {
  return L"Level " + std::to_wstring(std::int64_t{levelIndex} + 1) + L"/" + std::to_wstring(levelCount);
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
  for (const wchar_t* note : {kTookBackNote, kNoHintNote, kHintLimitNote}) texts.push_back(note);
  for (std::int32_t i = 0; i < levelCount; ++i) texts.push_back(CaptionText(i, levelCount));
  return texts;
}

std::wstring LoadFailureText(DataFile file) {
  switch (file) {
    case DataFile::kImages: return L"Could not load image.\r\nExiting...";
    case DataFile::kLayout: return L"Could not load layout.\r\nExiting...";
    case DataFile::kLevels: return L"Could not load levels.\r\nExiting...";
  }
  return {};
}

std::wstring PasswordMessage(const std::wstring& password) { return L"Password for next level is: " + password; }

std::vector<std::wstring> MessageTexts(const std::vector<LevelRecord>& levels, const Font* font) {
  std::vector<std::wstring> texts{MessageBox::kTitle, MessageBox::kOk};
  for (const LevelRecord& level : levels) {
    const MessageBox box(font, PasswordMessage(level.password));
    texts.insert(texts.end(), box.lines().begin(), box.lines().end());
  }
  const MessageBox solved(font, kSolvedMessage);
  texts.insert(texts.end(), solved.lines().begin(), solved.lines().end());
  return texts;
}

}  // namespace qw
