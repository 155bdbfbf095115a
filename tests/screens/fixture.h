// A data folder of the test's own for the real binary: a layout whose items
// sit apart, a skin that paints each item in one flat colour of its own (and
// each keypad key in another), and four small levels. With it, every screen
// the game shows can be composed independently of the game's renderer: the
// expected picture is built here from rectangles, the font drawn alone and
// the piece strip itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../robustness/sandbox.h"
#include "platform/geometry.h"
#include "platform/surface.h"

namespace qw::testing {

inline constexpr std::int32_t kClientWidth = 240;
inline constexpr std::int32_t kClientHeight = 268;

// Where each of the 25 items sits on screen.
inline constexpr std::array<Rect, 25> kPlaces = {{
    {0, 0, 240, 30},      {0, 30, 240, 50},     {0, 248, 240, 268},   {70, 60, 170, 84},    // 0-3
    {70, 60, 170, 84},    {70, 90, 170, 114},   {70, 90, 170, 114},   {70, 120, 170, 144},  // 4-7
    {70, 120, 170, 144},  {70, 150, 170, 174},  {70, 150, 170, 174},  {20, 55, 220, 165},   // 8-11
    {150, 2, 230, 42},    {150, 2, 230, 42},    {150, 2, 230, 42},    {0, 0, 0, 0},         // 12-15
    {15, 22, 226, 44},    {15, 50, 226, 261},   {5, 2, 145, 42},      {5, 2, 145, 42},      // 16-19
    {20, 200, 80, 224},   {90, 200, 150, 224},  {160, 200, 220, 224}, {40, 150, 200, 170},  // 20-23
    {40, 110, 200, 130},                                                                    // 24
}};

// Levels: 0 stays in play (its fires lie far from the water, which a wall
// stops at once) and fills the tray; 1 and 3 are solved by the bare board, 3
// being the last; 2 fails at once. "SEAL" is a prefix of the last password.
inline constexpr std::string_view kScreenLevels =
    "First\r\nSEAL\r\n4,3,3\r\n0,2\r\n55,77\r\n33\r\n1\r\n"
    "Douse\r\nSLATE\r\n0,0,0\r\n0,2\r\n5\r\n-1\r\n-1\r\n"
    "Spark\r\nTRAIN\r\n0,0,0\r\n0,2\r\n-1\r\n5\r\n-1\r\n"
    "Last\r\nSEALS\r\n0,0,0\r\n0,2\r\n5\r\n-1\r\n-1\r\n";

Color ItemColor(std::int32_t item);
Color KeyColor(std::int32_t key);

// A sandbox holding the fixture skin, layout and levels.
class ScreenSandbox : public Sandbox {
 public:
  explicit ScreenSandbox(const std::string& name);
};

// "X Y" of an item's centre, and of keypad key k's, for scripts.
std::string ItemCentre(std::int32_t item);
std::string KeyCentre(std::int32_t key);
// A script line tapping the keys of `word`.
std::string TypeWord(const std::string& word);

// The state a `dump` prints: an entry is a kind (-1 for empty) and a
// variant; positions are (x, y), y -1 for a tray slot.
struct Entry {
  std::int32_t kind = -1;
  std::int32_t variant = 0;
};
struct Spot {
  std::int32_t x = -1;
  std::int32_t y = -1;
  friend bool operator==(const Spot&, const Spot&) = default;
};
struct Dump {
  std::int32_t mode = -1;
  std::int32_t level = -1;
  Spot selection;
  std::int32_t hovered = -1;
  bool dragging = false;
  Point lastPoint;
  Spot dragSource;
  std::string password;
  std::array<Entry, 10> tray{};
  std::array<std::array<Entry, 10>, 10> rows{};  // rows[y][x]
};
std::vector<Dump> ParseDumps(const std::string& out);

}  // namespace qw::testing
