#include "ui/editor_screen.h"

#include <cwctype>
#include <utility>

namespace qw {

namespace {

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

EditorScreen::EditorScreen(Session& session) : s_(session), preview_(noLevels_) {}

void EditorScreen::Open(Draft draft) {
  editor_ = LevelEditor(std::move(draft));
  // A new history starts at revision 0 again: no verdict of the level edited
  // before may pass for this one's.
  verdictRevision_ = ~std::uint64_t{0};
  Reopen();
}

void EditorScreen::Reopen() {
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

void EditorScreen::VerdictArrived(std::uint64_t revision, const std::string& text) {
  if (revision != editor_.revision() || !VerdictPending()) return;
  verdictRevision_ = revision;
  verdict_ = text;
  if (s_.state.screenMode == MODE_EDITOR) s_.effects.InvalidateAll();
}

void EditorScreen::Changed() {
  preview_.StartLevel(ToRecord(editor_.draft()));
  if (VerdictPending()) {
    verdict_ = kVerdictSearching;
    if (verdicts_) verdicts_->Request(editor_.draft(), editor_.revision());
  }
  s_.effects.InvalidateAll();
}

}  // namespace qw
