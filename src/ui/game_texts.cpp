#include "ui/game_texts.h"

#include "ui/controller.h"

namespace qw {

std::wstring CaptionText(std::int32_t levelIndex, std::int32_t levelCount) {
  return L"Level " + std::to_wstring(std::int64_t{levelIndex} + 1) + L"/" + std::to_wstring(levelCount);
}

std::vector<ToolButton> ToolbarButtons() {
  return {{ID_ROTATE_CCW, L"Rotate Counter-Clockwise"},
          {ID_ROTATE_CW, L"Rotate Clockwise"},
          {ID_RESTART, L"Restart Level"},
          {ID_PASSWORD, L"Enter Password"}};
}

std::vector<std::wstring> GameTexts(std::int32_t levelCount) {
  std::vector<std::wstring> texts;
  for (const ToolButton& button : ToolbarButtons()) texts.push_back(button.tooltip);
  for (std::int32_t i = 0; i < levelCount; ++i) texts.push_back(CaptionText(i, levelCount));
  return texts;
}

}  // namespace qw
