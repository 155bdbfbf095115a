// A folder holding the game binary with a data/ folder beside it, and a way
// to run that binary on a script with a time limit, telling an ordinary exit
// from a signal and from a hang.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qw::testing {

struct Outcome {
  enum class Kind { Exited, Signalled, TimedOut };
  Kind kind = Kind::Exited;
  int code = 0;  // the exit status, or the signal's number
  std::string out;
  std::string err;
};

// Two sound levels whose tray holds pieces to drag: the first with fires
// behind a wall, a hazard and another wall, so that it stays in play.
inline constexpr std::string_view kPlayLevels =
    "; levels for the hostile-data tests\r\n"
    "First\r\nSEAL\r\n3,2,1\r\n40,2\r\n45,47\r\n90\r\n42,9\r\n"
    "Second\r\nALIEN\r\n1,1,1\r\n0,4\r\n5\r\n-1\r\n-1\r\n";

class Sandbox {
 public:
  // A fresh folder `name` under the tests' scratch folder, with the game and
  // a data/ folder holding the shipped skin and layout and kPlayLevels.
  explicit Sandbox(const std::string& name);
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path data() const { return folder_ / "data"; }
  // Replaces data file `name` (qw_images.dat and so on) with these bytes.
  void Write(const std::string& name, std::string_view bytes) const;

  // Runs `quenchway --script -` with the script on standard input, and
  // any further arguments after those.
  Outcome Run(const std::string& script, std::chrono::seconds limit = std::chrono::seconds(60),
              const std::vector<std::string>& args = {}) const;

 private:
  std::filesystem::path folder_;
};

// The bytes of a file, or the empty string when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

}  // namespace qw::testing
