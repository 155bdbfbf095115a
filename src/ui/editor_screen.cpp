#include "ui/editor_screen.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <utility>

#include "data/layout_items.h"
#include "data/level_code.h"
#include "ui/game_texts.h"

namespace qw {

namespace {

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

constexpr Item kToolItems[kEditorTools] = {Item::kNozzle, Item::kFire, Item::kLightning,
                                           Item::kWall, Item::kNone};
constexpr PieceKind kCountedPieces[3] = {KIND_ELBOW, KIND_BEND, KIND_SPLITTER};
constexpr std::int32_t kNewNozzleDirection = 2;  // east

std::int32_t CellNumber(Position p) { return p.y * kBoardSize + p.x; }

// The board's rectangle; the tray's lies far below the screen, where no pen
// reaches.
BoardGeometry EditorGeometry(const Layout& layout) {
  if (static_cast<std::int32_t>(layout.size()) < kEditorItemsEnd) return BoardGeometry(layout);
  return BoardGeometry(Rect{0, 4000, 211, 4022}, ItemRect(layout, kItemEditorBoard));
}

}  // namespace

EditorScreen::EditorScreen(Session& session)
    : s_(session), geometry_(EditorGeometry(session.layout)), preview_(noLevels_) {}

bool EditorScreen::Available() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kEditorItemsEnd;
}

void EditorScreen::Open(Draft draft, std::int32_t own) {
  editor_ = LevelEditor(std::move(draft));
  ownIndex_ = own;
  savedPassword_.clear();
  // A new history starts at revision 0 again: no verdict of the level edited
  // before may pass for this one's.
  verdictRevision_ = ~std::uint64_t{0};
  Reopen();
}

void EditorScreen::Reopen() {
  naming_ = false;
  s_.DropWater();
  s_.state.press = PressState{};
  s_.state.keyCarry = false;
  s_.state.cursor = kNoPosition;
  s_.state.hoveredButton = -1;
  s_.SetMode(MODE_EDITOR);
  s_.effects.ShowToolbar(false);
  Changed();
}

bool EditorScreen::Make(const Edit& edit) {
  if (const std::optional<std::string> why = editor_.Make(edit)) {
    std::wstring note = Widened(*why);
    if (!note.empty()) note[0] = static_cast<wchar_t>(std::towupper(note[0]));
    s_.effects.ShowNote(note);
    return false;
  }
  Changed();
  return true;
}

void EditorScreen::Undo() {
  if (editor_.Undo()) Changed();
}

void EditorScreen::Redo() {
  if (editor_.Redo()) Changed();
}

EditorAction EditorScreen::PenDown(Point p) {
  HideCursor();
  auto hit = [&](std::int32_t item) { return PtInRect(ItemRect(s_.layout, item), p); };
  if (!Available()) return EditorAction::kNone;
  if (naming_ && HasTitleKeys()) {
    TitleKeyDown(p);
    return EditorAction::kNone;
  }
  if (HasTitleKeys() && hit(kItemEditorTitle)) {
    s_.effects.PlaySound(Sound::kButton);
    StartNaming();
    return EditorAction::kNone;
  }
  const Position cell = geometry_.HitTest(p);
  if (cell.y >= 0) {
    ApplyTool(cell);
    painting_ = true;
    painted_ = cell;
    return EditorAction::kNone;
  }
  for (std::int32_t k = 0; k < kEditorTools; ++k) {
    if (hit(kItemEditorToolFirst + k)) ChooseTool(k);
  }
  const Draft& d = editor_.draft();
  const std::int32_t counts[3] = {d.elbows, d.bends, d.splitters};
  for (std::int32_t k = 0; k < 3; ++k) {
    if (hit(kItemEditorFewerFirst + k) && counts[k] > 0)
      Make(Edit::SetCount(kCountedPieces[k], counts[k] - 1));
    if (hit(kItemEditorMoreFirst + k)) Make(Edit::SetCount(kCountedPieces[k], counts[k] + 1));
  }
  if (hit(kItemEditorUndo)) Undo();
  if (hit(kItemEditorRedo)) Redo();
  static constexpr std::pair<std::int32_t, EditorAction> kActions[] = {
      {kItemEditorTest, EditorAction::kTest},
      {kItemEditorSave, EditorAction::kSave},
      {kItemEditorShare, EditorAction::kShare},
      {kItemEditorBack, EditorAction::kBack}};
  for (const auto& [item, action] : kActions) {
    if (!hit(item)) continue;
    s_.effects.PlaySound(Sound::kButton);
    return action;
  }
  return EditorAction::kNone;
}

void EditorScreen::PenMove(Point p) {
  if (!painting_) return;
  const Position cell = geometry_.HitTest(p);
  if (cell.y < 0) {
    painted_ = kNoPosition;  // off the board: the way back in is not known
    return;
  }
  if (cell == painted_) return;
  // A quick drag leaps cells between two moves: the cells on the straight
  // way from the last one painted are painted too.
  const Position from = painted_ == kNoPosition ? cell : painted_;
  const std::int32_t dx = cell.x - from.x, dy = cell.y - from.y;
  const std::int32_t steps = std::max(std::abs(dx), std::abs(dy));
  for (std::int32_t i = 1; i <= steps; ++i) {
    PaintCell(Position{from.x + static_cast<std::int32_t>(std::lround(1.0 * dx * i / steps)),
                       from.y + static_cast<std::int32_t>(std::lround(1.0 * dy * i / steps))});
  }
  if (steps == 0) PaintCell(cell);
  painted_ = cell;
}

void EditorScreen::ApplyTool(Position p) {
  const std::int32_t n = CellNumber(p);
  const Item at = editor_.draft().items[static_cast<std::size_t>(n)];
  const Item item = kToolItems[tool_];
  if (item == Item::kNone || (at == item && item != Item::kNozzle)) {
    if (at != Item::kNone) Make(Edit::Remove(n));
  } else if (at == Item::kNozzle && item == Item::kNozzle) {
    Make(Edit::TurnNozzle(1));
  } else {
    Make(Edit::Place(item, n, item == Item::kNozzle ? kNewNozzleDirection : 0));
  }
}

void EditorScreen::PaintCell(Position p) {
  const std::int32_t n = CellNumber(p);
  const Item at = editor_.draft().items[static_cast<std::size_t>(n)];
  const Item item = kToolItems[tool_];
  if (item == Item::kNone && at != Item::kNone) {
    Make(Edit::Remove(n));
  } else if (item != Item::kNone && item != Item::kNozzle && at == Item::kNone) {
    Make(Edit::Place(item, n));
  }
}

void EditorScreen::CursorKey(std::int32_t dx, std::int32_t dy) {
  Position& c = s_.state.cursor;
  if (c == kNoPosition || c.y < 0) {
    c = Position{0, 0};
  } else {
    c = Position{std::clamp(c.x + dx, 0, kBoardSize - 1), std::clamp(c.y + dy, 0, kBoardSize - 1)};
  }
  s_.effects.InvalidateAll();
}

void EditorScreen::PickKey() {
  if (s_.state.cursor == kNoPosition || s_.state.cursor.y < 0) {
    CursorKey(0, 0);
    return;
  }
  ApplyTool(s_.state.cursor);
}

void EditorScreen::ChooseTool(std::int32_t tool) {
  if (tool < 0 || tool >= kEditorTools || tool == tool_) return;
  tool_ = tool;
  s_.effects.PlaySound(Sound::kButton);
  s_.effects.InvalidateAll();
}

bool EditorScreen::Playable() {
  const Draft& d = editor_.draft();
  const wchar_t* lacks = nullptr;
  if (d.NozzleCell() < 0) {
    lacks = kTestNeedsNozzleNote;
  } else if (std::find(d.items.begin(), d.items.end(), Item::kFire) == d.items.end()) {
    lacks = kTestNeedsFireNote;
  }
  if (lacks) s_.effects.ShowNote(lacks);
  return lacks == nullptr;
}

void EditorScreen::Save() {
  if (!own_) {
    s_.effects.ShowNote(kNoOwnLevelsNote);
    return;
  }
  std::vector<LevelRecord> levels = own_->Load();
  LevelRecord record = ToRecord(editor_.draft());
  if (ownIndex_ >= 0 && ownIndex_ < static_cast<std::int32_t>(levels.size())) {
    record.password = levels[static_cast<std::size_t>(ownIndex_)].password;
    levels[static_cast<std::size_t>(ownIndex_)] = record;
  } else {
    ownIndex_ = static_cast<std::int32_t>(levels.size());
    levels.push_back(record);
  }
  if (own_->Save(levels)) {
    savedPassword_ = levels[static_cast<std::size_t>(ownIndex_)].password;
    s_.effects.ShowNote(kSavedNote);
  } else {
    ownIndex_ = -1;
    s_.effects.ShowNote(kNotSavedNote);
  }
}

void EditorScreen::Share() {
  const EditorVerdict* verdict = Latest();
  if (!verdict || !verdict->solvable) {
    s_.effects.ShowNote(kShareUnsolvableNote);
    return;
  }
  CodedLevel level;
  level.board = ToRecord(editor_.draft());
  // A level not saved yet has no password of its own: a code needs one.
  if (level.board.password.empty())
    level.board.password = savedPassword_.empty() ? kSharedLevelPassword : savedPassword_;
  const std::optional<std::string> code = EncodeLevel(level);
  if (!code) {
    s_.effects.ShowNote(kNoCodeNote);
    return;
  }
  const std::wstring text(code->begin(), code->end());
  if (s_.effects.CopyText(text)) {
    s_.effects.ShowNote((verdict->unique ? kCodeCopiedNote : kNotUniqueCodeNote) + text);
  } else {
    s_.effects.ShowMessage((verdict->unique ? L"" : L"More than one solution!\r\n") +
                           CodeMessage(*code));
  }
}

void EditorScreen::StartNaming() {
  if (s_.state.screenMode != MODE_EDITOR || naming_) return;
  naming_ = true;
  typed_ = editor_.draft().title;
  s_.effects.InvalidateAll();
}

void EditorScreen::TypeTitle(char letter) {
  if (letter == '\b') {
    if (!typed_.empty()) typed_.pop_back();
  } else if (typed_.size() < kMostTitleChars) {
    const bool first = typed_.empty() || typed_.back() == L' ';
    typed_ += static_cast<wchar_t>(first ? std::toupper(static_cast<unsigned char>(letter))
                                         : std::tolower(static_cast<unsigned char>(letter)));
  }
  s_.effects.InvalidateAll();
}

void EditorScreen::EndNaming(bool keep) {
  if (!naming_) return;
  naming_ = false;
  if (keep && typed_ != editor_.draft().title) Make(Edit::SetTitle(typed_));
  s_.effects.InvalidateAll();
}

bool EditorScreen::HasTitleKeys() const {
  return static_cast<std::int32_t>(s_.layout.size()) >= kTitleItemsEnd;
}

Rect EditorScreen::TitleKeyRect(std::int32_t k) const {
  const Rect first = ItemRect(s_.layout, kItemEditorTitleKey);
  const Point at{first.left + k % kTitleKeyColumns * kTitleKeyPitch,
                 first.top + k / kTitleKeyColumns * kTitleKeyPitch};
  return RectFromSize(at.x, at.y, first.Width(), first.Height());
}

void EditorScreen::TitleKeyDown(Point p) {
  for (std::int32_t k = 0; k < kTitleKeyCount; ++k) {
    if (!PtInRect(TitleKeyRect(k), p)) continue;
    s_.effects.PlaySound(Sound::kButton);
    const char key = kTitleKeys[k];
    if (key == '\r' || key == '\x1b') {
      EndNaming(key == '\r');
    } else {
      TypeTitle(key);
    }
    return;
  }
  EndNaming(true);  // a tap beside the keys
}

void EditorScreen::HideCursor() {
  if (s_.state.cursor == kNoPosition) return;
  s_.state.cursor = kNoPosition;
  s_.effects.InvalidateAll();
}

void EditorScreen::VerdictArrived(const EditorVerdict& verdict) {
  if (verdict.revision != editor_.revision() || !VerdictPending()) return;
  verdictRevision_ = verdict.revision;
  verdict_ = verdict;
  if (s_.state.screenMode != MODE_EDITOR) return;
  if (Available()) {
    s_.effects.InvalidateRect(ItemRect(s_.layout, kItemEditorVerdict));
  } else {
    s_.effects.InvalidateAll();
  }
}

void EditorScreen::Changed() {
  preview_.StartLevel(ToRecord(editor_.draft()));
  if (VerdictPending()) {
    verdict_ = EditorVerdict{editor_.revision(), kVerdictSearching, false, false};
    if (verdicts_) verdicts_->Request(editor_.draft(), editor_.revision());
  }
  s_.effects.InvalidateAll();
}

}  // namespace qw
