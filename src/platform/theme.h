// The look of the game in one place: the colours the game paints with and
// the colours and outline of its pictures. The art generator draws every
// theme's pictures from these same values, so the game's own drawing and its
// art always agree.
//
// Classic is the game's first look. Dark keeps a dark board and panels with
// light, never pure white, text on no pure black. High contrast uses few
// colours, far apart in brightness, and outlines of two pixels.
//
// Nothing the player must tell apart differs by colour alone:
// - water is a line over the board, its pipes a hollow tube with a dark bore
//   and brass collars; a dry pipe shows the bore empty;
// - a fire is a flame on a log, a doused fire a charred log with no flame;
// - lightning is a zigzag bolt outlined in a dark line, a wall a grid of
//   bricks, the nozzle a round tank with a drop;
// - the selection is a lighter (Dark: brighter) cell in a frame of two
//   pixels, the keyboard cursor two rings, dark outside and bright inside;
// - the failed screen frames the wet lightning in a two-pixel ring, and its
//   banner shows the bolt with the words "Short circuit!".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/geometry.h"

namespace qw {

enum class ThemeId : std::uint8_t { kClassic, kDark, kContrast };
inline constexpr std::int32_t kThemeCount = 3;

struct Theme {
  ThemeId id;
  // As the command line, the progress file and script mode write it.
  std::string_view name;
  // The game's own drawing.
  Color background;  // around the board on the play, solved and failed screens
  Color panel;       // the menu's fill; inside the tray and the board
  Color selection;   // the selected cell
  Color grid;        // the tray's and the board's lines
  Color frame;       // the tray's and the board's frames, the message box's
  Color caption;     // the level's caption over the background
  Color water;
  Color wetHazard;    // the ring around lightning the water reached
  Color cursor;       // the frame of the selection and the chooser's row
  Color cursorOuter;  // the keyboard cursor's two rings
  Color cursorInner;
  Color text;  // the chooser's and the settings' text
  Color lockedText;
  Color puff;   // a fire going out
  Color spark;  // the water reaching lightning
  // The message box.
  Color boxTitleText;
  Color boxText;
  Color boxLight;
  Color boxShade;
  Color boxShadow;
  Color boxButton;
  // The command bar.
  Color bar;
  Color barEdge;
  Color barLight;
  Color barShadow;
  Color tipText;
  Color tipFace;
  // The pictures.
  Color ink;      // outlines and text
  Color inkSoft;  // second lines of text
  Color paper;    // the top of cards and banners, the title's letters
  Color accent;   // the instructions' headings
  Color solved;   // the solved mark's disc
  Color failed;
  Color titleShadow;
  Color cardTop;  // the menu's raised card
  Color cardBottom;
  Color cardLip;
  Color bannerBottom;
  Color keyBottom;
  Color fieldShade;  // the inner shadow of a sunken field
  Color buttonTop;
  Color buttonBottom;
  Color litTop;  // a highlighted (chosen) button
  Color litBottom;
  Color litText;
  Color bandTop;  // the instructions' heading band
  Color bandBottom;
  Color headingBand;  // the top of the pages' headings, fading into the panel
  Color lockGrey;
  double outline;  // the pictures' outlines, in pixels
};

inline constexpr Theme kClassicTheme{
    .id = ThemeId::kClassic,
    .name = "classic",
    .background = {153, 153, 255},
    .panel = {204, 204, 255},
    .selection = {235, 235, 255},
    .grid = {172, 172, 223},
    .frame = {0, 0, 0},
    .caption = {94, 94, 94},
    .water = {0, 0, 255},
    .wetHazard = {230, 0, 0},
    .cursor = {255, 128, 0},
    .cursorOuter = {20, 20, 110},
    .cursorInner = {255, 210, 0},
    .text = {30, 30, 92},
    .lockedText = {120, 120, 170},
    .puff = {236, 236, 244},
    .spark = {255, 214, 0},
    .boxTitleText = {255, 255, 255},
    .boxText = {40, 40, 60},
    .boxLight = {255, 255, 255},
    .boxShade = {96, 96, 140},
    .boxShadow = {70, 70, 130},
    .boxButton = {222, 222, 240},
    .bar = {222, 222, 240},
    .barEdge = {120, 120, 170},
    .barLight = {255, 255, 255},
    .barShadow = {96, 96, 140},
    .tipText = {40, 40, 60},
    .tipFace = {255, 255, 225},
    .ink = {30, 30, 92},
    .inkSoft = {70, 70, 140},
    .paper = {255, 255, 255},
    .accent = {40, 40, 170},
    .solved = {26, 120, 60},
    .failed = {170, 30, 30},
    .titleShadow = {90, 90, 200},
    .cardTop = {226, 226, 255},
    .cardBottom = {186, 186, 246},
    .cardLip = {150, 150, 230},
    .bannerBottom = {220, 220, 252},
    .keyBottom = {214, 214, 252},
    .fieldShade = {180, 180, 225},
    .buttonTop = {252, 252, 255},
    .buttonBottom = {190, 190, 246},
    .litTop = {112, 112, 250},
    .litBottom = {44, 44, 196},
    .litText = {255, 255, 255},
    .bandTop = {96, 96, 230},
    .bandBottom = {44, 44, 180},
    .headingBand = {153, 153, 255},
    .lockGrey = {120, 120, 170},
    .outline = 1.0,
};

// Evening play: a slate board on a deeper slate, light text, water a bright
// sky blue that stands far above the panel and the pipes' bores.
inline constexpr Theme kDarkTheme{
    .id = ThemeId::kDark,
    .name = "dark",
    .background = {24, 26, 40},
    .panel = {50, 54, 80},
    .selection = {96, 102, 150},
    .grid = {70, 75, 108},
    .frame = {150, 156, 200},
    .caption = {214, 216, 236},
    .water = {80, 200, 255},
    .wetHazard = {255, 96, 96},
    .cursor = {255, 168, 64},
    .cursorOuter = {12, 12, 24},
    .cursorInner = {255, 214, 60},
    .text = {222, 224, 242},
    .lockedText = {150, 154, 190},
    .puff = {210, 214, 228},
    .spark = {255, 214, 0},
    .boxTitleText = {240, 242, 252},
    .boxText = {222, 224, 242},
    .boxLight = {110, 116, 160},
    .boxShade = {16, 18, 30},
    .boxShadow = {10, 11, 18},
    .boxButton = {70, 76, 112},
    .bar = {164, 168, 200},
    .barEdge = {60, 64, 96},
    .barLight = {230, 232, 248},
    .barShadow = {60, 64, 96},
    .tipText = {20, 22, 36},
    .tipFace = {236, 236, 210},
    .ink = {222, 224, 242},
    .inkSoft = {172, 176, 212},
    .paper = {88, 94, 138},
    .accent = {150, 180, 255},
    .solved = {40, 150, 80},
    .failed = {230, 90, 90},
    .titleShadow = {10, 12, 22},
    .cardTop = {66, 72, 108},
    .cardBottom = {44, 48, 74},
    .cardLip = {16, 18, 30},
    .bannerBottom = {56, 60, 94},
    .keyBottom = {58, 62, 96},
    .fieldShade = {20, 22, 36},
    .buttonTop = {84, 90, 132},
    .buttonBottom = {56, 60, 94},
    .litTop = {96, 136, 250},
    .litBottom = {40, 70, 190},
    .litText = {246, 246, 252},
    .bandTop = {70, 80, 150},
    .bandBottom = {36, 42, 96},
    .headingBand = {24, 26, 40},
    .lockGrey = {150, 154, 190},
    .outline = 1.0,
};

// The largest differences: white panels, black ink and frames two pixels
// thick, pure blue water, a black selection frame in yellow.
inline constexpr Theme kContrastTheme{
    .id = ThemeId::kContrast,
    .name = "contrast",
    .background = {0, 0, 0},
    .panel = {255, 255, 255},
    .selection = {255, 236, 0},
    .grid = {150, 150, 150},
    .frame = {0, 0, 0},
    .caption = {255, 255, 255},
    .water = {0, 0, 230},
    .wetHazard = {255, 0, 0},
    .cursor = {0, 0, 0},
    .cursorOuter = {0, 0, 0},
    .cursorInner = {255, 236, 0},
    .text = {0, 0, 0},
    .lockedText = {90, 90, 90},
    .puff = {120, 120, 120},
    .spark = {255, 0, 0},
    .boxTitleText = {255, 255, 255},
    .boxText = {0, 0, 0},
    .boxLight = {255, 255, 255},
    .boxShade = {0, 0, 0},
    .boxShadow = {0, 0, 0},
    .boxButton = {255, 255, 255},
    .bar = {255, 255, 255},
    .barEdge = {0, 0, 0},
    .barLight = {0, 0, 0},
    .barShadow = {0, 0, 0},
    .tipText = {0, 0, 0},
    .tipFace = {255, 255, 255},
    .ink = {0, 0, 0},
    .inkSoft = {0, 0, 0},
    .paper = {255, 255, 255},
    .accent = {0, 0, 0},
    .solved = {0, 110, 0},
    .failed = {200, 0, 0},
    .titleShadow = {0, 0, 0},
    .cardTop = {255, 255, 255},
    .cardBottom = {255, 255, 255},
    .cardLip = {0, 0, 0},
    .bannerBottom = {255, 255, 255},
    .keyBottom = {255, 255, 255},
    .fieldShade = {255, 255, 255},
    .buttonTop = {255, 255, 255},
    .buttonBottom = {255, 255, 255},
    .litTop = {0, 0, 0},
    .litBottom = {0, 0, 0},
    .litText = {255, 255, 255},
    .bandTop = {0, 0, 0},
    .bandBottom = {0, 0, 0},
    .headingBand = {255, 255, 255},
    .lockGrey = {90, 90, 90},
    .outline = 2.0,
};

inline constexpr std::array<const Theme*, kThemeCount> kThemes{&kClassicTheme, &kDarkTheme,
                                                               &kContrastTheme};

inline const Theme& ThemeOf(ThemeId id) { return *kThemes[static_cast<std::size_t>(id)]; }

// "classic", "dark" or "contrast"; anything else: none.
inline std::optional<ThemeId> ThemeByName(std::string_view name) {
  for (const Theme* theme : kThemes) {
    if (theme->name == name) return theme->id;
  }
  return std::nullopt;
}

}  // namespace qw
