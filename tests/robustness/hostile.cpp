#include "hostile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "data/layout.h"
#include "platform/bitmap.h"

namespace qw::testing {

namespace {

std::string At(Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

// Cells are 20 pixels on a 21-pixel pitch inside the item's 1-pixel frame.
Point CellCentre(const Rect& item, std::int32_t x, std::int32_t y) {
  return Point{item.left + 1 + 21 * x + 10, item.top + 1 + 21 * y + 10};
}

// No signal, no hang, no sanitizer report; true when the run is fit to be
// looked at further.
bool Survived(const Outcome& run) {
  EXPECT_NE(run.kind, Outcome::Kind::TimedOut) << "the game hung";
  EXPECT_NE(run.kind, Outcome::Kind::Signalled) << "the game died of signal " << run.code << "\n" << run.err;
  EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << run.err;
  return run.kind == Outcome::Kind::Exited;
}

// A dump entry: -1, or kind:variant of a Cell whose image is in the strip.
bool SoundEntry(const std::string& entry) {
  if (entry == "-1") return true;
  const std::size_t colon = entry.find(':');
  if (colon == std::string::npos) return false;
  const int kind = std::stoi(entry.substr(0, colon));
  const int variant = std::stoi(entry.substr(colon + 1));
  const bool knownKind = kind == 0 || kind == 8 || kind == 16 || kind == 24 || kind == 32 || kind == 34 || kind == 35;
  return knownKind && variant >= 0 && kind + variant < 36;
}

void ExpectSoundDump(const std::string& out) {
  std::istringstream lines(out);
  int dumps = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string head;
    words >> head;
    if (head == "mode") {
      int mode = -1;
      words >> mode;
      EXPECT_TRUE(mode >= 0 && mode <= 5) << line;
      ++dumps;
    } else if (head == "tray" || (head.size() == 4 && head.starts_with("row"))) {
      std::vector<std::string> entries;
      for (std::string e; words >> e;) entries.push_back(e);
      EXPECT_EQ(entries.size(), 10u) << line;
      for (const std::string& e : entries) EXPECT_TRUE(SoundEntry(e)) << line;
    }
  }
  EXPECT_EQ(dumps, 2) << out;
}

}  // namespace

std::string PlayScript(const Sandbox& box) {
  const Layout layout = LoadLayout(QW_SOURCE_DIR "/data/qw_layout.dat").value();
  const Rect tray = ItemRect(layout, 16), board = ItemRect(layout, 17), newGame = ItemRect(layout, 3);
  const Rect keys = ItemRect(layout, 23), confirm = ItemRect(layout, 20);
  auto centre = [](const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
  std::ostringstream s;
  s << "tap " << At(centre(newGame)) << "\n"
    << "drag " << At(CellCentre(tray, 0, 0)) << " " << At(CellCentre(board, 4, 4)) << "\n"
    << "tap " << At(CellCentre(board, 4, 4)) << "\n"
    << "tap " << At(CellCentre(board, 4, 4)) << "\n"
    << "rotate-ccw\n"
    << "drag " << At(CellCentre(tray, 1, 0)) << " " << At(CellCentre(board, 5, 4)) << "\n"
    << "dump\n"
    << "shot " << (box.folder() / "shot.bmp").string() << "\n"
    << "restart\npassword\n"
    << "tap " << At(Point{keys.left + 10, centre(keys).y}) << "\n"
    << "tap " << At(centre(confirm)) << "\n"
    << "dump\n";
  return s.str();
}

void ExpectRefused(const Outcome& run, const std::string& messages) {
  if (!Survived(run)) return;
  EXPECT_EQ(run.code, 1) << run.out << run.err;
  EXPECT_EQ(run.out, messages);
}

void ExpectPlayed(const Outcome& run, const Sandbox& box) {
  if (!Survived(run)) return;
  ASSERT_EQ(run.code, 0) << run.out << run.err;
  ExpectSoundDump(run.out);
  const std::optional<Surface> shot = LoadBmpFile((box.folder() / "shot.bmp").string());
  ASSERT_TRUE(shot.has_value());
  EXPECT_EQ(shot->width(), 240);
  EXPECT_EQ(shot->height(), 268);
}

}  // namespace qw::testing
