// The level editor's screen: a level being made, drawn as a player would
// first see it, the edits of the pen, the keys and scripts made on it with
// their own history, and the verdict line under the board. The verdict is
// searched off the input path: every change asks the verdict source for the
// new revision, and the answer arrives later through VerdictArrived (an
// answer for an older revision is dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/levels.h"
#include "editor/level_draft.h"
#include "editor/own_levels.h"
#include "model/puzzle.h"
#include "ui/board_geometry.h"
#include "ui/session.h"

namespace qw {

// A verdict on one revision of the level being made: its line, and whether
// the level has a solution (it may be shared) and only one.
struct EditorVerdict {
  std::uint64_t revision = 0;
  std::string text;
  bool solvable = false;
  bool unique = false;
};

// Where verdicts come from; the search lives behind this interface.
class VerdictSource {
 public:
  virtual ~VerdictSource() = default;
  // Asks for the verdict on draft at revision and returns at once; an
  // earlier request still searched is given up.
  virtual void Request(const Draft& draft, std::uint64_t revision) = 0;
};

// The password a code gives a level that has none yet.
inline constexpr const wchar_t* kSharedLevelPassword = L"SHARED";

// The line shown while the verdict of the latest change is searched.
inline constexpr const char* kVerdictSearching = "Checking...";

// The title keys, in order: the letters, then a space, rubbing out, leaving
// without the title typed and keeping it.
inline constexpr char kTitleKeys[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ \b\x1b\r";
inline constexpr std::int32_t kTitleKeyCount = sizeof kTitleKeys - 1;

// What a press on the editor asks of the screens around it.
enum class EditorAction : std::uint8_t { kNone, kBack, kTest, kSave, kShare };

class EditorScreen {
 public:
  explicit EditorScreen(Session& session);

  // The layout has the editor's items.
  bool Available() const;

  // Shows the editor on `draft` (a new level: an empty one) with a history
  // of its own, the play screen's toolbar hidden. `own`: the draft is that
  // entry of the player's own levels, which Save replaces.
  void Open(Draft draft = Draft{}, std::int32_t own = -1);
  // Shows the editor again as it was left (after a test play).
  void Reopen();
  // Makes an edit; one refused says why in the command bar and changes
  // nothing. True when made.
  bool Make(const Edit& edit);
  void Undo();
  void Redo();

  // The pen: on the palette it chooses what to place; on the board it puts
  // that on the cell (the nozzle pointing east), or turns the nozzle, or
  // takes away what the chosen thing or the eraser points at; a drag goes on
  // placing or erasing on every empty (or taken) cell it crosses, those
  // between two far-apart moves on the board included. The
  // buttons act on pen down.
  EditorAction PenDown(Point p);
  void PenMove(Point p);
  void PenUp() { painting_ = false; }
  // The keys: the arrows move the cursor over the board, Space and Enter
  // act on its cell as the pen does, 1 to 5 choose from the palette.
  void CursorKey(std::int32_t dx, std::int32_t dy);
  void PickKey();
  void ChooseTool(std::int32_t tool);
  // A level with a nozzle and a fire can be test played; one without says
  // in the bar what it lacks.
  bool Playable();
  // Keeps the level among the player's own (in its place, once saved),
  // and says so in the bar.
  void Save();
  // Copies the level's code, for a level with a solution only; one with
  // more solutions is shared with a warning.
  void Share();
  // The player's own levels; none: Save says they are not kept. Must
  // outlive the screen.
  void SetOwnLevels(OwnLevels* own) { own_ = own; }
  OwnLevels* ownLevels() const { return own_; }
  // The title typed from the keys: letters (a word's first in capitals),
  // digits and spaces, '\b' rubbing one out, shown on the verdict line
  // until it ends: kept (an edit), or not.
  // With the pen: the title button starts; while the title is typed the
  // title keys over the board type it, and a tap beside them keeps it.
  void StartNaming();
  void TypeTitle(char letter);
  void EndNaming(bool keep);
  bool naming() const { return naming_; }
  // The layout has the title button and keys.
  bool HasTitleKeys() const;
  // The place of title key k (of kTitleKeys).
  Rect TitleKeyRect(std::int32_t k) const;
  const std::wstring& typedTitle() const { return typed_; }
  // 0 nozzle, 1 fire, 2 lightning, 3 wall, 4 eraser.
  std::int32_t tool() const { return tool_; }
  const BoardGeometry& geometry() const { return geometry_; }

  // A verdict; shown only when its revision is still the latest.
  void VerdictArrived(const EditorVerdict& verdict);
  // The latest change's verdict has not arrived yet.
  bool VerdictPending() const { return verdictRevision_ != editor_.revision(); }
  // The verdict line: the latest verdict, or kVerdictSearching.
  const std::string& verdict() const { return verdict_.text; }
  // The latest verdict, once it has arrived.
  const EditorVerdict* Latest() const { return VerdictPending() ? nullptr : &verdict_; }

  // Must outlive the screen; none: the verdict line stays "Checking...".
  void SetVerdictSource(VerdictSource* source) { verdicts_ = source; }

  const LevelEditor& editor() const { return editor_; }
  const Draft& draft() const { return editor_.draft(); }
  // The level as a player first sees it: board and tray as a level starts.
  const Puzzle& preview() const { return preview_; }

 private:
  // After every change: the preview follows, the verdict is asked for, the
  // screen repaints.
  void Changed();
  // What the chosen tool does to the cell at p, as a tap.
  void ApplyTool(Position p);
  // Paints over a cell on a drag: only on a cell it changes, with no note.
  void PaintCell(Position p);
  void HideCursor();
  // A pen press while the title is typed.
  void TitleKeyDown(Point p);

  Session& s_;
  BoardGeometry geometry_;
  std::int32_t tool_ = 1;
  bool painting_ = false;
  bool naming_ = false;
  std::wstring typed_;
  Position painted_;  // the cell a drag last painted
  LevelEditor editor_;
  std::vector<LevelRecord> noLevels_;
  Puzzle preview_;
  VerdictSource* verdicts_ = nullptr;
  OwnLevels* own_ = nullptr;
  std::int32_t ownIndex_ = -1;
  std::wstring savedPassword_;  // the password Save gave a level that had none
  std::uint64_t verdictRevision_ = 0;
  EditorVerdict verdict_;
};

}  // namespace qw
