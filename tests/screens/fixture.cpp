#include "fixture.h"

#include <sstream>

#include "platform/bitmap.h"

namespace qw::testing {

namespace {

// Item i's source is a band of the skin of its own, one below the other.
std::array<std::int32_t, 25> SourceTops() {
  std::array<std::int32_t, 25> tops{};
  std::int32_t y = 0;
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    tops[i] = y;
    y += kPlaces[i].Height();
  }
  return tops;
}

Surface FixtureSkin() {
  const auto tops = SourceTops();
  Surface skin(kClientWidth, tops.back() + kPlaces.back().Height() + 1);
  for (std::int32_t i = 0; i < 25; ++i) {
    const auto& place = kPlaces[static_cast<std::size_t>(i)];
    const std::int32_t top = tops[static_cast<std::size_t>(i)];
    for (std::int32_t y = top; y < top + place.Height(); ++y) {
      for (std::int32_t x = 0; x < place.Width(); ++x) {
        const Color c = i == 23 ? KeyColor(x / 20) : ItemColor(i);
        skin.SetPixel(x, y, ToPixel(c));
      }
    }
  }
  return skin;
}

std::string FixtureLayout() {
  const auto tops = SourceTops();
  std::string text = "; one band of the skin per item\r\n";
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    const Rect& r = kPlaces[i];
    // The file's y is 26 more than the screen's.
    text += std::to_string(r.left) + "," + std::to_string(r.top + 26) + "," + std::to_string(r.Width()) + "," +
            std::to_string(r.Height()) + ",0," + std::to_string(tops[i]) + "\r\n";
  }
  return text;
}

std::string Centre(const Rect& r) {
  return std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2);
}

Entry ParseEntry(const std::string& word) {
  if (word == "-1") return Entry{};
  const auto colon = word.find(':');
  return Entry{std::stoi(word.substr(0, colon)), std::stoi(word.substr(colon + 1))};
}

}  // namespace

Color ItemColor(std::int32_t item) {
  return Color{static_cast<std::uint8_t>(10 * item + 5), 77, static_cast<std::uint8_t>(250 - 3 * item)};
}

Color KeyColor(std::int32_t key) { return Color{200, static_cast<std::uint8_t>(20 * key + 10), 0}; }

ScreenSandbox::ScreenSandbox(const std::string& name) : Sandbox(name) {
  SaveBmp24(FixtureSkin(), (data() / "qw_images.dat").string());
  Write("qw_layout.dat", FixtureLayout());
  Write("qw_levels.dat", kScreenLevels);
}

std::string ItemCentre(std::int32_t item) { return Centre(kPlaces[static_cast<std::size_t>(item)]); }

std::string KeyCentre(std::int32_t key) {
  const Rect& keypad = kPlaces[23];
  return Centre(RectFromSize(keypad.left + 20 * key, keypad.top, 20, keypad.Height()));
}

std::string TypeWord(const std::string& word) {
  static constexpr std::string_view kKeys = "AEILNRST";
  std::string script;
  for (char c : word) script += "tap " + KeyCentre(static_cast<std::int32_t>(kKeys.find(c))) + "\n";
  return script;
}

std::vector<Dump> ParseDumps(const std::string& out) {
  std::vector<Dump> dumps;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "mode") {
      dumps.emplace_back();
      words >> dumps.back().mode;
    }
    if (dumps.empty()) continue;
    Dump& d = dumps.back();
    if (key == "level") {
      words >> d.level;
    } else if (key == "selection") {
      words >> d.selection.x >> d.selection.y;
    } else if (key == "hovered") {
      words >> d.hovered;
    } else if (key == "press") {
      int down = 0, dragging = 0;
      words >> down >> dragging >> d.lastPoint.x >> d.lastPoint.y >> d.dragSource.x >> d.dragSource.y;
      d.dragging = dragging != 0;
    } else if (key == "password") {
      words >> d.password;
    } else if (key == "tray") {
      for (Entry& e : d.tray) {
        std::string w;
        words >> w;
        e = ParseEntry(w);
      }
    } else if (key.size() == 4 && key.starts_with("row")) {
      for (Entry& e : d.rows[static_cast<std::size_t>(key[3] - '0')]) {
        std::string w;
        words >> w;
        e = ParseEntry(w);
      }
    }
  }
  return dumps;
}

}  // namespace qw::testing
