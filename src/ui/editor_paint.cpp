// The level editor's screen: the level as a player first sees it, its board
// drawn by the play screen's own drawing on the editor's place for it, the
// palette with each thing's piece stamped on its button, the tray's counts
// and the verdict line. A layout without the editor's items shows the
// level where the play screen shows it, its title as the caption.
#include <string>

#include "data/layout_items.h"
#include "platform/font.h"
#include "platform/utf8.h"
#include "ui/client_area.h"
#include "ui/cursor_frame.h"
#include "ui/draw_item.h"
#include "ui/editor_screen.h"
#include "ui/renderer.h"

namespace qw {

namespace {

constexpr Cell kToolPieces[4] = {Cell{KIND_SOURCE, 2}, Cell{KIND_FIRE, 0}, Cell{KIND_SPARK, 0},
                                 Cell{KIND_WALL, 0}};
constexpr Cell kCountPieces[3] = {Cell{KIND_ELBOW, 0}, Cell{KIND_BEND, 0}, Cell{KIND_SPLITTER, 0}};

// The editor shows no tray: its place lies far below the screen.
constexpr LayoutItem kNoTrayItem{0, 4000, 211, 22, 0, 0};

Point Centred(const Rect& box, std::int32_t size) {
  return Point{box.left + (box.Width() - size) / 2, box.top + (box.Height() - size) / 2};
}

}  // namespace

void ScreenRenderer::PaintTitleKeys(Canvas& canvas) {
  // On a panel over the board, each key the blank key's picture with its
  // letter (or sign) written on it.
  Rect keys = editor_->TitleKeyRect(0);
  for (std::int32_t k = 1; k < kTitleKeyCount; ++k)
    keys = UnionRect(keys, editor_->TitleKeyRect(k));
  keys = Rect{keys.left - 4, keys.top - 4, keys.right + 4, keys.bottom + 4};
  canvas.FillRect(keys, look().panel);
  canvas.FrameRect(keys, look().frame, look().frame);
  for (std::int32_t k = 0; k < kTitleKeyCount; ++k) {
    const Rect box = editor_->TitleKeyRect(k);
    DrawItemAt(canvas, art_.skin, art_.layout, kItemEditorTitleKey, Point{box.left, box.top});
    const char key = kTitleKeys[k];
    const std::wstring label = key == ' '      ? L"_"
                               : key == '\b'   ? L"<"
                               : key == '\x1b' ? L"Esc"
                               : key == '\r'   ? L"OK"
                                               : std::wstring(1, static_cast<wchar_t>(key));
    const Font* font = art_.captionFont;
    const std::int32_t width = font ? font->Render(label).width : 0;
    canvas.DrawText(font, label,
                    Rect{box.left + (box.Width() - width) / 2, box.top + 4, box.right, box.bottom},
                    look().text);
  }
}

void ScreenRenderer::PaintEditor(Canvas& canvas) {
  const bool own = static_cast<std::int32_t>(art_.layout.size()) >= kEditorItemsEnd;
  // The editor's board in place of the play screen's, with no tray.
  Layout boardLayout = art_.layout;
  if (own) {
    boardLayout[static_cast<std::size_t>(kItemBoard)] =
        art_.layout[static_cast<std::size_t>(kItemEditorBoard)];
    boardLayout[static_cast<std::size_t>(kItemTray)] = kNoTrayItem;
  }
  Region board(ItemRect(boardLayout, kItemBoard));
  if (!own) board.Union(ItemRect(boardLayout, kItemTray));
  canvas.FillRect(kClientRect, look().background);
  if (own) DrawItem(canvas, art_.skin, art_.layout, kItemEditorPage);
  if (!editor_) return;
  const Draft& draft = editor_->draft();
  // The level's start: no press, no water on the move, nothing selected.
  UiState still;
  still.theme = ui_.theme;
  ScreenRenderer start(editor_->preview(), still,
                       ScreenArt{art_.skin, boardLayout, art_.pieces, art_.captionFont}, 0);
  start.paintArea_ = paintArea_;
  start.SelectClip(canvas, board);
  start.DrawGrid(canvas);
  start.DrawWater(canvas);
  start.DrawPieces(canvas);
  SelectClip(canvas, clientRegion_);
  if (ui_.cursor != kNoPosition) {
    const Rect c = editor_->geometry().CellRect(ui_.cursor);
    canvas.FrameRect(c, look().cursor, look().cursor);
    canvas.FrameRect(Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, look().cursor,
                     look().cursor);
  }
  const Font* font = art_.captionFont;
  if (editor_->naming() && editor_->HasTitleKeys()) PaintTitleKeys(canvas);
  std::wstring line = FromUtf8(editor_->verdict());
  if (editor_->naming()) line = L"Title: " + editor_->typedTitle() + L"_";
  if (!own) {
    canvas.DrawText(font, draft.title + L": " + line, kCaptionRect, look().caption);
    return;
  }
  const Rect verdictBox = ItemRect(art_.layout, kItemEditorVerdict);
  const std::int32_t width = font ? font->Render(line).width : 0;
  canvas.DrawText(font, line,
                  Rect{verdictBox.left + std::max(0, (verdictBox.Width() - width) / 2),
                       verdictBox.top, verdictBox.right, verdictBox.bottom},
                  look().text);
  for (std::int32_t k = 0; k < kEditorTools; ++k) {
    const std::int32_t item =
        (k == editor_->tool() ? kItemEditorToolChosenFirst : kItemEditorToolFirst) + k;
    DrawItem(canvas, art_.skin, art_.layout, item);
    const Rect box = ItemRect(art_.layout, item);
    if (k < 4) DrawCell(canvas, Centred(box, kPieceSize), kToolPieces[k]);
    // A piece may cover its button's colour: the chosen one is framed too.
    if (k == editor_->tool()) DrawCursorFrame(canvas, box, look());
  }
  const std::int32_t counts[3] = {draft.elbows, draft.bends, draft.splitters};
  for (std::int32_t k = 0; k < 3; ++k) {
    DrawItem(canvas, art_.skin, art_.layout, kItemEditorFewerFirst + k);
    DrawItem(canvas, art_.skin, art_.layout, kItemEditorMoreFirst + k);
    const Rect box = ItemRect(art_.layout, kItemEditorCountFirst + k);
    DrawCell(canvas, Point{box.left, box.top}, kCountPieces[k]);
    canvas.DrawText(font, std::to_wstring(counts[k]),
                    Rect{box.left + kPieceSize + 4, box.top + 3, box.right, box.bottom},
                    look().text);
  }
  for (std::int32_t item = kItemEditorUndo; item <= kItemEditorBack; ++item)
    DrawItem(canvas, art_.skin, art_.layout, item);
  if (editor_->HasTitleKeys()) DrawItem(canvas, art_.skin, art_.layout, kItemEditorTitle);
  // With nothing to take back or make again, Undo and Redo fade as the
  // command bar's buttons do.
  if (!editor_->editor().CanUndo())
    canvas.Fade(ItemRect(art_.layout, kItemEditorUndo), look().background);
  if (!editor_->editor().CanRedo())
    canvas.Fade(ItemRect(art_.layout, kItemEditorRedo), look().background);
}

}  // namespace qw
