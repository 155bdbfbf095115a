// What each index of the layout table stands for. The layout file gives one
// item per meaningful line in this order; the program needs items 0 to 24.
// Items 25 and up belong to the menu's Continue and Levels buttons and the
// level chooser: a layout that stops before them has neither. Items 43 to 46
// are for shared levels; the code screen's Back and Play keys lie where the
// chooser's Back and page keys (32, and 33 with 34) lie, and its code where
// the chooser's line (37) is.
#pragma once

#include <cstdint>

namespace qw {

inline constexpr std::int32_t kItemTitle = 0;      // drawn first on menu, help and password
inline constexpr std::int32_t kItemMenuFirst = 1;  // menu elements 1 and 2
inline constexpr std::int32_t kItemMenuSecond = 2;
// Menu button i (0 new game, 1 password, 2 instructions, 3 exit) is item
// 2i + 3, and highlighted item 2i + 4 in the same place.
inline constexpr std::int32_t kMenuButtons = 4;
constexpr std::int32_t MenuButtonItem(std::int32_t button) { return 2 * button + 3; }
constexpr std::int32_t MenuButtonLitItem(std::int32_t button) { return 2 * button + 4; }
inline constexpr std::int32_t kItemInstructions = 11;  // drawn over the menu
inline constexpr std::int32_t kItemContinue = 12;   // solved screen; its rectangle is the hit area
inline constexpr std::int32_t kItemRetry = 13;      // failed screen
inline constexpr std::int32_t kItemLastLevel = 14;  // shown in place of 12 after the last level
inline constexpr std::int32_t kItemTray = 16;       // rectangle only
inline constexpr std::int32_t kItemBoard = 17;      // rectangle only
inline constexpr std::int32_t kItemSolvedBanner = 18;
inline constexpr std::int32_t kItemFailedBanner = 19;
inline constexpr std::int32_t kItemConfirm = 20;  // password screen keys
inline constexpr std::int32_t kItemBack = 21;
inline constexpr std::int32_t kItemClear = 22;
inline constexpr std::int32_t kItemKeypad =
    23;  // eight 20-pixel keys; its source is the glyph strip
inline constexpr std::int32_t kItemEnteredText =
    24;  // rectangle only: where the entered letters start

inline constexpr std::int32_t kItemMenuBand = 25;      // menu: band behind Continue and Levels
inline constexpr std::int32_t kItemMenuContinue = 26;  // and 27 highlighted
inline constexpr std::int32_t kItemMenuLevels = 28;    // and 29 highlighted
inline constexpr std::int32_t kItemChooserPage = 30;   // the chooser's background
inline constexpr std::int32_t kItemChooserList = 31;   // rectangle only: ten rows of entries
inline constexpr std::int32_t kItemChooserBack = 32;
inline constexpr std::int32_t kItemChooserPrev = 33;
inline constexpr std::int32_t kItemChooserNext = 34;
inline constexpr std::int32_t kItemSolvedMark = 35;  // stamped in a row; placed in the first row
inline constexpr std::int32_t kItemLockMark = 36;    // likewise
inline constexpr std::int32_t kItemChooserDetail =
    37;  // rectangle only: the highlighted entry's line
inline constexpr std::int32_t kItemChooserPageText = 38;  // rectangle only: "Page 1/4"
inline constexpr std::int32_t kChooserItemsEnd = 39;      // one past the chooser's last item
inline constexpr std::int32_t kItemSolvedBest =
    39;  // solved screen: panel over the board for the best
inline constexpr std::int32_t kItemLevelsButton =
    40;  // solved screen of a generated level: back to the chooser
inline constexpr std::int32_t kItemAnotherButton =
    41;  // solved screen of a random level: another of its grade
inline constexpr std::int32_t kItemChooserShare =
    43;  // chooser: copies the highlighted level's code
inline constexpr std::int32_t kItemChooserCode = 44;  // chooser: opens the code screen
inline constexpr std::int32_t kItemCodePage =
    45;  // the code screen, its Back and Play keys drawn in
inline constexpr std::int32_t kItemSolvedShare =
    46;  // solved screen of a generated level: copies its code
inline constexpr std::int32_t kCodeItemsEnd =
    47;  // a layout that stops before has no shared levels

// Items 41 to 46 belong to other screens. Items 47 and up are the settings
// screen and the menu's gear that opens it: a layout that stops before their
// end has neither.
inline constexpr std::int32_t kItemSettingsPage = 47;
inline constexpr std::int32_t kItemMotionFirst = 48;  // off, normal, fast; 51 to 53 chosen
inline constexpr std::int32_t kItemMotionChosenFirst = 51;
inline constexpr std::int32_t kItemVolumeDown = 54;
inline constexpr std::int32_t kItemVolumeUp = 55;
inline constexpr std::int32_t kItemVolumeText = 56;  // rectangle only: "80%"
inline constexpr std::int32_t kItemMute = 57;        // and 58 chosen
inline constexpr std::int32_t kItemSettingsBack = 59;
inline constexpr std::int32_t kItemMenuSettings = 60;  // the menu's gear
inline constexpr std::int32_t kSettingsItemsEnd = 61;

// Item 61 is the menu's Enter code button, at its top left across from the
// gear: a layout that stops before it has no such button (C still opens the
// code screen).
inline constexpr std::int32_t kItemMenuCode = 61;
inline constexpr std::int32_t kMenuCodeItemsEnd = 62;

// Items 62 and up: the settings' row of themes. A layout that stops before
// their end shows no choice of theme, and the settings page stays as it was.
inline constexpr std::int32_t kItemThemeLabel = 62;  // the row's label
inline constexpr std::int32_t kItemThemeFirst = 63;  // classic, dark, contrast; 66 to 68 chosen
inline constexpr std::int32_t kItemThemeChosenFirst = 66;
inline constexpr std::int32_t kThemeItemsEnd = 69;

// Items 69 to 79 are kept for other screens. Items 80 and up are the level
// editor's screen: a layout that stops before their end has no editor.
inline constexpr std::int32_t kItemEditorPage = 80;   // the strip below the board
inline constexpr std::int32_t kItemEditorBoard = 81;  // rectangle only: 211 x 211
// The palette: nozzle, fire, lightning, wall and eraser; 87 to 91 chosen.
inline constexpr std::int32_t kItemEditorToolFirst = 82;
inline constexpr std::int32_t kItemEditorToolChosenFirst = 87;
inline constexpr std::int32_t kEditorTools = 5;
inline constexpr std::int32_t kItemEditorVerdict = 92;  // rectangle only: the verdict line
// The tray's elbows, bends and splitters: one fewer, one more, and where
// the game draws the piece and its count (rectangles only).
inline constexpr std::int32_t kItemEditorFewerFirst = 93;
inline constexpr std::int32_t kItemEditorMoreFirst = 96;
inline constexpr std::int32_t kItemEditorCountFirst = 99;
inline constexpr std::int32_t kItemEditorUndo = 102;
inline constexpr std::int32_t kItemEditorRedo = 103;
inline constexpr std::int32_t kItemEditorTest = 104;
inline constexpr std::int32_t kItemEditorSave = 105;
inline constexpr std::int32_t kItemEditorShare = 106;
inline constexpr std::int32_t kItemEditorBack = 107;
inline constexpr std::int32_t kEditorItemsEnd = 108;
// The title button, and the title keys the pen types the title with over the
// board: the first key's place and picture, the others in rows of
// kTitleKeyColumns, kTitleKeyPitch pixels apart. A layout that stops before
// their end types the title from the keyboard only.
inline constexpr std::int32_t kItemEditorTitle = 108;
inline constexpr std::int32_t kItemEditorTitleKey = 109;
inline constexpr std::int32_t kTitleKeyColumns = 8;
inline constexpr std::int32_t kTitleKeyPitch = 24;
inline constexpr std::int32_t kTitleItemsEnd = 110;

// The menu's extra buttons, by the numbers the highlight gives them after the
// four of the menu.
inline constexpr std::int32_t kMenuContinue = 4;
inline constexpr std::int32_t kMenuLevels = 5;

}  // namespace qw
