// The pictures of the menu's Continue and Levels buttons and of the level
// chooser: its page, its buttons and the marks stamped in its rows.
#include <array>
#include <vector>

#include "shapes.h"
#include "skin.h"

namespace qw::artgen {
namespace {

// A triangle pointing left (dir 1) or right (dir -1), centred in the box.
void DrawArrow(Image& img, const ItemPlace& p, int dir, Rgb colour) {
  const double cx = p.x + p.w / 2.0, cy = p.y + (p.h - 2) / 2.0;
  const std::vector<Vec2> tri{
      {cx + 4.0 * dir, cy - 5.0}, {cx + 4.0 * dir, cy + 5.0}, {cx - 4.0 * dir, cy}};
  ShadeSoft(img, p.x, p.y, p.w, p.h, [&](double x, double y) {
    return PolygonDistance(Vec2{x, y}, tri) <= 0 ? Solid(colour) : Paint{};
  });
}

}  // namespace

// A green disc with a white tick: the level is solved.
Image SolvedMark(int size) {
  Image mark(size, size, kMagenta);
  const Vec2 c{size / 2.0, size / 2.0};
  const Vec2 a{3.5, 7.2}, b{6.0, 9.8}, d{10.6, 4.2};
  ShadeHard(mark, 0, 0, size, size, [&](double x, double y) {
    const Vec2 p{x, y};
    if (CircleDistance(p, c, size / 2.0 - 0.2) > 0) return Paint{};
    const bool tick = SegmentDistance(p, a, b) < 1.1 || SegmentDistance(p, b, d) < 1.1;
    return Solid(tick ? Look().litText : Look().solved);
  });
  return mark;
}

// A grey padlock: the level is locked.
Image LockMark(int size) {
  Image mark(size, size, kMagenta);
  const Rgb grey = Look().lockGrey;
  ShadeHard(mark, 0, 0, size, size, [&](double x, double y) {
    const Vec2 p{x, y};
    const bool body = RoundBoxDistance(p, 2.0, 6.0, size - 2.0, size - 0.5, 1.5) <= 0;
    const double ring = CircleDistance(p, Vec2{size / 2.0, 5.5}, 3.6);
    const bool shackle = y < 7.0 && ring <= 0 && ring > -1.6;
    if (body)
      return Solid(RoundBoxDistance(p, size / 2.0 - 0.8, 8.5, size / 2.0 + 0.8, 11.5, 0.5) <= 0
                       ? Look().panel
                       : grey);
    return shackle ? Solid(grey) : Paint{};
  });
  return mark;
}

void DrawChooserPictures(const Fonts& fonts, std::map<int, Image>& items) {
  const auto& places = ItemPlaces();

  // The menu's band lies over the strip of the title picture, reaching past
  // it on both sides so that its round ends show no piece of the strip.
  Image menu = items.at(0);
  DrawRaisedCard(menu, places[25], 8);
  items[25] = Cut(menu, 25);
  CutButtonPairs(menu, fonts, 26, {"Continue", "Levels"}, items);

  // The chooser's page: a heading, a field around the rows.
  Image page(kClientWidth, kClientHeight, Look().panel);
  for (int y = 0; y < 26; ++y)
    page.Fill(0, y, kClientWidth, 1, Mix(Look().headingBand, Look().panel, y / 26.0));
  fonts.heading->DrawCentred(page, kClientWidth / 2, 4, "Choose a level", Look().ink);
  const ItemPlace& list = places[31];
  DrawField(page, list.x - 2, list.y - 2, list.w + 4, list.h + 4);
  items[30] = page;
  Image buttons = page;
  DrawButton(buttons, fonts, places[32].x, places[32].y, places[32].w, places[32].h, "Back", false);
  for (int k = 0; k < 2; ++k) {
    const ItemPlace& p = places[33 + k];
    DrawButton(buttons, fonts, p.x, p.y, p.w, p.h, "", false);
    DrawArrow(buttons, p, k == 0 ? 1 : -1, Look().ink);
  }
  for (int i = 32; i <= 34; ++i) items[i] = Cut(buttons, i);
  // The solved screen's panel for the best lies over the board.
  const ItemPlace& best = places[39];
  Image board(kClientWidth, kClientHeight, Look().panel);
  DrawRoundPanel(board, best.x, best.y + 1, best.w, best.h - 1, 6, Look().ink, Look().ink);
  DrawRoundPanelGradient(board, best.x, best.y, best.w, best.h - 2, 6, Look().paper,
                         Look().bannerBottom, Look().ink);
  items[39] = Cut(board, 39);
  // A solved daily puzzle or random level goes back to the chooser.
  Image outcome(kClientWidth, kClientHeight, Look().background);
  const ItemPlace& done = places[40];
  DrawButton(outcome, fonts, done.x, done.y, done.w, done.h, "Levels", false);
  items[40] = Cut(outcome, 40);
  // Below it, a random level offers another of its grade; under the button
  // lies the board's top row.
  Image another(kClientWidth, kClientHeight, Look().background);
  another.Fill(14, 51, 211, 211, Look().panel);
  const ItemPlace& more = places[41];
  DrawButton(another, fonts, more.x, more.y, more.w, more.h, "Another", false);
  items[41] = Cut(another, 41);
  items[35] = SolvedMark(places[35].w);
  items[36] = LockMark(places[36].w);
}

}  // namespace qw::artgen
