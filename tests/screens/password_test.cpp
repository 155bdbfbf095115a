// Confirming an entry on the password screen of the real game: only a whole
// password starts its level, the first level holding it; anything else goes
// back to the menu.
#include <gtest/gtest.h>

#include "fixture.h"

namespace qw {
namespace {

using testing::ItemCentre;

// Opens password entry from the menu, types `word` and confirms it.
std::string Confirm(const std::string& word) {
  return "move " + ItemCentre(5) + "\ntap " + ItemCentre(5) + "\n" + testing::TypeWord(word) + "tap " +
         ItemCentre(20) + "\ndump\nok\n";
}

struct Result {
  std::int32_t mode;
  std::int32_t level;
};

TEST(Passwords, OnlyAWholePasswordStartsItsLevel) {
  const testing::ScreenSandbox box("passwords");
  // The passwords: SEAL, SLATE, TRAIN, SEALS.
  const std::vector<std::pair<std::string, Result>> cases = {
      {"", {0, -1}},       // nothing typed
      {"SEA", {0, -1}},    // the start of the first password
      {"SEALSS", {0, -1}}, // a password and more
      {"LATE", {0, -1}},   // the end of one
      {"SEALS", {3, 3}},   // the first password is its start; solved at once
      {"SEAL", {2, 0}},
      {"TRAIN", {4, 2}},   // fails at its first paint
  };
  for (const auto& [word, expected] : cases) {
    const testing::Outcome run = box.Run(Confirm(word), std::chrono::seconds(20));
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<testing::Dump> dumps = testing::ParseDumps(run.out);
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0].mode, expected.mode) << "'" << word << "'";
    EXPECT_EQ(dumps[0].level, expected.level) << "'" << word << "'";
    if (expected.mode == 0) {
      EXPECT_EQ(dumps[0].password, word) << "the entry is kept";
    }
  }
}

}  // namespace
}  // namespace qw
