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

// The pieces' pictures: pipes, nozzle, fire, lightning and wall. The
// values given here are Classic's.
struct PieceLook {
  // A tube or dome lit from the top left: its outline ring, its shaded side
  // and its lit side.
  struct Metal {
    Color outline;
    Color dark;
    Color light;
  };
  struct Wood {
    Color outline;
    Color bark;
    Color barkLight;
    Color end;  // the cut end's face
  };
  Metal pipe{{36, 38, 60}, {132, 138, 164}, {240, 242, 250}};
  Color bore{26, 28, 46};  // the dark lining beside the water's channel
  Metal collar{{60, 36, 8}, {150, 100, 30}, {255, 222, 130}};
  Metal steel{{36, 38, 60}, {92, 98, 122}, {236, 238, 246}};  // the nozzle's spout
  Metal tank{{20, 30, 80}, {30, 60, 150}, {140, 190, 255}};   // the nozzle's body
  Color drop{236, 246, 255};
  double shine = 0.6;  // the white highlight on the metals, 0 for none
  Color flameOutline{104, 16, 8};
  Color flame{226, 52, 22};
  Color flameMiddle{252, 146, 26};
  Color flameCore{255, 234, 110};
  Wood log{{56, 30, 14}, {138, 82, 40}, {178, 116, 60}, {226, 178, 112}};
  Wood charred{{30, 24, 22}, {72, 62, 58}, {104, 94, 90}, {120, 108, 100}};
  Color smokeOutline{70, 72, 90};
  Color smokeLight{244, 244, 250};
  Color smokeShade{168, 170, 186};
  Color bolt{255, 222, 20};
  Color boltOutline{24, 20, 10};
  Color mortar{206, 198, 184};
  Color brick{172, 66, 44};
  Color brickLight{208, 104, 76};
  Color brickDark{118, 40, 28};
};

// The toolbar's pictures, drawn in a palette of 16 colours whose silver
// (192, 192, 192) is the button face and never a picture's colour. The
// values given here are Classic's.
struct ToolbarLook {
  Color line{0, 0, 0};  // the page's edge, the bulb's screw
  Color arrowEdge{0, 0, 128};
  Color arrow{0, 0, 255};
  Color circleArrow{0, 128, 0};  // on the restart page
  Color page{255, 255, 255};     // and the bulb's shine
  Color shade{128, 128, 128};    // the page's fold, the bulb's screw
  Color gold{255, 255, 0};       // the key and the bulb
  Color goldEdge{128, 128, 0};
};

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
  PieceLook pieces{};
  ToolbarLook toolbar{};
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
// sky blue that stands far above the panel and the pipes' bores, and a slate
// command bar with bright buttons.
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
    .bar = {44, 48, 72},
    .barEdge = {96, 102, 150},
    .barLight = {120, 126, 170},
    .barShadow = {12, 12, 24},
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
    // Dimmer metals with a darker rim and little shine, brighter wood and
    // ash, the wall's bricks on dark mortar: every piece stands off the
    // slate board by brightness, and a dry pipe's empty slate channel from
    // the bright water.
    .pieces = {.pipe = {{14, 15, 26}, {104, 110, 142}, {204, 208, 228}},
               .bore = {14, 15, 26},
               .collar = {{40, 24, 6}, {150, 100, 30}, {236, 200, 112}},
               .steel = {{14, 15, 26}, {92, 98, 124}, {208, 212, 228}},
               .tank = {{14, 15, 26}, {56, 104, 196}, {164, 204, 255}},
               .shine = 0.3,
               .log = {{40, 20, 8}, {168, 104, 56}, {204, 140, 80}, {236, 190, 124}},
               .charred = {{16, 15, 18}, {128, 122, 120}, {160, 154, 152}, {190, 182, 176}},
               .smokeOutline = {16, 17, 28},
               .smokeLight = {232, 234, 244},
               .smokeShade = {162, 166, 186},
               .boltOutline = {16, 14, 8},
               .mortar = {26, 26, 34},
               .brick = {184, 78, 54},
               .brickLight = {222, 118, 88},
               .brickDark = {128, 48, 32}},
    // Bright arrows and a paler page, key and bulb on the dark bar.
    .toolbar = {.line = {12, 12, 24},
                .arrowEdge = {12, 12, 24},
                .arrow = {110, 160, 255},
                .circleArrow = {0, 110, 0},
                .page = {224, 226, 240},
                .shade = {128, 132, 160},
                .gold = {250, 214, 70},
                .goldEdge = {120, 90, 10}},
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
    // Black pipes with the water's channel open to the board, black outlines
    // two pixels wide, flat fills of few colours and no shine.
    .pieces = {.pipe = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
               .bore = {0, 0, 0},
               .collar = {{0, 0, 0}, {150, 150, 150}, {150, 150, 150}},
               .steel = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
               .tank = {{0, 0, 0}, {0, 0, 230}, {0, 0, 230}},
               .drop = {255, 255, 255},
               .shine = 0,
               .flameOutline = {0, 0, 0},
               .flame = {220, 0, 0},
               .flameMiddle = {255, 236, 0},
               .flameCore = {255, 255, 255},
               .log = {{0, 0, 0}, {130, 64, 0}, {130, 64, 0}, {255, 236, 0}},
               .charred = {{0, 0, 0}, {90, 90, 90}, {90, 90, 90}, {150, 150, 150}},
               .smokeOutline = {0, 0, 0},
               .smokeLight = {150, 150, 150},
               .smokeShade = {150, 150, 150},
               .bolt = {255, 236, 0},
               .boltOutline = {0, 0, 0},
               .mortar = {0, 0, 0},
               .brick = {150, 150, 150},
               .brickLight = {255, 255, 255},
               .brickDark = {90, 90, 90}},
    // Black on the white bar, the key and the bulb yellow.
    .toolbar = {.arrowEdge = {0, 0, 0},
                .arrow = {0, 0, 0},
                .circleArrow = {0, 0, 0},
                .shade = {90, 90, 90},
                .gold = {255, 236, 0},
                .goldEdge = {0, 0, 0}},
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
