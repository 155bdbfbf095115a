#include <gtest/gtest.h>

#include "data/level_code.h"
#include "editor/level_draft.h"
#include "platform/utf8.h"

namespace qw {
namespace {

// The record's fields an edit changes, as a line: "nozzle CELL/ROTATION
// fires ... hazards ... walls ... tray E,B,S title ...".
std::string Summary(const LevelRecord& r) {
  return "nozzle " + std::to_string(r.sourceCell) + "/" + std::to_string(r.sourceRotation) +
         " fires " + ToUtf8(r.fireCells) + " hazards " + ToUtf8(r.hazardCells) + " walls " +
         ToUtf8(r.wallCells) + " tray " + std::to_string(r.elbowCount) + "," +
         std::to_string(r.bendCount) + "," + std::to_string(r.splitterCount) + " title " +
         ToUtf8(r.title);
}

struct EditCase {
  const char* name;
  std::vector<Edit> before;  // made first, each allowed
  Edit edit;
  const char* refusal;          // part of the reason, or nullptr when allowed
  const char* after = nullptr;  // part of the record's summary once made
};

// Every edit, allowed and refused: an allowed one changes the record as it
// should, its undo gives back the draft before and its redo the draft after,
// and a draft with a nozzle round-trips through its level code. A refused one
// changes nothing.
TEST(LevelEditorTest, EveryEditItsUndoAndRedo) {
  const Edit nozzle = Edit::Place(Item::kNozzle, 12, 2);
  const Edit four = Edit::SetCount(KIND_ELBOW, 4);
  const std::vector<EditCase> cases = {
      {"place nozzle", {}, Edit::Place(Item::kNozzle, 45, 6), nullptr, "nozzle 45/6 "},
      {"place fire",
       {nozzle, Edit::Place(Item::kFire, 3)},
       Edit::Place(Item::kFire, 99),
       nullptr,
       "fires 3,99 "},
      {"place lightning", {nozzle}, Edit::Place(Item::kLightning, 0), nullptr, "hazards 0 "},
      {"place wall",
       {nozzle, Edit::Place(Item::kWall, 70)},
       Edit::Place(Item::kWall, 7),
       nullptr,
       "walls 7,70 "},
      {"remove nozzle", {nozzle}, Edit::Remove(12), nullptr, "nozzle -1/"},
      {"remove fire",
       {nozzle, Edit::Place(Item::kFire, 5), Edit::Place(Item::kFire, 6)},
       Edit::Remove(5),
       nullptr,
       "fires 6 "},
      {"turn nozzle past north", {nozzle}, Edit::TurnNozzle(7), nullptr, "nozzle 12/1 "},
      {"set elbows", {nozzle}, four, nullptr, "tray 4,0,0 "},
      {"fill the tray", {nozzle, four}, Edit::SetCount(KIND_SPLITTER, 6), nullptr, "tray 4,0,6 "},
      {"set bends", {nozzle}, Edit::SetCount(KIND_BEND, 2), nullptr, "tray 0,2,0 "},
      {"set title", {nozzle}, Edit::SetTitle(L"Dry spell"), nullptr, "title Dry spell"},
      {"second nozzle", {nozzle}, Edit::Place(Item::kNozzle, 13), "one nozzle"},
      {"nozzle pointing nowhere", {}, Edit::Place(Item::kNozzle, 13, 8), "directions 0 to 7"},
      {"place below the board", {}, Edit::Place(Item::kWall, 100), "off the board"},
      {"place before the board", {}, Edit::Place(Item::kFire, -1), "off the board"},
      {"place nothing", {}, Edit::Place(Item::kNone, 4), "nothing to place"},
      {"place on a fire",
       {Edit::Place(Item::kFire, 4)},
       Edit::Place(Item::kWall, 4),
       "already holds a fire"},
      {"remove off the board", {}, Edit::Remove(100), "off the board"},
      {"remove from an empty cell", {}, Edit::Remove(4), "empty"},
      {"turn without a nozzle", {}, Edit::TurnNozzle(1), "no nozzle"},
      {"turn a full circle", {nozzle}, Edit::TurnNozzle(8), "1 to 7"},
      {"tray over ten",
       {Edit::SetCount(KIND_BEND, 9)},
       Edit::SetCount(KIND_ELBOW, 2),
       "ten pieces"},
      {"count below 0", {}, Edit::SetCount(KIND_ELBOW, -1), "below 0"},
      {"count of walls", {}, Edit::SetCount(KIND_WALL, 1), "only elbows"},
      {"count unchanged", {Edit::SetCount(KIND_BEND, 3)}, Edit::SetCount(KIND_BEND, 3), "already"},
      {"empty title", {}, Edit::SetTitle(L""), "needs a title"},
      {"long title", {}, Edit::SetTitle(std::wstring(64, L'a')), "at most 63"},
      {"comment title", {}, Edit::SetTitle(L";x"), "';'"},
      {"title with a line end", {}, Edit::SetTitle(L"a\nb"), "letters"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Draft start;
    start.password = L"NEATS";
    LevelEditor editor(start);
    for (const Edit& e : c.before) ASSERT_EQ(editor.Make(e), std::nullopt);
    const Draft before = editor.draft();
    const std::uint64_t revision = editor.revision();
    const std::optional<std::string> refusal = editor.Make(c.edit);
    if (c.refusal != nullptr) {
      ASSERT_TRUE(refusal.has_value());
      EXPECT_NE(refusal->find(c.refusal), std::string::npos) << *refusal;
      EXPECT_EQ(editor.draft(), before);
      EXPECT_EQ(editor.revision(), revision);
      continue;
    }
    ASSERT_EQ(refusal, std::nullopt);
    const Draft after = editor.draft();
    EXPECT_NE(Summary(ToRecord(after)).find(c.after), std::string::npos)
        << Summary(ToRecord(after));
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.draft(), before);
    ASSERT_TRUE(editor.Redo());
    EXPECT_EQ(editor.draft(), after);
    EXPECT_FALSE(editor.CanRedo());
    EXPECT_EQ(editor.revision(), revision + 3);
    EXPECT_EQ(FromRecord(ToRecord(after)), after);
    if (after.NozzleCell() < 0) continue;
    const std::optional<std::string> code =
        EncodeLevel(CodedLevel{CodedLevel::Kind::kBoard, ToRecord(after), 0, 0, 0});
    ASSERT_TRUE(code.has_value());
    const std::optional<CodedLevel> back = DecodeLevel(*code);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(FromRecord(back->board), after);
  }
}

// Records the editor cannot hold are refused with the reason, never half read.
TEST(LevelEditorTest, RecordsItCannotHold) {
  LevelRecord r{L"T", L"NEATS", 1, 0, 0, 5, 2, L"6", L"", L""};
  ASSERT_TRUE(FromRecord(r).has_value());
  const std::vector<std::pair<std::function<void(LevelRecord&)>, const char*>> cases = {
      {[](LevelRecord& x) { x.wallCells = L"6"; }, "holds both"},
      {[](LevelRecord& x) { x.hazardCells = L"5"; }, "holds both"},
      {[](LevelRecord& x) { x.fireCells = L"6,100"; }, "off the board"},
      {[](LevelRecord& x) { x.sourceCell = 100; }, "off the board"},
      {[](LevelRecord& x) { x.bendCount = 10; }, "ten pieces"},
      {[](LevelRecord& x) { x.title = L""; }, "needs a title"},
  };
  for (const auto& [change, reason] : cases) {
    LevelRecord bad = r;
    change(bad);
    std::string problem;
    EXPECT_FALSE(FromRecord(bad, &problem).has_value());
    EXPECT_NE(problem.find(reason), std::string::npos) << problem;
  }
}

}  // namespace
}  // namespace qw
