// Quenchway: route the water, douse every fire, keep it off the lightning.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop_runner.h"
#include "app/script_runner.h"
#include "data/calendar.h"
#include "data/level_code.h"
#include "data/progress_file.h"
#include "editor/own_levels.h"
#include "qw_app_resources.h"
#include "platform/bitmap.h"
#include "platform/paths.h"
#include "platform/sdl_audio.h"
#include "ui/level_codes.h"

namespace {

constexpr const char* kUsage =
    "Usage: quenchway [--scale N] [--script FILE] [--progress DIR | --no-progress]\n"
    "                 [--daily YYYY-MM-DD | --random SEED --grade G | --level CODE]\n"
    "                 [--animation off|normal|fast] [--mute]\n"
    "                 [--theme classic|dark|contrast]\n"
    "\n"
    "Route water from the nozzle through pipe pieces so that every fire is\n"
    "doused, without the water touching an electrical hazard.\n"
    "\n"
    "  --scale N      draw every game pixel as N x N screen pixels (1 to 16);\n"
    "                 default: the largest scale that fits the desktop\n"
    "  --script FILE  play without a window, reading commands from FILE\n"
    "                 ('-' for standard input); see docs/levels.md\n"
    "  --progress DIR keep the player's progress in DIR/progress; default:\n"
    "                 $XDG_DATA_HOME/quenchway, or ~/.local/share/quenchway\n"
    "                 (script mode keeps progress only with --progress)\n"
    "  --no-progress  read and write no progress\n"
    "  --daily YYYY-MM-DD  start on the daily puzzle of that day (UTC)\n"
    "  --random SEED --grade G  start on the random level of that seed\n"
    "                 (0 to 18446744073709551615) and grade (1 first steps\n"
    "                 to 5 expert)\n"
    "  --level CODE   start on the level of a level code (see docs/levels.md)\n"
    "  --animation off|normal|fast  how the water runs, for this run only\n"
    "  --mute         no sound, for this run only\n"
    "  --theme classic|dark|contrast  the look, for this run only\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Keys: Z/X or the mouse wheel turn the selected or carried piece,\n"
    "the arrows move the cursor (the menu's highlight on the menu), Space or\n"
    "Enter picks up and drops, Enter presses a screen's button,\n"
    "Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes, H gives a hint,\n"
    "R restarts the level, P opens password entry, Escape puts a carried\n"
    "piece back or goes back, F11 or Alt+Enter toggles fullscreen, M mutes.\n"
    "On the menu D plays today's daily puzzle, 1 to 5 a random level of\n"
    "that grade, R another random level of the grade chosen last.\n"
    "The game reads its data files from the data folder beside the program,\n"
    "or else from ../share/quenchway/data beside the program's folder (an\n"
    "installed copy: /usr/share/quenchway/data for /usr/bin/quenchway or\n"
    "/usr/games/quenchway).\n";

struct Options {
  std::int32_t scale = 0;
  std::optional<std::string> script;
  std::optional<std::string> progress;
  bool noProgress = false;
  std::optional<std::string> daily;
  std::optional<std::string> random;
  std::optional<std::string> grade;
  std::optional<std::string> level;
  std::optional<std::string> animation;
  std::optional<std::string> theme;
  bool mute = false;
};

// The folder of the progress file, or empty when none is kept: the game's
// own folder by default, but never in script mode, so that tests and level
// authors never touch a player's progress unless they name a folder.
std::string ProgressFolderFor(const Options& options) {
  if (options.noProgress) return std::string();
  if (options.progress) return *options.progress;
  if (options.script) return std::string();
  std::string folder = qw::ProgressFolder();
  if (folder.empty()) {
    std::fputs("quenchway: no home folder is known, so progress is not kept; see --progress\n",
               stderr);
  }
  return folder;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quenchway: %s\nTry 'quenchway --help'.\n", message.c_str());
  return 2;
}

std::optional<qw::Surface> Embedded(std::span<const std::uint8_t> bytes, const char* name) {
  std::optional<qw::Surface> s = qw::LoadBmpMemory(bytes);
  if (!s) std::fprintf(stderr, "quenchway: the built-in %s image is damaged\n", name);
  return s;
}

// A seed: decimal digits that fit 64 bits.
std::optional<std::uint64_t> ParseSeed(const std::string& text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// The generated level the options name, if any; a message for options that
// name none well.
std::optional<qw::GeneratedLevelChoice> StartLevelOf(const Options& options, std::string& problem) {
  if (options.level) {
    if (options.daily || options.random || options.grade) {
      problem = "--level excludes --daily and --random";
      return std::nullopt;
    }
    const std::optional<qw::CodedLevel> level = qw::DecodeLevel(*options.level, &problem);
    if (!level) problem = "--level: " + problem;
    return level ? std::optional(qw::ChoiceOfCode(*level)) : std::nullopt;
  }
  if (options.daily && (options.random || options.grade)) {
    problem = "--daily and --random exclude each other";
    return std::nullopt;
  }
  if (options.daily) {
    const std::optional<qw::Date> date = qw::ParseDate(*options.daily);
    if (!date) {
      problem = "--daily needs a date YYYY-MM-DD from 1970-01-01 to 9999-12-31";
      return std::nullopt;
    }
    return qw::GeneratedLevelChoice::Daily(qw::DayNumber(*date));
  }
  if (!options.random && !options.grade) return std::nullopt;
  if (!options.random || !options.grade) {
    problem = "--random and --grade go together";
    return std::nullopt;
  }
  const std::optional<std::uint64_t> seed = ParseSeed(*options.random);
  if (!seed) {
    problem = "--random needs a seed, a whole number from 0 to 18446744073709551615";
    return std::nullopt;
  }
  const std::string& g = *options.grade;
  if (g.size() != 1 || g[0] < '0' + qw::kEasiestGrade || g[0] > '0' + qw::kHardestGrade) {
    problem = "--grade needs 1 (first steps) to 5 (expert)";
    return std::nullopt;
  }
  return qw::GeneratedLevelChoice::Random(g[0] - '0', seed);
}

int Run(const Options& options, const std::string& dataFolder, qw::Surface pieces,
        qw::ProgressSetup progress, const qw::GameStart& start) {
  std::optional<qw::Surface> toolbar = Embedded(qw::resources::kToolbarBmp, "toolbar");
  if (!toolbar) return 1;
  if (options.script) {
    std::ifstream file;
    if (*options.script != "-") {
      file.open(*options.script);
      if (!file) {
        std::fprintf(stderr, "quenchway: cannot read the script '%s'\n", options.script->c_str());
        return 2;
      }
    }
    std::istream& in = *options.script == "-" ? std::cin : file;
    const qw::ScriptIo io{[&in](std::string& line) { return !!std::getline(in, line); },
                          [](std::string_view text) { std::cout << text; },
                          [](std::string_view text) { std::cerr << text; }};
    return qw::RunScript(io, dataFolder, std::move(pieces), std::move(*toolbar), &progress, start);
  }

  std::optional<qw::Surface> icon = Embedded(qw::resources::kIcon32Bmp, "icon");
  if (!icon) return 1;
  return qw::RunDesktop(dataFolder, options.scale,
                        qw::DesktopArt{std::move(pieces), std::move(*toolbar), std::move(*icon)},
                        std::move(progress), start);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("quenchway 1.0.0");
      return 0;
    }
    if (arg == "--no-progress") {
      options.noProgress = true;
      continue;
    }
    if (arg == "--mute") {
      options.mute = true;
      continue;
    }
    if (arg == "--daily" || arg == "--random" || arg == "--grade" || arg == "--level" ||
        arg == "--animation" || arg == "--theme") {
      if (i + 1 >= argc) return Fail("'" + arg + "' needs a value");
      (arg == "--daily"       ? options.daily
       : arg == "--random"    ? options.random
       : arg == "--grade"     ? options.grade
       : arg == "--animation" ? options.animation
       : arg == "--theme"     ? options.theme
                              : options.level) = argv[++i];
      continue;
    }
    if (arg == "--scale" || arg == "--script" || arg == "--progress") {
      if (i + 1 >= argc) return Fail("'" + arg + "' needs a value");
      const std::string value = argv[++i];
      if (arg == "--script") {
        options.script = value;
        continue;
      }
      if (arg == "--progress") {
        if (value.empty()) return Fail("--progress needs a folder");
        options.progress = value;
        continue;
      }
      char* end = nullptr;
      const long n = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || n < 1 || n > 16)
        return Fail("--scale takes a whole number from 1 to 16");
      options.scale = static_cast<std::int32_t>(n);
      continue;
    }
    return Fail("unknown option '" + arg + "'");
  }
  if (options.progress && options.noProgress)
    return Fail("--progress and --no-progress exclude each other");
  std::string problem;
  qw::GameStart start;
  start.level = StartLevelOf(options, problem);
  if (!problem.empty()) return Fail(problem);
  if (options.animation) {
    start.motion = qw::MotionFromName(*options.animation);
    if (!start.motion) return Fail("--animation takes off, normal or fast");
  }
  start.mute = options.mute;
  if (options.theme) {
    start.theme = qw::ThemeByName(*options.theme);
    if (!start.theme) return Fail("--theme takes classic, dark or contrast");
  }
  start.audio = [] { return qw::OpenSdlAudio(); };

  const std::string dataFolder = qw::DataFolder();
  std::optional<qw::Surface> pieces = Embedded(qw::resources::kPiecesBmp, "piece");
  if (!pieces) return 1;

  // Progress is read before the game starts, saved after every step and
  // when the game closes; a game that could not start writes nothing. The
  // desktop game saves in the background, script mode at once. Without a
  // progress file nothing is recorded: no Continue, and the chooser opens
  // only the first level.
  qw::ProgressFile progressFile(ProgressFolderFor(options), std::cerr);
  qw::Progress loaded = progressFile.Load();
  std::unique_ptr<qw::ProgressSink> sink = qw::MakeProgressSink(progressFile, !options.script);
  std::optional<qw::OwnLevels> ownLevels;
  if (progressFile.enabled()) ownLevels.emplace(ProgressFolderFor(options), std::cerr);
  qw::ProgressSetup setup{std::move(loaded), sink.get(), progressFile.enabled(),
                          ownLevels ? &*ownLevels : nullptr};
  return Run(options, dataFolder, std::move(*pieces), std::move(setup), start);
}
