#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "data/levels.h"
#include "editor/verdict.h"
#include "editor/verdict_worker.h"
#include "levels/checker.h"

namespace qw {
namespace {

constexpr std::int64_t kNodeLimit = 20'000;

// The verdict as read off `quenchway-levels check --stats` for the level's
// file text.
std::string CheckSays(const LevelRecord& record) {
  if (record.sourceCell < 0) return "No nozzle yet";
  if (record.fireCells.empty()) return "No fire yet";
  CheckOptions options;
  options.stats = true;
  options.nodeLimit = kNodeLimit;
  const std::string text = LevelRecordText(record);
  const FileCheck check = CheckLevelText(std::wstring(text.begin(), text.end()), options);
  EXPECT_EQ(check.levels.size(), 1u);
  if (check.levels.size() != 1) return "";
  const LevelCheck& level = check.levels[0];
  const SolveReport& count = *level.count;
  if (count.solutions >= 2) {
    const bool more = count.capped || count.outcome == SolveOutcome::kGaveUp;
    return std::to_string(count.solutions) + (more ? "+" : "") + " solutions \u2014 not unique";
  }
  if (level.solve.outcome == SolveOutcome::kUnsolvable) return "No solution";
  if (count.outcome != SolveOutcome::kSolved || level.fewest->outcome != SolveOutcome::kSolved)
    return "Too hard to decide";
  const std::size_t pieces = level.fewest->solution.size();
  return "Solvable: " + std::to_string(pieces) + (pieces == 1 ? " piece" : " pieces") +
         ", 1 solution, grade " + std::to_string(GradeOf(*level.features));
}

// A few hundred random edits from shipped levels: after each, the verdict
// says what check --stats says of the level the editor writes.
TEST(VerdictTest, AgreesWithCheckAfterRandomEdits) {
  const std::optional<std::vector<LevelRecord>> shipped =
      LoadLevels(QW_SOURCE_DIR "/data/qw_levels.dat");
  ASSERT_TRUE(shipped && !shipped->empty());
  std::mt19937 rng(28);
  auto below = [&](std::uint32_t n) { return static_cast<std::int32_t>(rng() % n); };
  std::int32_t made = 0;
  std::map<Verdict::Kind, std::int32_t> seen;
  for (std::int32_t start = 0; start < 12; ++start) {
    std::optional<Draft> draft =
        FromRecord((*shipped)[static_cast<std::size_t>(below(shipped->size()))]);
    ASSERT_TRUE(draft.has_value());
    LevelEditor editor(*draft);
    for (std::int32_t i = 0; i < 30; ++i) {
      const std::int32_t cell = below(kBoardCells);
      const auto& items = editor.draft().items;
      const auto fire = static_cast<std::int32_t>(
          std::find(items.begin(), items.end(), Item::kFire) - items.begin());
      const std::array<Edit, 7> edits = {
          Edit::Place(
              editor.draft().NozzleCell() < 0 ? Item::kNozzle : static_cast<Item>(2 + below(3)),
              cell, below(8)),
          Edit::Remove(cell),
          Edit::TurnNozzle(1 + below(7)),
          Edit::SetCount(static_cast<PieceKind>(8 * below(3)), below(5)),
          Edit::Place(Item::kWall, cell),
          Edit::Remove(fire),
          Edit::Remove(editor.draft().NozzleCell())};
      if (below(8) == 0
              ? !editor.Undo()
              : editor.Make(edits[static_cast<std::size_t>(below(edits.size()))]).has_value()) {
        continue;
      }
      ++made;
      VerdictOptions options;
      options.nodeLimit = kNodeLimit;
      const Verdict verdict = VerdictOf(editor.draft(), options);
      ++seen[verdict.kind];
      ASSERT_EQ(verdict.text, CheckSays(ToRecord(editor.draft())))
          << made << " " << start << " " << i;
    }
  }
  EXPECT_GT(made, 200);
  // The walk meets every verdict the editor can give.
  EXPECT_EQ(seen.size(), 6u);
}

// An edit cancels a search still running: the worker answers the newer
// revision, while the older search, left to its end, runs for minutes.
TEST(VerdictWorkerTest, AnEditCancelsARunningSearch) {
  using namespace std::chrono_literals;
  const std::optional<Draft> hard = FromRecord(
      LevelRecord{L"Hard", L"", 0, 0, 10, 72, 2, L"34,82,85", L"14,19,33,71,80,86,88,93,96", L""});
  ASSERT_TRUE(hard.has_value());
  VerdictOptions options;
  options.nodeLimit = INT64_MAX / 2;
  VerdictWorker worker(options);
  worker.Request(*hard, 1);
  EXPECT_FALSE(worker.WaitFor(100ms).has_value());
  LevelEditor editor(*hard);
  ASSERT_EQ(editor.Make(Edit::Remove(34)), std::nullopt);
  ASSERT_EQ(editor.Make(Edit::Remove(82)), std::nullopt);
  ASSERT_EQ(editor.Make(Edit::Remove(85)), std::nullopt);
  worker.Request(editor.draft(), 4);
  const std::optional<VerdictWorker::Result> result = worker.WaitFor(60s);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->revision, 4u);
  EXPECT_EQ(result->verdict.text, "No fire yet");
  EXPECT_FALSE(worker.Take().has_value());
}

}  // namespace
}  // namespace qw
