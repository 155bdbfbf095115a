// Layout and level files that are empty, random, cut by zero bytes, one huge
// line, too short, or full of values outside every range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostile.h"

namespace qw::testing {
namespace {

std::string Shipped(const std::string& name) { return ReadBytes(std::string(QW_SOURCE_DIR) + "/data/" + name); }

// The shipped layout's item lines, without comments.
std::vector<std::string> LayoutItems() {
  std::vector<std::string> items;
  const std::string text = Shipped("qw_layout.dat");
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = text.substr(at, end - at);
    if (!line.empty() && line[0] != ';') items.push_back(line);
  }
  // The 25 items every layout needs; the later ones are optional.
  if (items.size() > 25) items.resize(25);
  return items;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

Outcome RunWith(Sandbox& box, const std::string& file, const std::string& bytes) {
  box.Write(file, bytes);
  return box.Run(PlayScript(box));
}

// A level the play script can start: pieces in the tray, a source, a fire.
std::vector<std::string> Level(const std::string& fires) {
  return {"Test", "SEAL", "3,2,1", "40,2", fires, "-1", "-1"};
}

TEST(HostileLayout, NothingUsableIsRefused) {
  const std::vector<std::string> items = LayoutItems();
  ASSERT_EQ(items.size(), 25u);
  struct Case {
    std::string name;
    std::string bytes;
  };
  std::vector<std::string> short24(items.begin(), items.end() - 1);
  std::string zeroInside = Lines(items);
  zeroInside.insert(zeroInside.find(items[10]), 1, '\0');  // the text ends there: 10 items
  const std::vector<Case> cases{
      {"empty", ""},
      {"fewer_than_25", Lines(short24)},
      {"last_line_unterminated", Lines(short24) + items.back()},
      {"zero_inside", zeroInside},
      {"one_10mb_line", std::string(10 * 1024 * 1024, '1')},
      {"garbage", Garbage(4096, 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sandbox box("layout_" + c.name);
    ExpectRefused(RunWith(box, "qw_layout.dat", c.bytes), kLayoutRefused);
  }
}

TEST(HostileLayout, StrangeValuesLoadAndPlay) {
  std::vector<std::string> items = LayoutItems();
  items[0] = "0,26,240,268,100000,-100000";                                // picture far outside the skin
  items[3] = " +44 , 132,152,30,x,1";                                       // blanks, signs, a non-number
  items[16] = "2147483647,-2147483648,2147483647,2147483647,0,0";           // tray at the int32 limits
  items[17] = "-5,26,-240,-20,-100000,99999999999";                         // negative sizes
  items[23] = "40,184,160,20,2147483647,2147483647";                        // glyph strip past the limits
  items[24] = "-2147483648,-2147483648,-1,-1,0,0";
  Sandbox box("layout_values");
  ExpectPlayed(RunWith(box, "qw_layout.dat", Lines(items)), box);

  // A 10 MB comment line ahead of the items is skipped like any comment.
  Sandbox big("layout_long_comment");
  ExpectPlayed(RunWith(big, "qw_layout.dat", ";" + std::string(10 * 1024 * 1024, 'x') + "\r\n" + Lines(LayoutItems())),
               big);
}

TEST(HostileLevels, AnyContentLoads) {
  struct Case {
    std::string name;
    std::string bytes;
  };
  std::vector<std::string> two = Level("45");
  for (const std::string& l : Level("46")) two.push_back(l);
  std::string zeroInside = Lines(two);
  zeroInside.insert(zeroInside.find("Test", 1), 1, '\0');  // only the first level is read
  const std::vector<Case> cases{
      {"empty", ""},  // no level: New Game stays on the menu
      {"garbage", Garbage(4096, 4)},
      {"zero_inside", zeroInside},
      {"one_10mb_line", std::string(10 * 1024 * 1024, ',')},
      {"10mb_fire_list", Lines(Level(std::string(10 * 1024 * 1024 / 3, ' ') + "45"))},
      {"10mb_list_of_cells", [] {
         std::string fires;
         while (fires.size() < 10 * 1024 * 1024) fires += "55,";
         return Lines(Level(fires + "54"));
       }()},
      {"out_of_range",
       Lines({"t", "SEAL", "-5,99999999999,11", "100,-9", "-1,100,99,0,,x,2147483647,-2147483648", " -1",
              "5,,7,999", "t2", "p", "2147483647,2147483647,2147483647", "-2147483648,2147483647", "x", "-1",
              "-1"})},
      {"rotation_and_counts", Lines({"t", "SEAL", "4,4,4", "44,2147483647", "45", "-1", "-1"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sandbox box("levels_" + c.name);
    ExpectPlayed(RunWith(box, "qw_levels.dat", c.bytes), box);
  }
}

}  // namespace
}  // namespace qw::testing
