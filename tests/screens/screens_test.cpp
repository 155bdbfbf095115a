// Every screen of the real game, played in script mode on the fixture data
// folder, compared pixel by pixel with a picture composed here: flat item
// colours in the drawing order of each screen, frames and grid lines as
// rectangles, the caption drawn by the font alone and the pieces copied from
// the piece strip. The game's renderer takes no part in the expectation.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

#include "fixture.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/font.h"

namespace qw {
namespace {

using testing::Dump;
using testing::Entry;
using testing::ItemCentre;
using testing::ItemColor;
using testing::KeyColor;
using testing::kPlaces;
using testing::ScreenSandbox;
using testing::Spot;

constexpr Color kBackground{153, 153, 255};
constexpr Color kPanel{204, 204, 255};
constexpr Color kSelection{235, 235, 255};
constexpr Color kGrid{172, 172, 223};
constexpr Color kCaption{94, 94, 94};
constexpr Color kBlack{0, 0, 0};
// The selection's frame over the piece: a dark ring, a bright ring inside it.
constexpr Color kFrameOuter{20, 20, 110};
constexpr Color kFrameInner{255, 210, 0};
// Hazards the water reached, on the failed screen.
constexpr Color kWetHazard{230, 0, 0};
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr Rect kCaptionBox{15, 5, 225, 18};

const Rect& Place(std::int32_t item) { return kPlaces[static_cast<std::size_t>(item)]; }

// A cell's 20x20 square: slot k of the tray, or cell (x, y) of the board,
// one pixel in from the frame at a 21-pixel pitch.
Rect CellSquare(Spot s) {
  const Rect& area = Place(s.y < 0 ? 16 : 17);
  return RectFromSize(area.left + 1 + 21 * s.x, area.top + 1 + 21 * (s.y < 0 ? 0 : s.y), 20, 20);
}

// The picture a screen should show, and which of its pixels are checked.
class Expected {
 public:
  Expected() : picture_(testing::kClientWidth, testing::kClientHeight), checked_(picture_.pixels().size(), true) {}

  Surface& picture() { return picture_; }
  void Fill(const Rect& r, Color c) {
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
      for (std::int32_t x = r.left; x < r.right; ++x) picture_.SetPixel(x, y, ToPixel(c));
    }
  }
  void Item(std::int32_t i) { Fill(Place(i), ItemColor(i)); }
  void Frame(const Rect& r, Color c = kBlack) {
    Fill(Rect{r.left, r.top, r.right, r.top + 1}, c);
    Fill(Rect{r.left, r.bottom - 1, r.right, r.bottom}, c);
    Fill(Rect{r.left, r.top, r.left + 1, r.bottom}, c);
    Fill(Rect{r.right - 1, r.top, r.right, r.bottom}, c);
  }
  // Where water runs: not checked, except where a piece lies over it.
  void Ignore(const Rect& r) { Mark(r, false); }
  // The opaque pixels of image n of the strip, at (x, y).
  void Piece(const Surface& strip, std::int32_t n, Point at) {
    for (std::int32_t y = 0; y < 20; ++y) {
      for (std::int32_t x = 0; x < 20; ++x) {
        const std::uint32_t p = strip.Pixel(20 * n + x, y);
        if (p == kMagenta) continue;
        picture_.SetPixel(at.x + x, at.y + y, p);
        Mark(RectFromSize(at.x + x, at.y + y, 1, 1), true);
      }
    }
  }

  // Every checked pixel that differs, the first few described.
  std::int64_t Differences(const Surface& shot, std::string* where) const {
    std::int64_t count = 0;
    std::ostringstream text;
    for (std::int32_t y = 0; y < picture_.height(); ++y) {
      for (std::int32_t x = 0; x < picture_.width(); ++x) {
        if (!checked_[Index(x, y)] || shot.Pixel(x, y) == picture_.Pixel(x, y)) continue;
        if (++count <= 5) {
          text << " (" << x << "," << y << ") is " << std::hex << shot.Pixel(x, y) << " not "
               << picture_.Pixel(x, y) << std::dec << ";";
        }
      }
    }
    *where = text.str();
    return count;
  }

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(picture_.width()) + static_cast<std::size_t>(x);
  }
  void Mark(const Rect& r, bool checked) {
    for (std::int32_t y = std::max(r.top, 0); y < std::min(r.bottom, picture_.height()); ++y) {
      for (std::int32_t x = std::max(r.left, 0); x < std::min(r.right, picture_.width()); ++x) {
        checked_[Index(x, y)] = checked;
      }
    }
  }
  Surface picture_;
  std::vector<bool> checked_;
};

const Surface& PieceStrip() {
  static const Surface strip = LoadBmpFile(QW_SOURCE_DIR "/resources/pieces.bmp").value();
  return strip;
}

void ExpectScreen(const Expected& expected, const std::filesystem::path& shot) {
  const std::optional<Surface> picture = LoadBmpFile(shot.string());
  ASSERT_TRUE(picture) << shot;
  ASSERT_EQ(picture->width(), testing::kClientWidth);
  ASSERT_EQ(picture->height(), testing::kClientHeight);
  std::string where;
  EXPECT_EQ(expected.Differences(*picture, &where), 0) << shot.filename() << ":" << where;
}

// The menu: panel, items 0, 1, 2, each button normal or lit; help adds its
// page over it.
Expected MenuScreen(std::int32_t hovered, bool help) {
  Expected e;
  e.Fill(e.picture().Bounds(), kPanel);
  for (std::int32_t i : {0, 1, 2}) e.Item(i);
  for (std::int32_t b = 0; b < 4; ++b) e.Item(hovered == b ? 2 * b + 4 : 2 * b + 3);
  if (help) e.Item(11);
  return e;
}

// Frame, panel inside, grid lines in the gaps between the cells (the tray's
// vertical only), the selection, the pieces but the one pressed.
void TrayAndBoard(Expected& e, const Dump& d, bool withTray) {
  for (std::int32_t area : {16, 17}) {
    if (area == 16 && !withTray) continue;
    const Rect& r = Place(area);
    e.Frame(r);
    const Rect inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    e.Fill(inside, kPanel);
    for (std::int32_t n = 1; n <= 9; ++n) {
      e.Fill(RectFromSize(inside.left + 21 * n - 1, inside.top, 1, inside.Height()), kGrid);
      if (area == 17) e.Fill(RectFromSize(inside.left, inside.top + 21 * n - 1, inside.Width(), 1), kGrid);
    }
  }
  if (d.selection != Spot{}) e.Fill(CellSquare(d.selection), kSelection);
}

void Pieces(Expected& e, const Dump& d, bool withTray) {
  auto draw = [&](const Entry& entry, Spot s) {
    if (entry.kind < 0 || s == d.dragSource) return;
    const Rect r = CellSquare(s);
    e.Piece(PieceStrip(), entry.kind + entry.variant, Point{r.left, r.top});
  };
  for (std::int32_t x = 0; x < 10; ++x) {
    if (withTray) draw(d.tray[static_cast<std::size_t>(x)], Spot{x, -1});
    for (std::int32_t y = 0; y < 10; ++y) {
      draw(d.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)], Spot{x, y});
    }
  }
  if (d.selection != Spot{} && (withTray || d.selection.y >= 0)) {
    const Rect r = CellSquare(d.selection);
    e.Frame(r, kFrameOuter);
    e.Frame(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kFrameInner);
  }
}

// The play screen: background, the caption as the font alone draws it, tray
// and board, the water's cells left unchecked, the pieces, the dragged piece
// centred under the pen.
Expected PlayScreen(const Dump& d, const std::wstring& caption, const Rect& wet) {
  Expected e;
  e.Fill(e.picture().Bounds(), kBackground);
  const std::unique_ptr<Font> font = Font::Open(12, 400, "Arial");
  EXPECT_TRUE(font) << "the caption font";
  Canvas canvas(e.picture());
  canvas.DrawText(font.get(), caption, kCaptionBox, kCaption);
  TrayAndBoard(e, d, true);
  e.Ignore(wet);
  Pieces(e, d, true);
  if (d.dragging) {
    const Entry& dragged = d.dragSource.y < 0 ? d.tray[static_cast<std::size_t>(d.dragSource.x)]
                                              : d.rows[static_cast<std::size_t>(d.dragSource.y)]
                                                      [static_cast<std::size_t>(d.dragSource.x)];
    e.Piece(PieceStrip(), dragged.kind + dragged.variant, Point{d.lastPoint.x - 10, d.lastPoint.y - 10});
  }
  return e;
}

// Solved or failed: background, banner and button, the board alone.
Expected OutcomeScreen(const Dump& d, std::initializer_list<std::int32_t> items, const Rect& wet) {
  Expected e;
  e.Fill(e.picture().Bounds(), kBackground);
  for (std::int32_t i : items) e.Item(i);
  TrayAndBoard(e, d, false);
  e.Ignore(wet);
  Pieces(e, d, false);
  return e;
}

// The script lines that press the menu button of item 3, 5, 7 or 9: the
// pen moves onto it, then taps.
std::string PressMenu(std::int32_t item) {
  return "move " + ItemCentre(item) + "\ntap " + ItemCentre(item) + "\n";
}

// Centre of a tray slot or board cell, for scripts.
std::string CellCentre(Spot s) {
  const Rect r = CellSquare(s);
  return std::to_string(r.left + 10) + " " + std::to_string(r.top + 10);
}

struct Played {
  testing::Outcome outcome;
  std::vector<Dump> dumps;
};

Played Play(const ScreenSandbox& box, const std::string& script) {
  Played p{box.Run(script, std::chrono::seconds(20)), {}};
  EXPECT_EQ(p.outcome.kind, testing::Outcome::Kind::Exited);
  EXPECT_EQ(p.outcome.code, 0) << p.outcome.err;
  p.dumps = testing::ParseDumps(p.outcome.out);
  return p;
}

TEST(Screens, MenuHighlightAndInstructions) {
  const ScreenSandbox box("menu");
  const auto shot = [&](const char* name) { return box.folder() / name; };
  const Played p = Play(box, "dump\nshot " + shot("menu.bmp").string() + "\nmove " + ItemCentre(7) + "\ndump\nshot " +
                                 shot("lit.bmp").string() + "\n" + PressMenu(7) + "dump\nshot " +
                                 shot("help.bmp").string() + "\n");
  ASSERT_EQ(p.dumps.size(), 3u);
  EXPECT_EQ(p.dumps[1].hovered, 2);
  EXPECT_EQ(p.dumps[2].mode, 1);
  ExpectScreen(MenuScreen(-1, false), shot("menu.bmp"));
  ExpectScreen(MenuScreen(2, false), shot("lit.bmp"));
  ExpectScreen(MenuScreen(-1, true), shot("help.bmp"));
}

TEST(Screens, PasswordKeypadAndEveryGlyph) {
  const ScreenSandbox box("password");
  const auto file = box.folder() / "password.bmp";
  // Every key, last to first, then two more glyphs past the row's item to
  // the window's right edge.
  const std::string typed = "TSRNLIEATS";
  const Played p = Play(box, PressMenu(5) + testing::TypeWord(typed) + "dump\nshot " + file.string() + "\n");
  ASSERT_EQ(p.dumps.size(), 1u);
  EXPECT_EQ(p.dumps[0].mode, 5);
  EXPECT_EQ(p.dumps[0].password, typed);
  Expected e;
  e.Fill(e.picture().Bounds(), kPanel);
  for (std::int32_t i : {0, 20, 21, 22}) e.Item(i);
  // The keypad, then the glyph row: each letter typed shows its key.
  for (std::int32_t k = 0; k < 8; ++k) {
    e.Fill(RectFromSize(Place(23).left + 20 * k, Place(23).top, 20, 20), KeyColor(k));
  }
  for (std::size_t j = 0; j < typed.size(); ++j) {
    const auto key = static_cast<std::int32_t>(std::string_view("AEILNRST").find(typed[j]));
    e.Fill(RectFromSize(Place(24).left + 20 * static_cast<std::int32_t>(j), Place(24).top, 20, 20), KeyColor(key));
  }
  ExpectScreen(e, file);
}

TEST(Screens, PlayShowsCaptionTrayBoardAndPiecesToTheLastColumn) {
  const ScreenSandbox box("play");
  const auto play = box.folder() / "play.bmp", drag = box.folder() / "drag.bmp";
  const Spot corner{9, 9}, edge{9, 0};
  const Played p = Play(
      box, PressMenu(3) + "drag " + CellCentre({0, -1}) + " " + CellCentre(corner) + "\ndrag " +
               CellCentre({1, -1}) + " " + CellCentre(edge) + "\ntap " + CellCentre(edge) + "\ndump\nshot " +
               play.string() + "\ntap " + CellCentre({3, -1}) + "\ndown " + CellCentre({2, -1}) +
               "\nmove 100 150\ndump\nshot " + drag.string() + "\n");
  ASSERT_EQ(p.dumps.size(), 2u);
  const Dump& d = p.dumps[0];
  ASSERT_EQ(d.mode, 2);
  // The pieces stand where the test needs them: the last column, the last
  // row, the last slot; one turned and selected.
  EXPECT_EQ(d.rows[9][9].kind, 0);
  EXPECT_EQ(d.rows[0][9].kind, 0);
  EXPECT_EQ(d.rows[0][9].variant, 1);
  EXPECT_EQ(d.tray[9].kind, 16);
  EXPECT_EQ(d.selection, edge);
  // The water runs from the source into the wall beside it.
  const Rect wet{Place(17).left, Place(17).top, CellSquare({1, 0}).right + 1, CellSquare({1, 0}).bottom + 1};
  ExpectScreen(PlayScreen(d, L"Level 1/4", wet), play);
  // Then a slot is selected and another piece dragged.
  ASSERT_TRUE(p.dumps[1].dragging);
  EXPECT_EQ(p.dumps[1].selection, (Spot{3, -1}));
  ExpectScreen(PlayScreen(p.dumps[1], L"Level 1/4", wet), drag);
}

TEST(Screens, SolvedAndFailedShowTheBoardWithBannerAndButton) {
  const ScreenSandbox box("outcome");
  const auto solved = box.folder() / "solved.bmp", failed = box.folder() / "failed.bmp",
             last = box.folder() / "last.bmp";
  auto enter = [](const std::string& word) {
    return PressMenu(5) + testing::TypeWord(word) + "tap " + ItemCentre(20) + "\n";
  };
  const Played p = Play(box, enter("SLATE") + "dump\nshot " + solved.string() + "\nok\n" + enter("TRAIN") +
                                 "dump\nshot " + failed.string() + "\nok\n" + enter("SEALS") + "dump\nshot " +
                                 last.string() + "\n");
  ASSERT_EQ(p.dumps.size(), 3u);
  EXPECT_EQ(p.dumps[0].mode, 3);
  EXPECT_EQ(p.dumps[1].mode, 4);
  EXPECT_EQ(p.dumps[2].mode, 3);
  EXPECT_EQ(p.dumps[2].level, 3);
  // The water runs along the top row; the doused fire and the hazard lie
  // over it and are checked.
  const Rect wet{Place(17).left, Place(17).top, Place(17).right, CellSquare({0, 0}).bottom + 1};
  ExpectScreen(OutcomeScreen(p.dumps[0], {18, 12}, wet), solved);
  // The failed screen frames the hazard the water reached in red, two
  // pixels wide just inside its cell: the first along the top row.
  Expected lost = OutcomeScreen(p.dumps[1], {19, 13}, wet);
  for (std::int32_t x = 0; x < 10; ++x) {
    if (p.dumps[1].rows[0][static_cast<std::size_t>(x)].kind != 34) continue;
    const Rect r = CellSquare({x, 0});
    lost.Frame(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kWetHazard);
    lost.Frame(Rect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, kWetHazard);
    break;
  }
  ExpectScreen(lost, failed);
  ExpectScreen(OutcomeScreen(p.dumps[2], {18, 14}, wet), last);

  // A generated level's solved screen goes on with the Continue button, not
  // the set's "All levels done"; its board is not checked here.
  const auto daily = box.folder() / "daily.bmp";
  std::string hints;
  for (int i = 0; i < 20; ++i) hints += "hint\n";
  const testing::Outcome run =
      box.Run(hints + "dump\nshot " + daily.string() + "\n", std::chrono::seconds(60), {"--daily", "2026-12-07"});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::vector<Dump> dumps = testing::ParseDumps(run.out);
  ASSERT_EQ(dumps.size(), 1u);
  ASSERT_EQ(dumps[0].mode, 3);
  Expected generated = OutcomeScreen(dumps[0], {18, 12}, Place(17));
  generated.Ignore(Place(17));
  ExpectScreen(generated, daily);
}

}  // namespace
}  // namespace qw
