// The editor screen asks for a verdict on every change and shows only the
// one on the level as it stands: a verdict an edit has made stale is dropped.
#include <gtest/gtest.h>

#include "ui/editor_screen.h"
#include "world.h"

namespace qw {
namespace {

struct Requests final : VerdictSource {
  void Request(const Draft&, std::uint64_t revision) override { revisions.push_back(revision); }
  std::vector<std::uint64_t> revisions;
};

TEST(EditorScreen, ShowsOnlyTheVerdictOfTheLevelAsItStands) {
  testing::RecordingWindow window;
  const std::vector<LevelRecord> levels;
  Puzzle puzzle(levels);
  const Layout layout = testing::TestLayout();
  Session session(puzzle, layout, levels, window);
  EditorScreen screen(session);
  Requests source;
  screen.SetVerdictSource(&source);
  screen.Open();
  screen.Make(Edit::Place(Item::kFire, 5));
  screen.Make(Edit::Place(Item::kWall, 6));
  EXPECT_EQ(source.revisions, (std::vector<std::uint64_t>{0, 1, 2}));
  screen.VerdictArrived(EditorVerdict{1, "No nozzle yet", false, false});
  EXPECT_EQ(screen.verdict(), kVerdictSearching);
  screen.VerdictArrived(EditorVerdict{2, "No nozzle yet", false, false});
  EXPECT_EQ(screen.verdict(), "No nozzle yet");
}

}  // namespace
}  // namespace qw
