#include "preview.h"

#include <array>
#include <cstdio>

#include "bmp_writer.h"
#include "piece_sheet.h"
#include "pieces.h"
#include "shapes.h"

namespace qw::artgen {
namespace {

struct Cell {
  int kind = -1;
  int variant = 0;
};

struct Board {
  std::array<Cell, 100> cells;  // index x * 10 + y
  std::array<Cell, 10> tray;
  Cell& at(int x, int y) { return cells[x * 10 + y]; }
};

class Screen {
 public:
  Screen(const Skin& skin) : skin_(skin), img_(kClientWidth, kClientHeight, Look().panel) {}
  Image& img() { return img_; }
  void Item(int i) {
    const LayoutEntry& e = skin_.items[i];
    img_.Paste(skin_.image.Crop(e.srcX, e.srcY, e.place.w, e.place.h), e.place.x, e.place.y);
  }
  const ItemPlace& Place(int i) const { return skin_.items[i].place; }
  const LayoutEntry& Entry(int i) const { return skin_.items[i]; }

 private:
  const Skin& skin_;
  Image img_;
};

void Frame(Image& img, const ItemPlace& p, bool rowsToo) {
  img.Fill(p.x, p.y, p.w, p.h, Look().frame);
  img.Fill(p.x + 1, p.y + 1, p.w - 2, p.h - 2, Look().panel);
  for (int d = 21; d < 210; d += 21) {
    img.Fill(p.x + d, p.y + 1, 1, p.h - 2, Look().grid);
    if (rowsToo) img.Fill(p.x + 1, p.y + d, p.w - 2, 1, Look().grid);
  }
}

Vec2 CellOrigin(const ItemPlace& p, int x, int y) {
  return {p.x + 1.0 + 21 * x, p.y + 1.0 + 21 * y};
}

// The game's water: a 2-pixel line from cell centre to cell centre.
void WaterLine(Image& img, Vec2 from, int d, const ItemPlace& clip) {
  const Vec2 s = DirectionStep(d);
  for (int i = 0; i < 21; ++i) {
    const int px = static_cast<int>(from.x + s.x * i);
    const int py = static_cast<int>(from.y + s.y * i);
    for (int y = py - 1; y <= py; ++y) {
      for (int x = px - 1; x <= px; ++x) {
        if (x >= clip.x && y >= clip.y && x < clip.x + clip.w && y < clip.y + clip.h)
          img.Set(x, y, Look().water);
      }
    }
  }
}

struct Outcome {
  bool failed = false;
};

void FlowFrom(Image& img, Board& b, const ItemPlace& board, int x, int y, int d, Outcome& out) {
  WaterLine(img, CellOrigin(board, x, y) + Vec2{10, 10}, d, board);
  const Vec2 s = DirectionStep(d);
  const int nx = x + static_cast<int>(s.x), ny = y + static_cast<int>(s.y);
  if (nx < 0 || ny < 0 || nx > 9 || ny > 9) return;
  Cell& c = b.at(nx, ny);
  const int r = c.variant;
  auto go = [&](int dir) { FlowFrom(img, b, board, nx, ny, dir % 8, out); };
  switch (c.kind) {
    case -1: go(d); break;
    case 32:
      c.variant = 1;
      go(d);
      break;
    case 0:
      if (d == r)
        go(d + 2);
      else if (d == (r + 6) % 8)
        go(d + 6);
      break;
    case 8:
      if (d == r)
        go(d + 1);
      else if (d == (r + 5) % 8)
        go(d + 7);
      break;
    case 16:
      if (d == r) {
        go(d + 2);
        go(d + 6);
      }
      break;
    case 34: out.failed = true; break;
    default: break;
  }
}

void DrawBoard(Screen& s, Board b, bool withTray, Vec2 selection) {
  Image& img = s.img();
  const ItemPlace& tray = s.Place(16);
  const ItemPlace& board = s.Place(17);
  if (withTray) Frame(img, tray, false);
  Frame(img, board, true);
  if (selection.x >= 0) {
    const Vec2 o = selection.y < 0 ? CellOrigin(tray, int(selection.x), 0)
                                   : CellOrigin(board, int(selection.x), int(selection.y));
    img.Fill(int(o.x), int(o.y), 20, 20, Look().selection);
  }
  for (Cell& c : b.cells) {
    if (c.kind == 32) c.variant = 0;
  }
  Outcome out;
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y) {
      if (b.at(x, y).kind == 24) FlowFrom(img, b, board, x, y, b.at(x, y).variant, out);
    }
  }
  for (int x = 0; x < 10; ++x) {
    if (withTray && b.tray[x].kind >= 0) {
      const Vec2 o = CellOrigin(tray, x, 0);
      img.Paste(DrawPiece(b.tray[x].kind + b.tray[x].variant), int(o.x), int(o.y), true);
    }
    for (int y = 0; y < 10; ++y) {
      const Cell& c = b.at(x, y);
      if (c.kind < 0) continue;
      const Vec2 o = CellOrigin(board, x, y);
      img.Paste(DrawPiece(c.kind + c.variant), int(o.x), int(o.y), true);
    }
  }
}

// A level part-way through: some pipes laid, water running, one fire out.
Board SampleBoard(bool solved) {
  Board b;
  auto put = [&](int x, int y, int kind, int variant = 0) { b.at(x, y) = Cell{kind, variant}; };
  put(1, 1, 24, 2);  // nozzle pointing east
  put(4, 1, 32);
  put(7, 1, 0, 2);  // elbow: from the west on to the south
  put(7, 4, 8, 4);  // bend: south on to south-west
  put(4, 7, 32);
  put(3, 8, 16, 5);  // splitter fed from the north-east
  put(1, 6, 32);
  put(6, 8, 34);
  put(9, 5, 35);
  put(0, 3, 35);
  put(2, 5, 35);
  put(1, 8, 34);
  if (!solved) {
    put(3, 8, -1);
    b.tray = {Cell{0, 0}, Cell{0, 0}, Cell{8, 3}, Cell{16, 0}, Cell{16, 3}, Cell{8, 6}};
  }
  return b;
}

void Caption(Screen& s, const Fonts& fonts, const char* text) {
  fonts.caption->Draw(s.img(), 15, 5, text, Look().caption);
}

Image Menu(const Skin& skin, int hovered, bool help) {
  Screen s(skin);
  for (int i : {0, 1, 2}) s.Item(i);
  for (int b = 0; b < 4; ++b) s.Item(hovered == b ? 2 * b + 4 : 2 * b + 3);
  if (help) s.Item(11);
  return s.img();
}

Image Play(const Skin& skin, const Fonts& fonts) {
  Screen s(skin);
  s.img().Fill(0, 0, kClientWidth, kClientHeight, Look().background);
  Caption(s, fonts, "Level 12/30");
  DrawBoard(s, SampleBoard(false), true, Vec2{2, -1});
  return s.img();
}

Image Outcome(const Skin& skin, bool failed, bool last) {
  Screen s(skin);
  s.img().Fill(0, 0, kClientWidth, kClientHeight, Look().background);
  s.Item(failed ? 19 : 18);
  s.Item(failed ? 13 : (last ? 14 : 12));
  Board b = SampleBoard(true);
  if (failed) b.at(3, 8) = Cell{8, 5};  // a bend sends the water west, onto the lightning
  DrawBoard(s, b, false, Vec2{3, 8});
  return s.img();
}

Image Password(const Skin& skin, const char* entered) {
  Screen s(skin);
  for (int i : {0, 20, 21, 22, 23}) s.Item(i);
  const LayoutEntry& keys = s.Entry(23);
  const ItemPlace& field = s.Place(24);
  const char* alphabet = "AEILNRST";
  for (int j = 0; entered[j] != 0; ++j) {
    int k = 0;
    for (int i = 0; i < 8; ++i) {
      if (alphabet[i] == entered[j]) k = i;
    }
    s.img().Paste(skin.image.Crop(keys.srcX + 20 * k, keys.srcY, 20, 20), field.x + 20 * j,
                  field.y);
  }
  return s.img();
}

// Every piece on a cell, dry and with water through its openings.
Image PieceSheet() {
  Image sheet(8 * 21 * 2 + 3, 5 * 21 + 1, Look().grid);
  for (int wet = 0; wet < 2; ++wet) {
    for (int n = 0; n < kPieceCount; ++n) {
      const int col = n < 32 ? n % 8 : n - 32;
      const int row = n < 32 ? n / 8 : 4;
      const int x0 = wet * (8 * 21 + 2) + 1 + col * 21;
      const int y0 = 1 + row * 21;
      sheet.Paste(PieceOnCell(n, wet == 1), x0, y0);
    }
  }
  return sheet;
}

}  // namespace

bool WritePreviews(const Skin& skin, const Fonts& fonts, const std::string& dir) {
  const std::pair<const char*, Image> screens[] = {
      {"menu", Menu(skin, -1, false)},
      {"menu_hover", Menu(skin, 1, false)},
      {"help", Menu(skin, -1, true)},
      {"play", Play(skin, fonts)},
      {"solved", Outcome(skin, false, false)},
      {"solved_last", Outcome(skin, false, true)},
      {"failed", Outcome(skin, true, false)},
      {"password", Password(skin, "STARLINE")},
      {"pieces", PieceSheet()},
  };
  bool ok = true;
  for (const auto& [name, image] : screens) {
    ok = WriteBmp24(image, dir + "/" + name + ".bmp") && ok;
  }
  return ok;
}

}  // namespace qw::artgen
