#include "editor/level_draft.h"

#include <algorithm>

namespace qw {

namespace {

const char* ItemName(Item item) {
  switch (item) {
    case Item::kNozzle: return "the nozzle";
    case Item::kFire: return "a fire";
    case Item::kLightning: return "lightning";
    case Item::kWall: return "a wall";
    case Item::kNone: break;
  }
  return "nothing";
}

std::int32_t* CountOf(Draft& draft, PieceKind piece) {
  switch (piece) {
    case KIND_ELBOW: return &draft.elbows;
    case KIND_BEND: return &draft.bends;
    case KIND_SPLITTER: return &draft.splitters;
    default: return nullptr;
  }
}

std::optional<std::string> TitleRefusal(const std::wstring& title) {
  if (title.empty()) return "a level needs a title";
  if (title.size() > kMostTitleChars)
    return "a title has at most " + std::to_string(kMostTitleChars) + " characters";
  if (title.front() == L';') return "a title cannot begin with ';'";
  if (std::any_of(title.begin(), title.end(), [](wchar_t c) { return c < 32 || c > 255; })) {
    return "a title holds only letters, digits, spaces and signs of the game's font";
  }
  return std::nullopt;
}

std::wstring CellList(const Draft& draft, Item item) {
  std::wstring list;
  for (std::int32_t n = 0; n < kBoardCells; ++n) {
    if (draft.items[static_cast<std::size_t>(n)] != item) continue;
    if (!list.empty()) list += L',';
    list += std::to_wstring(n);
  }
  return list;
}

bool PutList(Draft& draft, const std::wstring& list, Item item, std::string* problem) {
  if (list.empty()) return true;
  for (const std::int32_t n : CellNumbers(list)) {
    if (!IsCellNumber(n)) {
      if (problem) *problem = "cell " + std::to_string(n) + " is off the board";
      return false;
    }
    Item& at = draft.items[static_cast<std::size_t>(n)];
    if (at != Item::kNone) {
      if (problem)
        *problem =
            "cell " + std::to_string(n) + " holds both " + ItemName(at) + " and " + ItemName(item);
      return false;
    }
    at = item;
  }
  return true;
}

}  // namespace

std::int32_t Draft::NozzleCell() const {
  const auto at = std::find(items.begin(), items.end(), Item::kNozzle);
  return at == items.end() ? -1 : static_cast<std::int32_t>(at - items.begin());
}

std::optional<std::string> RefusalOf(const Draft& draft, const Edit& edit) {
  const std::string cell = "cell " + std::to_string(edit.cell);
  switch (edit.kind) {
    case Edit::Kind::kPlace: {
      if (!IsCellNumber(edit.cell)) return cell + " is off the board";
      if (edit.item == Item::kNone) return "nothing to place";
      const Item at = draft.items[static_cast<std::size_t>(edit.cell)];
      if (at != Item::kNone) return cell + " already holds " + ItemName(at) + "; remove it first";
      if (edit.item == Item::kNozzle) {
        if (draft.NozzleCell() >= 0) {
          return "a level has one nozzle, and it stands at cell " +
                 std::to_string(draft.NozzleCell());
        }
        if (edit.amount < 0 || edit.amount > 7)
          return "a nozzle points in one of the directions 0 to 7";
      }
      return std::nullopt;
    }
    case Edit::Kind::kRemove:
      if (!IsCellNumber(edit.cell)) return cell + " is off the board";
      if (draft.items[static_cast<std::size_t>(edit.cell)] == Item::kNone)
        return cell + " is empty";
      return std::nullopt;
    case Edit::Kind::kTurnNozzle:
      if (draft.NozzleCell() < 0) return "there is no nozzle to turn";
      if (edit.amount < 1 || edit.amount > 7) return "a nozzle turns 1 to 7 steps";
      return std::nullopt;
    case Edit::Kind::kSetCount: {
      Draft copy = draft;
      std::int32_t* count = CountOf(copy, edit.piece);
      if (count == nullptr) return "the tray holds only elbows, bends and splitters";
      if (edit.amount < 0) return "a count cannot be below 0";
      if (*count == edit.amount) return "the tray holds that many already";
      *count = edit.amount;
      if (copy.TrayTotal() > kTraySlots) return "the tray holds ten pieces at most";
      return std::nullopt;
    }
    case Edit::Kind::kSetTitle:
      if (edit.title == draft.title) return "the level has that title already";
      return TitleRefusal(edit.title);
  }
  return "unknown edit";
}

void ApplyEdit(Draft& draft, const Edit& edit) {
  switch (edit.kind) {
    case Edit::Kind::kPlace:
      draft.items[static_cast<std::size_t>(edit.cell)] = edit.item;
      if (edit.item == Item::kNozzle) draft.nozzleRotation = edit.amount;
      break;
    case Edit::Kind::kRemove:
      if (draft.items[static_cast<std::size_t>(edit.cell)] == Item::kNozzle)
        draft.nozzleRotation = 0;
      draft.items[static_cast<std::size_t>(edit.cell)] = Item::kNone;
      break;
    case Edit::Kind::kTurnNozzle:
      draft.nozzleRotation = NormalizeDirection(draft.nozzleRotation + edit.amount);
      break;
    case Edit::Kind::kSetCount: *CountOf(draft, edit.piece) = edit.amount; break;
    case Edit::Kind::kSetTitle: draft.title = edit.title; break;
  }
}

LevelRecord ToRecord(const Draft& draft) {
  LevelRecord record;
  record.title = draft.title;
  record.password = draft.password;
  record.elbowCount = draft.elbows;
  record.bendCount = draft.bends;
  record.splitterCount = draft.splitters;
  record.sourceCell = draft.NozzleCell();
  record.sourceRotation = record.sourceCell < 0 ? 0 : draft.nozzleRotation;
  record.fireCells = CellList(draft, Item::kFire);
  record.hazardCells = CellList(draft, Item::kLightning);
  record.wallCells = CellList(draft, Item::kWall);
  return record;
}

std::optional<Draft> FromRecord(const LevelRecord& record, std::string* problem) {
  auto refuse = [&](std::string why) -> std::optional<Draft> {
    if (problem) *problem = std::move(why);
    return std::nullopt;
  };
  Draft draft;
  draft.password = record.password;
  if (auto why = TitleRefusal(record.title)) return refuse(*why);
  draft.title = record.title;
  if (record.elbowCount < 0 || record.bendCount < 0 || record.splitterCount < 0) {
    return refuse("a tray count is below 0");
  }
  draft.elbows = record.elbowCount;
  draft.bends = record.bendCount;
  draft.splitters = record.splitterCount;
  if (draft.TrayTotal() > kTraySlots) return refuse("the tray holds ten pieces at most");
  if (record.sourceCell != -1) {
    if (!IsCellNumber(record.sourceCell)) return refuse("the nozzle's cell is off the board");
    if (record.sourceRotation < 0 || record.sourceRotation > 7)
      return refuse("the nozzle points in no direction 0 to 7");
    draft.items[static_cast<std::size_t>(record.sourceCell)] = Item::kNozzle;
    draft.nozzleRotation = record.sourceRotation;
  }
  std::string why;
  if (!PutList(draft, record.fireCells, Item::kFire, &why) ||
      !PutList(draft, record.hazardCells, Item::kLightning, &why) ||
      !PutList(draft, record.wallCells, Item::kWall, &why)) {
    return refuse(why);
  }
  return draft;
}

std::optional<std::string> LevelEditor::Make(const Edit& edit) {
  if (auto why = RefusalOf(draft_, edit)) return why;
  undo_.push_back(draft_);
  redo_.clear();
  ApplyEdit(draft_, edit);
  ++revision_;
  return std::nullopt;
}

bool LevelEditor::Undo() {
  if (undo_.empty()) return false;
  redo_.push_back(std::move(draft_));
  draft_ = std::move(undo_.back());
  undo_.pop_back();
  ++revision_;
  return true;
}

bool LevelEditor::Redo() {
  if (redo_.empty()) return false;
  undo_.push_back(std::move(draft_));
  draft_ = std::move(redo_.back());
  redo_.pop_back();
  ++revision_;
  return true;
}

}  // namespace qw
