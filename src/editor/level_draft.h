// A level being made in the editor: the nozzle (at most one, with its
// direction), fires, lightning and walls on the 10 by 10 board, the tray's
// elbows, bends and splitters and a title. It changes only through edits,
// each checked first: an impossible edit is refused with the reason and
// changes nothing. Every edit made can be undone and redone; this history is
// the editor's own, apart from any level in play.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/levels.h"
#include "model/cell.h"

namespace qw {

// What stands on a board cell of a level being made.
enum class Item : std::uint8_t { kNone, kNozzle, kFire, kLightning, kWall };

// The longest title a level keeps (a level code holds at most this much).
inline constexpr std::size_t kMostTitleChars = 63;

// The level itself, without history. Cells by cell number (10 x row +
// column).
struct Draft {
  std::array<Item, kBoardCells> items{};
  std::int32_t nozzleRotation = 0;  // 0..7 while a nozzle stands, else 0
  std::int32_t elbows = 0;
  std::int32_t bends = 0;
  std::int32_t splitters = 0;
  std::wstring title = L"My level";
  std::wstring password;  // kept from a record read in; the store gives new levels one

  // The nozzle's cell number, or -1.
  std::int32_t NozzleCell() const;
  std::int32_t TrayTotal() const { return elbows + bends + splitters; }
  friend bool operator==(const Draft&, const Draft&) = default;
};

struct Edit {
  enum class Kind : std::uint8_t {
    kPlace,       // item at cell (a nozzle turned `amount`)
    kRemove,      // whatever stands at cell
    kTurnNozzle,  // `amount` 45-degree steps clockwise, 1..7
    kSetCount,    // the tray's pieces of `piece` to `amount`
    kSetTitle,    // title
  };
  Kind kind = Kind::kPlace;
  Item item = Item::kNone;
  std::int32_t cell = 0;
  std::int32_t amount = 0;
  PieceKind piece = KIND_ELBOW;
  std::wstring title;

  static Edit Place(Item item, std::int32_t cell, std::int32_t rotation = 0) {
    return Edit{Kind::kPlace, item, cell, rotation, KIND_ELBOW, {}};
  }
  static Edit Remove(std::int32_t cell) {
    return Edit{Kind::kRemove, Item::kNone, cell, 0, KIND_ELBOW, {}};
  }
  static Edit TurnNozzle(std::int32_t turns) {
    return Edit{Kind::kTurnNozzle, Item::kNone, 0, turns, KIND_ELBOW, {}};
  }
  static Edit SetCount(PieceKind piece, std::int32_t count) {
    return Edit{Kind::kSetCount, Item::kNone, 0, count, piece, {}};
  }
  static Edit SetTitle(std::wstring title) {
    return Edit{Kind::kSetTitle, Item::kNone, 0, 0, KIND_ELBOW, std::move(title)};
  }
};

// Why `edit` cannot be made on `draft`, or nullopt when it can. An edit that
// would change nothing is refused too, so that the history holds only
// changes.
std::optional<std::string> RefusalOf(const Draft& draft, const Edit& edit);
// Makes an edit RefusalOf lets through.
void ApplyEdit(Draft& draft, const Edit& edit);

// The level record the game and `quenchway-levels check` read, lists in
// cell order. Without a nozzle yet the nozzle's cell is -1, which check
// reports and FromRecord reads back as no nozzle.
LevelRecord ToRecord(const Draft& draft);
// The draft of a record, or nullopt with the reason for one the editor
// cannot hold (two things on a cell, a cell off the board, tray counts
// below 0 or over the ten slots, a title it would refuse).
std::optional<Draft> FromRecord(const LevelRecord& record, std::string* problem = nullptr);

// A draft with its history of edits.
class LevelEditor {
 public:
  LevelEditor() = default;
  explicit LevelEditor(Draft draft) : draft_(std::move(draft)) {}

  // Makes the edit, remembered for undo (and the redo history forgotten),
  // or gives the reason it is refused.
  std::optional<std::string> Make(const Edit& edit);
  bool Undo();  // false when there is nothing to undo
  bool Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  const Draft& draft() const { return draft_; }
  // Counts every change (edit, undo, redo): a verdict names the revision it
  // was made for.
  std::uint64_t revision() const { return revision_; }

 private:
  Draft draft_;
  std::vector<Draft> undo_;
  std::vector<Draft> redo_;
  std::uint64_t revision_ = 0;
};

}  // namespace qw
