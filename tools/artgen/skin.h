// The skin image and the layout table: every screen element's place on the
// 240 x 268 client area, its picture, and where that picture sits in the skin.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "raster.h"
#include "style.h"

namespace qw::artgen {

inline constexpr int kClientWidth = 240;
inline constexpr int kClientHeight = 268;
// The layout file counts y from the top of the handheld's screen.
inline constexpr int kLayoutYOffset = 26;
// Items 0 to 24 are the game's original screens; 25 and up the menu's
// Continue and Levels buttons, the level chooser and Another; 43 to 46 shared
// levels (42 is kept for another screen); 47 to 60 the settings screen and
// the menu's way to it; 61 the menu's way to the code screen; 62 to 68 the
// settings' themes; 80 and up the level editor (69 to 79 are kept for other
// screens).
inline constexpr int kOriginalItemCount = 25;
inline constexpr int kFirstCodeItem = 43;
inline constexpr int kFirstSettingsItem = 47;
inline constexpr int kMenuCodeItem = 61;
inline constexpr int kFirstThemeItem = 62;
inline constexpr int kFirstEditorItem = 80;
inline constexpr int kItemCount = 110;

struct ItemPlace {
  const char* name;  // written as a comment above the item's line
  int x, y, w, h;    // client pixels
  bool drawn;        // false: only the rectangle is used, nothing of the skin
};

// Every item in index order.
const std::array<ItemPlace, kItemCount>& ItemPlaces();

struct LayoutEntry {
  ItemPlace place;
  int srcX = 0;
  int srcY = 0;
};

struct Skin {
  Image image;
  std::vector<LayoutEntry> items;
};

// Pictures of every drawn item, each exactly its item's size.
std::map<int, Image> DrawItemPictures(const Fonts& fonts);
Image DrawHelpPage(const Fonts& fonts);
// The pictures of items 25 and up.
void DrawChooserPictures(const Fonts& fonts, std::map<int, Image>& items);
// The pictures of items 43 to 46 and 61: Share, Code, the code screen and the
// menu's Enter code.
void DrawCodePictures(const Fonts& fonts, std::map<int, Image>& items);
// The pictures of the settings screen and the menu's settings button.
void DrawSettingsPictures(const Fonts& fonts, std::map<int, Image>& items);
// The settings' row of themes, below the sound's.
void DrawThemePictures(const Fonts& fonts, std::map<int, Image>& items);
// The pictures of the level editor's screen and the chooser's ways to it.
void DrawEditorPictures(const Fonts& fonts, std::map<int, Image>& items);
// The chooser's marks, size x size, magenta around them: a green disc with a
// tick (solved) and a grey padlock (locked).
Image SolvedMark(int size);
Image LockMark(int size);

// Shared by the item pictures: an item's place cut from a whole screen; a
// raised card with rounded corners over an item's place (the menu's card
// and band); and each button of `labels` plain and lit over `under`, the
// items from `first` on in that order.
Image Cut(const Image& screen, int index);
void DrawRaisedCard(Image& img, const ItemPlace& p, int radius);
void CutButtonPairs(const Image& under, const Fonts& fonts, int first,
                    const std::vector<const char*>& labels, std::map<int, Image>& items);

// Packs the pictures into one image and records their source rectangles.
Skin BuildSkin(const Fonts& fonts);
// The layout file: "\r\n" line ends, one comment naming each item.
std::string LayoutFileText(const Skin& skin);

}  // namespace qw::artgen
