// What each index of the layout table stands for. The layout file gives one
// item per meaningful line in this order; the program reads items 0 to 24.
#pragma once

#include <cstdint>

namespace qw {

inline constexpr std::int32_t kItemTitle = 0;           // drawn first on menu, help and password
inline constexpr std::int32_t kItemMenuFirst = 1;       // menu elements 1 and 2
inline constexpr std::int32_t kItemMenuSecond = 2;
// Menu button i (0 new game, 1 password, 2 instructions, 3 exit) is item
// 2i + 3, and highlighted item 2i + 4 in the same place.
inline constexpr std::int32_t kMenuButtons = 4;
constexpr std::int32_t MenuButtonItem(std::int32_t button) { return 2 * button + 3; }
constexpr std::int32_t MenuButtonLitItem(std::int32_t button) { return 2 * button + 4; }
inline constexpr std::int32_t kItemInstructions = 11;   // drawn over the menu
inline constexpr std::int32_t kItemContinue = 12;       // solved screen; its rectangle is the hit area
inline constexpr std::int32_t kItemRetry = 13;          // failed screen
inline constexpr std::int32_t kItemLastLevel = 14;      // shown in place of 12 after the last level
inline constexpr std::int32_t kItemTray = 16;           // rectangle only
inline constexpr std::int32_t kItemBoard = 17;          // rectangle only
inline constexpr std::int32_t kItemSolvedBanner = 18;
inline constexpr std::int32_t kItemFailedBanner = 19;
inline constexpr std::int32_t kItemConfirm = 20;        // password screen keys
inline constexpr std::int32_t kItemBack = 21;
inline constexpr std::int32_t kItemClear = 22;
inline constexpr std::int32_t kItemKeypad = 23;         // eight 20-pixel keys; its source is the glyph strip
inline constexpr std::int32_t kItemEnteredText = 24;    // rectangle only: where the entered letters start

}  // namespace qw
