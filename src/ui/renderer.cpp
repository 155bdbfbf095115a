#include "ui/renderer.h"

#include <string>

#include "data/keypad.h"
#include "data/layout_items.h"
#include "ui/cursor_frame.h"
#include "ui/draw_item.h"
#include "ui/client_area.h"
#include "ui/game_texts.h"
#include "ui/piece_art.h"
#include "platform/font.h"
#include "ui/level_chooser.h"

namespace qw {

namespace {

constexpr std::int32_t kGridEnd = kCellPitch * kBoardSize;
constexpr std::int32_t kGlyphSize = 20;

Point TopLeft(const Rect& r) { return Point{r.left, r.top}; }

// The left edge of text `width` pixels wide centred in box. Layout values
// are clamped when loaded, so these sums stay inside int32.
std::int32_t CentredLeft(const Rect& box, std::int32_t width) {
  return box.left + std::max(0, (box.right - box.left - width) / 2);
}

// Without Continue the menu's band closes just past Levels: its left part up
// to there, then its own round end, which reaches as far past Levels as the
// whole band reaches past Continue (the band shades only from top to bottom,
// so the two parts meet without a seam). A layout where that does not fit
// gets the whole band.
void DrawBandForLevelsAlone(Canvas& canvas, const Surface& skin, const Layout& layout) {
  const LayoutItem& band = layout[kItemMenuBand];
  const LayoutItem& levels = layout[kItemMenuLevels];
  const LayoutItem& shown = layout[kItemMenuContinue];
  const std::int64_t margin = std::int64_t{band.x} + band.w - (std::int64_t{shown.x} + shown.w);
  const std::int64_t width = std::int64_t{levels.x} + levels.w + margin - band.x;
  const std::int64_t end = margin + 4;
  if (margin < 0 || end >= width || width >= band.w) {
    DrawItem(canvas, skin, layout, kItemMenuBand);
    return;
  }
  const auto left = static_cast<std::int32_t>(width - end);
  const auto right = static_cast<std::int32_t>(end);
  canvas.CopyRect(skin, Rect{band.srcX, band.srcY, band.srcX + left, band.srcY + band.h},
                  Point{band.x, band.y});
  canvas.CopyRect(
      skin, Rect{band.srcX + band.w - right, band.srcY, band.srcX + band.w, band.srcY + band.h},
      Point{band.x + left, band.y});
}

}  // namespace

ScreenRenderer::ScreenRenderer(const Puzzle& puzzle, const UiState& ui, const ScreenArt& art,
                               std::int32_t levelCount)
    : puzzle_(puzzle), ui_(ui), art_(art), geometry_(art.layout), levelCount_(levelCount) {
  playArea_.Union(ItemRect(art_.layout, kItemTray));
  playArea_.Union(ItemRect(art_.layout, kItemBoard));
  clientRegion_ = Region(kClientRect);
}

void ScreenRenderer::OnPaint(Canvas& canvas) {
  paintArea_ = canvas.Clip();
  switch (ui_.screenMode) {
    case MODE_MENU: PaintMenu(canvas, false); break;
    case MODE_HELP: PaintMenu(canvas, true); break;
    case MODE_PLAY: PaintPlay(canvas); break;
    case MODE_SOLVED: PaintOutcome(canvas, true); break;
    case MODE_FAILED: PaintOutcome(canvas, false); break;
    case MODE_PASSWORD: PaintPassword(canvas); break;
    case MODE_LEVELS: PaintChooser(canvas); break;
    case MODE_CODE: PaintCode(canvas); break;
    case MODE_SETTINGS: PaintSettings(canvas); break;
    case MODE_EDITOR: PaintEditor(canvas); break;
  }
  canvas.SetClip(paintArea_);
}

void ScreenRenderer::SelectClip(Canvas& canvas, const Region& region) {
  Region clip = region;
  clip.Intersect(paintArea_);
  canvas.SetClip(clip);
}

void ScreenRenderer::PaintMenu(Canvas& canvas, bool help) {
  canvas.FillRect(kClientRect, look().panel);
  DrawItem(canvas, art_.skin, art_.layout, kItemTitle);
  DrawItem(canvas, art_.skin, art_.layout, kItemMenuFirst);
  DrawItem(canvas, art_.skin, art_.layout, kItemMenuSecond);
  for (std::int32_t i = 0; i < kMenuButtons; ++i) {
    DrawItem(canvas, art_.skin, art_.layout,
             ui_.hoveredButton == i ? MenuButtonLitItem(i) : MenuButtonItem(i));
  }
  if (static_cast<std::int32_t>(art_.layout.size()) >= kChooserItemsEnd) {
    if (ui_.continueShown) {
      DrawItem(canvas, art_.skin, art_.layout, kItemMenuBand);
    } else {
      DrawBandForLevelsAlone(canvas, art_.skin, art_.layout);
    }
    if (ui_.continueShown) {
      DrawItem(canvas, art_.skin, art_.layout,
               kItemMenuContinue + (ui_.hoveredButton == kMenuContinue ? 1 : 0));
    }
    DrawItem(canvas, art_.skin, art_.layout,
             kItemMenuLevels + (ui_.hoveredButton == kMenuLevels ? 1 : 0));
  }
  if (static_cast<std::int32_t>(art_.layout.size()) >= kSettingsItemsEnd) {
    DrawItem(canvas, art_.skin, art_.layout, kItemMenuSettings);
  }
  if (static_cast<std::int32_t>(art_.layout.size()) >= kMenuCodeItemsEnd) {
    DrawItem(canvas, art_.skin, art_.layout, kItemMenuCode);
  }
  if (help) DrawItem(canvas, art_.skin, art_.layout, kItemInstructions);
}

// The settings: the page, each choice plain or chosen, and the volume.
void ScreenRenderer::PaintSettings(Canvas& canvas) {
  canvas.FillRect(kClientRect, look().panel);
  if (static_cast<std::int32_t>(art_.layout.size()) < kSettingsItemsEnd) return;
  DrawItem(canvas, art_.skin, art_.layout, kItemSettingsPage);
  for (std::int32_t k = 0; k < 3; ++k) {
    const bool chosen = static_cast<std::int32_t>(ui_.motion) == k;
    DrawItem(canvas, art_.skin, art_.layout,
             (chosen ? kItemMotionChosenFirst : kItemMotionFirst) + k);
  }
  for (const std::int32_t i : {kItemVolumeDown, kItemVolumeUp, kItemSettingsBack}) {
    DrawItem(canvas, art_.skin, art_.layout, i);
  }
  DrawItem(canvas, art_.skin, art_.layout, kItemMute + (ui_.muted ? 1 : 0));
  if (static_cast<std::int32_t>(art_.layout.size()) >= kThemeItemsEnd) {
    DrawItem(canvas, art_.skin, art_.layout, kItemThemeLabel);
    for (std::int32_t k = 0; k < kThemeCount; ++k) {
      const bool chosen = static_cast<std::int32_t>(ui_.theme) == k;
      DrawItem(canvas, art_.skin, art_.layout,
               (chosen ? kItemThemeChosenFirst : kItemThemeFirst) + k);
    }
  }
  const std::wstring volume = std::to_wstring(ui_.volume) + L"%";
  const Rect box = ItemRect(art_.layout, kItemVolumeText);
  const std::int32_t width = art_.captionFont ? art_.captionFont->Render(volume).width : 0;
  canvas.DrawText(art_.captionFont, volume,
                  Rect{CentredLeft(box, width), box.top, box.right, box.bottom},
                  ui_.muted ? look().lockedText : look().text);
}

// The chooser: its page from the skin, then ten rows of the highlighted
// entry's page (mark, number and title, best), the line about the
// highlighted entry and the page number.
void ScreenRenderer::PaintChooser(Canvas& canvas) {
  canvas.FillRect(kClientRect, look().panel);
  if (!chooser_ || static_cast<std::int32_t>(art_.layout.size()) < kChooserItemsEnd) return;
  for (const std::int32_t i :
       {kItemChooserPage, kItemChooserBack, kItemChooserPrev, kItemChooserNext}) {
    DrawItem(canvas, art_.skin, art_.layout, i);
  }
  if (static_cast<std::int32_t>(art_.layout.size()) >= kCodeItemsEnd) {
    DrawItem(canvas, art_.skin, art_.layout, kItemChooserShare);
    DrawItem(canvas, art_.skin, art_.layout, kItemChooserCode);
  }
  const Font* font = art_.captionFont;
  const Rect list = ItemRect(art_.layout, kItemChooserList);
  const LayoutItem& solvedMark = art_.layout[kItemSolvedMark];
  const LayoutItem& lockMark = art_.layout[kItemLockMark];
  const std::int32_t page = ui_.chooserEntry / LevelChooser::kRowsPerPage;
  for (std::int32_t row = 0; row < LevelChooser::kRowsPerPage; ++row) {
    const std::int32_t entry = page * LevelChooser::kRowsPerPage + row;
    if (entry >= chooser_->EntryCount()) break;
    const std::int32_t top = list.top + row * LevelChooser::kRowHeight;
    const std::int32_t bottom = top + LevelChooser::kRowHeight;
    const Rect rowRect{list.left, top, list.right, bottom};
    if (entry == ui_.chooserEntry) {
      canvas.FillRect(rowRect, look().selection);
      canvas.FrameRect(rowRect, look().cursor, look().cursor);
    }
    const EntryState state = chooser_->StateOf(entry);
    if (state != EntryState::kOpen) {
      const LayoutItem& mark = state == EntryState::kSolved ? solvedMark : lockMark;
      const Rect source{mark.srcX, mark.srcY, mark.srcX + mark.w, mark.srcY + mark.h};
      canvas.CopyTransparent(art_.skin, source,
                             Point{mark.x, mark.y + row * LevelChooser::kRowHeight},
                             kTransparentKey);
    }
    const Color ink = state == EntryState::kLocked ? look().lockedText : look().text;
    const std::int32_t textTop = top + (LevelChooser::kRowHeight - kTextHeight) / 2 - 1;
    const std::int32_t textLeft = solvedMark.x + solvedMark.w + 4;
    const std::int32_t textRight = list.right - 4;
    const std::wstring best = chooser_->RowBest(entry);
    std::int32_t bestLeft = textRight;
    if (!best.empty() && font) {
      bestLeft = textRight - font->Render(best).width;
      canvas.DrawText(font, best, Rect{bestLeft, textTop, textRight, bottom}, ink);
    }
    canvas.DrawText(font, chooser_->RowText(entry), Rect{textLeft, textTop, bestLeft - 6, bottom},
                    ink);
  }
  canvas.DrawText(font, chooser_->DetailText(ui_.chooserEntry),
                  ItemRect(art_.layout, kItemChooserDetail), look().text);
  const Rect pageRect = ItemRect(art_.layout, kItemChooserPageText);
  const std::wstring pageText = chooser_->PageText(page);
  const std::int32_t width = font ? font->Render(pageText).width : 0;
  canvas.DrawText(font, pageText,
                  Rect{CentredLeft(pageRect, width), pageRect.top, pageRect.right, pageRect.bottom},
                  look().text);
}

// The code screen: its page from the skin and the code typed so far with a
// cursor after it; a code too long for its line shows its end.
void ScreenRenderer::PaintCode(Canvas& canvas) {
  canvas.FillRect(kClientRect, look().panel);
  if (static_cast<std::int32_t>(art_.layout.size()) < kCodeItemsEnd) return;
  DrawItem(canvas, art_.skin, art_.layout, kItemCodePage);
  const Rect line = ItemRect(art_.layout, kItemChooserDetail);
  std::wstring text(ui_.enteredCode.begin(), ui_.enteredCode.end());
  text += L'_';
  const Font* font = art_.captionFont;
  while (font && text.size() > 1 && font->Render(text).width > line.Width()) text.erase(0, 1);
  canvas.DrawText(font, text, line, look().text);
}

void ScreenRenderer::PaintPlay(Canvas& canvas) {
  // The tray and board are painted once, by the grid: the background and the
  // caption leave them out.
  canvas.ExcludeClipRect(ItemRect(art_.layout, kItemTray));
  canvas.ExcludeClipRect(ItemRect(art_.layout, kItemBoard));
  canvas.FillRect(kClientRect, look().background);
  // A generated level is named by its title, as it has no place in the table.
  const LevelRecord* record = puzzle_.CurrentRecord();
  const std::wstring caption = puzzle_.currentLevel() == kGeneratedLevel && record
                                   ? record->title
                                   : CaptionText(puzzle_.currentLevel(), levelCount_);
  canvas.DrawText(art_.captionFont, caption, kCaptionRect, look().caption);

  SelectClip(canvas, playArea_);
  DrawGrid(canvas);
  DrawWater(canvas);
  DrawPieces(canvas);
  DrawBursts(canvas);

  SelectClip(canvas, clientRegion_);
  const PressState& press = ui_.press;
  if (press.dragging) {
    // The dragged piece lies over everything and may leave the tray and board.
    if (const Cell* cell = puzzle_.At(press.dragSource)) {
      const Point at{press.lastPoint.x - kHalfPiece, press.lastPoint.y - kHalfPiece};
      // A piece carried by the keys sits on a cell: the cell's water and grid
      // do not show through it.
      if (ui_.keyCarry)
        canvas.FillRect(Rect{at.x, at.y, at.x + 2 * kHalfPiece, at.y + 2 * kHalfPiece},
                        look().panel);
      DrawCell(canvas, at, *cell);
    }
  }
  if (ui_.cursor != kNoPosition) {
    // The keyboard cursor, over a carried piece: a frame two pixels wide on
    // the cell's edge.
    const Rect c = geometry_.CellRect(ui_.cursor);
    canvas.FrameRect(c, look().cursor, look().cursor);
    canvas.FrameRect(Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, look().cursor,
                     look().cursor);
  }
}

void ScreenRenderer::PaintOutcome(Canvas& canvas, bool solved) {
  const Rect board = ItemRect(art_.layout, kItemBoard);
  canvas.ExcludeClipRect(board);
  canvas.FillRect(kClientRect, look().background);
  if (solved) {
    DrawItem(canvas, art_.skin, art_.layout, kItemSolvedBanner);
    // A generated level's button goes back to the chooser,
    // or on like any other where the layout has no such button; "All levels
    // done" is for the set's last level.
    std::int32_t button = puzzle_.NextLevelIndex() == -1 ? kItemLastLevel : kItemContinue;
    if (puzzle_.currentLevel() == kGeneratedLevel) {
      button = static_cast<std::int32_t>(art_.layout.size()) > kItemLevelsButton ? kItemLevelsButton
                                                                                 : kItemContinue;
    }
    DrawItem(canvas, art_.skin, art_.layout, button);
  } else {
    DrawItem(canvas, art_.skin, art_.layout, kItemFailedBanner);
    DrawItem(canvas, art_.skin, art_.layout, kItemRetry);
  }
  // Only the board part of the grid, water and pieces shows.
  SelectClip(canvas, Region(board));
  DrawGrid(canvas);
  DrawWater(canvas);
  DrawPieces(canvas);
  if (!solved) MarkWetHazards(canvas);
  DrawBursts(canvas);
  if (solved && ui_.anotherShown) {
    // Another lies over the board's top right corner, below Levels.
    SelectClip(canvas, clientRegion_);
    DrawItem(canvas, art_.skin, art_.layout, kItemAnotherButton);
  }
  if (solved && !ui_.solvedBest.empty() &&
      static_cast<std::int32_t>(art_.layout.size()) > kItemSolvedBest) {
    // The level's best on a panel over the board's lowest rows.
    SelectClip(canvas, clientRegion_);
    DrawItem(canvas, art_.skin, art_.layout, kItemSolvedBest);
    const Rect panel = ItemRect(art_.layout, kItemSolvedBest);
    const std::int32_t width =
        art_.captionFont ? art_.captionFont->Render(ui_.solvedBest).width : 0;
    const std::int32_t left = CentredLeft(panel, width);
    const std::int32_t top = panel.top + (LevelChooser::kRowHeight - kTextHeight) / 2;
    canvas.DrawText(art_.captionFont, ui_.solvedBest, Rect{left, top, panel.right, panel.bottom},
                    look().text);
  }
  if (solved && puzzle_.currentLevel() == kGeneratedLevel &&
      static_cast<std::int32_t>(art_.layout.size()) >= kCodeItemsEnd) {
    // A generated level's Share, over the board's lowest rows as a set
    // level's best.
    SelectClip(canvas, clientRegion_);
    DrawItem(canvas, art_.skin, art_.layout, kItemSolvedShare);
  }
}

// A red frame two pixels wide just inside each hazard cell the water
// reached, over its piece: why the level was lost.
void ScreenRenderer::MarkWetHazards(Canvas& canvas) {
  for (const Position p : puzzle_.WetHazards()) {
    const Rect cell = geometry_.CellRect(p);
    for (std::int32_t inset = 1; inset <= 2; ++inset) {
      canvas.FrameRect(
          Rect{cell.left + inset, cell.top + inset, cell.right - inset, cell.bottom - inset},
          look().wetHazard, look().wetHazard);
    }
  }
}

void ScreenRenderer::PaintPassword(Canvas& canvas) {
  canvas.FillRect(kClientRect, look().panel);
  DrawItem(canvas, art_.skin, art_.layout, kItemTitle);
  for (std::int32_t i = kItemConfirm; i <= kItemKeypad; ++i)
    DrawItem(canvas, art_.skin, art_.layout, i);

  // The glyph row: each letter is the keypad key's own picture; a character
  // that is no key shows the first key. Not clipped to item 24.
  const LayoutItem& text = art_.layout[kItemEnteredText];
  const LayoutItem& keys = art_.layout[kItemKeypad];
  const std::int32_t surfaceRight = canvas.target().width();
  std::int32_t x = text.x;
  for (wchar_t ch : ui_.enteredPassword) {
    if (x >= surfaceRight) break;  // nothing further can show
    std::int32_t k = 0;
    for (std::size_t i = 0; i < keypadAlphabet.size(); ++i) {
      if (keypadAlphabet[i] == ch) k = static_cast<std::int32_t>(i);
    }
    const std::int32_t glyphLeft = keys.srcX + kGlyphSize * k;
    const Rect glyph{glyphLeft, keys.srcY, glyphLeft + kGlyphSize, keys.srcY + kGlyphSize};
    canvas.CopyRect(art_.skin, glyph, Point{x, text.y});
    x += kGlyphSize;
  }
}

void ScreenRenderer::DrawGrid(Canvas& canvas) {
  const Rect tray = ItemRect(art_.layout, kItemTray);
  const Rect board = ItemRect(art_.layout, kItemBoard);
  canvas.FrameRect(tray, look().frame, look().frame);
  canvas.FrameRect(board, look().frame, look().frame);
  const Rect t = InflateRect(tray, -1, -1);
  const Rect b = InflateRect(board, -1, -1);
  canvas.FillRect(t, look().panel);
  canvas.FillRect(b, look().panel);
  // Grid lines fall in the 1-pixel gaps between cells; the tray has vertical
  // lines only.
  auto offset = [](std::int32_t edge, std::int32_t d) { return edge + d - 1; };
  for (std::int32_t d = kCellPitch; d < kGridEnd; d += kCellPitch) {
    canvas.DrawLine(Point{offset(t.left, d), t.top}, Point{offset(t.left, d), t.bottom}, 1,
                    look().grid);
    canvas.DrawLine(Point{offset(b.left, d), b.top}, Point{offset(b.left, d), b.bottom}, 1,
                    look().grid);
    canvas.DrawLine(Point{b.left, offset(b.top, d)}, Point{b.right, offset(b.top, d)}, 1,
                    look().grid);
  }
  if (SelectionShown()) canvas.FillRect(geometry_.CellRect(puzzle_.selection()), look().selection);
}

bool ScreenRenderer::SelectionShown() const {
  // The empty place a piece carried by the keys came from is not marked.
  return puzzle_.selection() != Position{} &&
         !(ui_.keyCarry && puzzle_.selection() == ui_.press.dragSource);
}

void ScreenRenderer::DrawPieces(Canvas& canvas) {
  const Position skip = ui_.press.dragSource;
  for (std::int32_t k = 0; k < 10; ++k) {
    for (std::int32_t y = -1; y < 10; ++y) {
      const Position pos{k, y};
      if (pos == skip) continue;
      const Cell* cell = puzzle_.At(pos);
      if (!cell) continue;
      // A fire burns on until the running water reaches it.
      const Cell shown = ui_.water.FireWaiting(pos) ? Cell{KIND_FIRE, 0} : *cell;
      DrawCell(canvas, TopLeft(geometry_.CellRect(k, y)), shown);
    }
  }
  // The selection: the grid's tint below the piece, the cursor's frame over it.
  if (SelectionShown()) DrawCursorFrame(canvas, geometry_.CellRect(puzzle_.selection()), look());
}

void ScreenRenderer::DrawCell(Canvas& canvas, Point at, const Cell& cell) {
  // An image number outside the strip (only a corrupted Cell could give one)
  // draws nothing.
  if (cell.kind == KIND_EMPTY) return;
  art_.pieces.Draw(canvas, ImageIndex(cell), at);
}

void ScreenRenderer::DrawWater(Canvas& canvas) {
  const std::vector<WaterStep>& steps = puzzle_.Water().steps;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    auto [from, to] = geometry_.WaterLine(steps[i]);
    // While the water runs, its new stretches show as far as it has come.
    const double shown = ui_.water.Shown(i);
    if (shown <= 0.0) continue;
    if (shown < 1.0) {
      to = Point{from.x + static_cast<std::int32_t>((to.x - from.x) * shown),
                 from.y + static_cast<std::int32_t>((to.y - from.y) * shown)};
    }
    canvas.DrawLine(from, to, kWaterWidth, look().water);
  }
}

// The bursts over the pieces: a puff of steam rising from a doused fire, a
// spark turning at a hazard, a celebration's drops moving outward. Each
// moves and none changes the brightness of a large area, so nothing flashes.
void ScreenRenderer::DrawBursts(Canvas& canvas) {
  const std::uint64_t now = ui_.water.now();
  for (const Burst& b : ui_.water.bursts()) {
    const Point c = geometry_.CellCentre(b.cell);
    const std::uint64_t age = now > b.start ? now - b.start : 0;
    switch (b.kind) {
      case Burst::Kind::kPuff: {
        const auto rise = static_cast<std::int32_t>(age * 12 / WaterRun::kPuffMs);
        for (const std::int32_t dx : {-5, 0, 5}) {
          const std::int32_t top = c.y - 4 - rise - (dx == 0 ? 3 : 0);
          canvas.FillRect(Rect{c.x + dx - 2, top, c.x + dx + 2, top + 4}, look().puff);
        }
        break;
      }
      case Burst::Kind::kSpark: {
        const std::int32_t turn = age * 2 < WaterRun::kSparkMs ? 0 : 1;
        const auto reach = static_cast<std::int32_t>(4 + age * 8 / WaterRun::kSparkMs);
        for (std::int32_t d = turn; d < 8; d += 2) {
          const DirectionStep s = StepOf(d);
          canvas.DrawLine(c, Point{c.x + s.dx * reach, c.y + s.dy * reach}, 1, look().spark);
        }
        break;
      }
      case Burst::Kind::kDrops: {
        const auto reach = static_cast<std::int32_t>(6 + age * 20 / WaterRun::kDropsMs);
        for (std::int32_t d = 0; d < 8; ++d) {
          const DirectionStep s = StepOf(d);
          // Diagonal drops go as far as the straight ones.
          const std::int32_t r = (s.dx != 0 && s.dy != 0) ? reach * 7 / 10 : reach;
          const Point p{c.x + s.dx * r, c.y + s.dy * r};
          canvas.FillRect(Rect{p.x - 1, p.y - 1, p.x + 2, p.y + 2}, look().water);
        }
        break;
      }
    }
  }
}

}  // namespace qw
