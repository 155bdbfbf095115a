// Replays the golden sessions (sessions.txt) through the built game in script
// mode and compares what it prints and every shot's pixels with what the
// recorded game did (expected.txt). A dump is compared by the lines the
// recording knows; lines a later game appends to a dump are skipped.
// Re-record after a deliberate change with
//   python3 tests/golden/record.py record build
// which runs this program with --record: expected.txt is written anew from
// what the game does now.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "run_game.h"

namespace qw {
namespace {

using testing::ReadAll;
using testing::ScratchFolder;

constexpr int kDumpLines = 30;  // "mode" to "theme"
constexpr int kChunks = 8;      // the sessions run as this many tests

struct Expected {
  int status = 0;
  std::vector<std::string> out;
  std::string shots;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Sessions by number, each the lines of its script.
std::map<int, std::vector<std::string>> ReadSessions() {
  std::map<int, std::vector<std::string>> sessions;
  std::vector<std::string>* current = nullptr;
  for (const std::string& line : Lines(ReadAll(QW_GOLDEN_DIR "/sessions.txt"))) {
    if (line.starts_with("session ")) {
      current = &sessions[std::stoi(line.substr(8))];
    } else if (line == "end") {
      current = nullptr;
    } else if (current) {
      current->push_back(line);
    }
  }
  return sessions;
}

std::map<int, Expected> ReadExpected() {
  std::map<int, Expected> expected;
  Expected* current = nullptr;
  for (const std::string& line : Lines(ReadAll(QW_GOLDEN_DIR "/expected.txt"))) {
    int number = 0, status = 0;
    if (std::sscanf(line.c_str(), "session %d status %d", &number, &status) == 2) {
      current = &expected[number];
      current->status = status;
    } else if (line == "end") {
      current = nullptr;
    } else if (current && line.starts_with("shots")) {
      current->shots = line;
    } else if (current) {
      current->out.push_back(line);
    }
  }
  return expected;
}

// The output with lines that a newer game appends to a dump taken out.
std::vector<std::string> KnownLines(const std::vector<std::string>& out) {
  std::vector<std::string> known;
  for (std::size_t i = 0; i < out.size();) {
    if (out[i].starts_with("mode ")) {
      for (int k = 0; k < kDumpLines && i < out.size(); ++k) known.push_back(out[i++]);
      while (i < out.size() && !out[i].starts_with("mode ") && !out[i].starts_with("message: ") &&
             out[i] != "closed") {
        ++i;
      }
    } else {
      known.push_back(out[i++]);
    }
  }
  return known;
}

// FNV-1a 64 of a BMP's pixel bytes, as the recorder computes it.
std::string ShotDigest(const std::filesystem::path& path) {
  if (!std::filesystem::exists(path)) return "none";
  const std::string data = ReadAll(path);
  if (data.size() < 14) return "short";
  std::uint32_t offset = 0;
  for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(data[10 + i]);
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (std::size_t i = offset; i < data.size(); ++i) {
    h ^= static_cast<unsigned char>(data[i]);
    h *= 0x100000001b3ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

// One session played in `folder`: its exit status, the lines of its output
// the recording knows, and its shots' digests. A session that begins with
// "# progress" keeps progress in a folder of its own, new each time.
Expected Replay(const std::vector<std::string>& script, const std::filesystem::path& folder) {
  std::ofstream(folder / "script.txt") << [&] {
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    return text;
  }();
  int shots = 0;
  for (const std::string& line : script)
    shots += line.starts_with("shot ") || line.starts_with("frame ");
  const bool progress = !script.empty() && script[0] == "# progress";
  const std::string command = "cd '" + folder.string() +
                              "' && rm -rf progress shot-*.bmp && '" QW_GAME_BINARY
                              "' --script script.txt" +
                              (progress ? " --progress progress" : "") + " > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  Expected run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = KnownLines(Lines(ReadAll(folder / "out.txt")));
  run.shots = "shots";
  for (int i = 1; i <= shots; ++i)
    run.shots += " " + ShotDigest(folder / ("shot-" + std::to_string(i) + ".bmp"));
  return run;
}

class Golden : public ::testing::TestWithParam<int> {};

TEST_P(Golden, SessionsPrintAndPaintAsRecorded) {
  static const auto sessions = ReadSessions();
  static const auto expected = ReadExpected();
  ASSERT_GE(sessions.size(), 100u);
  ASSERT_EQ(sessions.size(), expected.size());
  ScratchFolder scratch("golden_" + std::to_string(GetParam()));
  int index = 0, failures = 0;
  for (const auto& [number, script] : sessions) {
    if (index++ % kChunks != GetParam()) continue;
    const Expected got = Replay(script, scratch.path());
    const Expected& want = expected.at(number);
    std::size_t first = 0;
    while (first < got.out.size() && first < want.out.size() && got.out[first] == want.out[first])
      ++first;
    const bool same = got.status == want.status && got.out == want.out && got.shots == want.shots;
    EXPECT_TRUE(same) << "session " << number << ": status " << got.status << " (recorded "
                      << want.status << "), output line " << first + 1 << ": '"
                      << (first < got.out.size() ? got.out[first] : "<end>") << "' (recorded '"
                      << (first < want.out.size() ? want.out[first] : "<end>") << "')\n"
                      << got.shots << "\n"
                      << want.shots;
    if (!same && ++failures >= 5) break;
  }
}

INSTANTIATE_TEST_SUITE_P(Chunks, Golden, ::testing::Range(0, kChunks));

// Writes expected.txt from every session as the game plays it now.
int Record() {
  ScratchFolder scratch("golden_record");
  const auto sessions = ReadSessions();
  std::ofstream out(QW_GOLDEN_DIR "/expected.txt", std::ios::binary);
  for (const auto& [number, script] : sessions) {
    const Expected run = Replay(script, scratch.path());
    out << "session " << number << " status " << run.status << "\n";
    for (const std::string& line : run.out) out << line << "\n";
    out << run.shots << "\nend\n";
  }
  std::printf("recorded %zu sessions\n", sessions.size());
  return 0;
}

}  // namespace
}  // namespace qw

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--record") return qw::Record();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
