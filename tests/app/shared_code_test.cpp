// Levels shared by a code, in script mode with its own clipboard: a pasted
// code plays like a generated level without taking Continue's place, Share
// copies the code of the solved level and of the chooser's row, and the
// menu's Enter code button opens the code screen. (A code that does not read
// is refused by the decoder's tests and, in its box, by the browser test,
// which shares the start.)
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "data/level_code.h"
#include "run_game.h"

namespace qw {
namespace {

using testing::RunGame;
using testing::ScratchFolder;

// The menu's New game button, and the dumps of a script, "mode" to "clipboard".
constexpr const char* kNewGame = "tap 120 121\n";

std::vector<std::string> Dumps(const std::string& out) {
  std::vector<std::string> dumps;
  for (std::size_t at = out.find("mode "); at != std::string::npos;) {
    const std::size_t end = out.find('\n', out.find("\nclipboard", at) + 1) + 1;
    dumps.push_back(out.substr(at, end - at));
    at = out.find("\nmode ", end - 1);
    if (at != std::string::npos) ++at;
  }
  return dumps;
}

TEST(SharedCode, APastedCodePlaysLikeAGeneratedLevelAndShareCopiesItBack) {
  ScratchFolder scratch("shared_code");
  const std::string code = *EncodeLevel(CodedLevel{CodedLevel::Kind::kRandom, {}, 0, 4242, 1});
  // Pasted as a friend might: in small letters, split by a hyphen.
  std::string typed = code.substr(0, 4) + "-" + code.substr(4);
  for (char& c : typed) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string script = std::string(kNewGame) + "ok\npaste " + typed + "\nkey Return\ndump\n";
  for (int i = 0; i < 20; ++i) script += "hint\n";
  script += "key S\ndump\nkey Return\npaste\nkey S\ndump\n";
  const auto run = RunGame(QW_GAME_BINARY, "--progress " + scratch.path().string() + " --script -",
                           script, scratch.path());
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> dumps = Dumps(run.out);
  ASSERT_EQ(dumps.size(), 3u) << run.out;
  EXPECT_EQ(dumps[0].rfind("mode 2\nlevel -2\n", 0), 0u) << dumps[0];
  EXPECT_NE(dumps[0].find("\ninplay 0\ntooltip\ncode " + code + "\n"), std::string::npos)
      << dumps[0];
  EXPECT_EQ(dumps[1].rfind("mode 3\n", 0), 0u) << dumps[1];
  EXPECT_NE(run.out.find("bar: Code copied: " + code + "\n"), std::string::npos) << run.out;
  // The chooser's row of the grade just played shares the same level.
  EXPECT_EQ(dumps[2].rfind("mode 6\n", 0), 0u) << dumps[2];
  for (const std::string& dump : {dumps[1], dumps[2]}) {
    EXPECT_NE(dump.find("\nclipboard " + code + "\n"), std::string::npos) << dump;
  }
}

// Enter code sits at the menu's top left, the gear at its top right: each
// acts on a press, never on a pointer passing over it.
TEST(SharedCode, TheMenusEnterCodeButtonOpensTheCodeScreenOnAPressOnly) {
  ScratchFolder scratch("shared_code_menu");
  const auto run = RunGame(QW_GAME_BINARY, "--script -",
                           "move 12 12\nmove 228 12\ndump\ntap 12 12\ndump\n", scratch.path());
  const std::vector<std::string> dumps = Dumps(run.out);
  ASSERT_EQ(dumps.size(), 2u) << run.out;
  EXPECT_EQ(dumps[0].rfind("mode 0\n", 0), 0u) << dumps[0];
  EXPECT_EQ(dumps[1].rfind("mode 8\n", 0), 0u) << dumps[1];
}

}  // namespace
}  // namespace qw
