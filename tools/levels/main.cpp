// quenchway-levels: the level author's tool. See docs/levels.md.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "data/level_code.h"
#include "data/levels.h"
#include "data/text.h"
#include "levels/checker.h"
#include "levelgen/generator.h"
#include "levels/show.h"
#include "platform/paths.h"
#include "solver/solver.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage:\n"
    "  quenchway-levels check FILE [--stats] [--limit NODES]\n"
    "  quenchway-levels solve FILE [N] [--limit NODES]\n"
    "  quenchway-levels show FILE N [--solved] [--png OUT] [--art DIR] [--pieces BMP]\n"
    "  quenchway-levels generate [--count N] [--seed S] [--grade 1..5|mixed] [-o FILE]\n"
    "  quenchway-levels generate --daily YYYY-MM-DD [-o FILE]\n"
    "  quenchway-levels encode FILE N\n"
    "  quenchway-levels decode CODE\n"
    "encode prints level N's code, which quenchway --level CODE plays; decode\n"
    "prints the level of a code in the level format.\n";

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "quenchway-levels: " << problem << "\n";
  std::cerr << kUsage;
  return kExitUsage;
}

struct Arguments {
  std::vector<std::string> plain;
  bool stats = false;
  bool solved = false;
  std::optional<std::string> png;
  std::optional<std::string> art;
  std::optional<std::string> pieces;
  std::int64_t limit = qw::kDefaultNodeLimit;
  std::optional<std::string> count;
  std::optional<std::string> seed;
  std::optional<std::string> grade;
  std::optional<std::string> output;
  std::optional<std::string> daily;
};

// A whole positive decimal number, or nullopt.
std::optional<std::int64_t> PositiveNumber(const std::string& text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value == 0) return std::nullopt;
  return value;
}

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        std::string* problem) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        *problem = arg + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (arg == "--stats") {
      a.stats = true;
    } else if (arg == "--solved") {
      a.solved = true;
    } else if (arg == "--png" || arg == "--art" || arg == "--pieces" || arg == "--limit") {
      const std::optional<std::string> v = value();
      if (!v) return std::nullopt;
      if (arg == "--png") a.png = v;
      if (arg == "--art") a.art = v;
      if (arg == "--pieces") a.pieces = v;
      if (arg == "--limit") {
        const std::optional<std::int64_t> n = PositiveNumber(*v);
        if (!n) {
          *problem = "--limit needs a positive number of search nodes";
          return std::nullopt;
        }
        a.limit = *n;
      }
    } else if (arg == "--count" || arg == "--seed" || arg == "--grade" || arg == "-o" ||
               arg == "--daily") {
      const std::optional<std::string> v = value();
      if (!v) return std::nullopt;
      (arg == "--count"   ? a.count
       : arg == "--seed"  ? a.seed
       : arg == "--grade" ? a.grade
       : arg == "-o"      ? a.output
                          : a.daily) = v;
    } else if (arg.size() > 1 && arg[0] == '-') {
      *problem = "unknown option " + arg;
      return std::nullopt;
    } else {
      a.plain.push_back(arg);
    }
  }
  return a;
}

std::optional<std::vector<qw::LevelRecord>> Load(const std::string& path) {
  std::optional<std::vector<qw::LevelRecord>> levels = qw::LoadLevels(path);
  if (!levels) std::cerr << "quenchway-levels: cannot read " << path << "\n";
  return levels;
}

// Level number N (1-based) as an index, or nullopt with a message.
std::optional<std::int32_t> LevelIndex(const std::string& text, std::size_t count) {
  const std::optional<std::int64_t> n = PositiveNumber(text);
  if (!n || static_cast<std::uint64_t>(*n) > count) {
    std::cerr << "quenchway-levels: no level " << text << " (the file has " << count
              << " levels)\n";
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*n - 1);
}

int Check(const Arguments& a) {
  if (a.plain.size() != 1) return Usage("check takes one level file");
  qw::CheckOptions options;
  options.stats = a.stats;
  options.nodeLimit = a.limit;
  const std::optional<qw::FileCheck> check = qw::CheckLevelFile(a.plain[0], options);
  if (!check) {
    std::cerr << "quenchway-levels: cannot read " << a.plain[0] << "\n";
    return kExitUsage;
  }
  qw::PrintCheck(std::cout, *check, a.stats);
  return check->Passed() ? kExitOk : kExitProblems;
}

int Solve(const Arguments& a) {
  if (a.plain.empty() || a.plain.size() > 2)
    return Usage("solve takes a level file and an optional level number");
  const auto levels = Load(a.plain[0]);
  if (!levels) return kExitUsage;
  std::size_t first = 0;
  std::size_t last = levels->size();
  if (a.plain.size() == 2) {
    const std::optional<std::int32_t> index = LevelIndex(a.plain[1], levels->size());
    if (!index) return kExitUsage;
    first = static_cast<std::size_t>(*index);
    last = first + 1;
  }
  bool all = true;
  qw::SolveOptions options;
  options.nodeLimit = a.limit;
  for (std::size_t i = first; i < last; ++i) {
    const qw::SolveReport report = qw::SolveFewest((*levels)[i], options.nodeLimit);
    std::cout << "level " << i + 1 << ": ";
    if (report.outcome == qw::SolveOutcome::kSolved &&
        !qw::VerifySolution((*levels)[i], report.solution)) {
      all = false;
      std::cout << "solver error: " << qw::SolutionText(report.solution) << " fails in the game\n";
    } else if (report.outcome == qw::SolveOutcome::kSolved) {
      std::cout << (report.solution.empty() ? "(no pieces)" : qw::SolutionText(report.solution))
                << "\n";
    } else {
      all = false;
      std::cout << (report.outcome == qw::SolveOutcome::kUnsolvable
                        ? "none"
                        : "undecided (search limit reached)")
                << "\n";
    }
  }
  return all ? kExitOk : kExitProblems;
}

int Show(const Arguments& a) {
  if (a.plain.size() != 2) return Usage("show takes a level file and a level number");
  const auto levels = Load(a.plain[0]);
  if (!levels) return kExitUsage;
  const std::optional<std::int32_t> index = LevelIndex(a.plain[1], levels->size());
  if (!index) return kExitUsage;
  const qw::LevelRecord& level = (*levels)[static_cast<std::size_t>(*index)];

  std::optional<qw::Solution> solution;
  if (a.solved) {
    qw::SolveOptions options;
    options.nodeLimit = a.limit;
    const qw::SolveReport report = qw::SolveFewest(level, options.nodeLimit);
    if (report.outcome != qw::SolveOutcome::kSolved ||
        !qw::VerifySolution(level, report.solution)) {
      std::cerr << "quenchway-levels: level " << *index + 1 << " has no solution to show\n";
      return kExitProblems;
    }
    solution = report.solution;
  }
  std::cout << qw::BoardText(level, *index + 1, solution ? &*solution : nullptr);

  if (a.png) {
    const qw::ShowArt art = qw::ChooseShowArt(a.plain[0], a.art, a.pieces, qw::DataFolder());
    std::string error;
    if (!qw::RenderLevelPng(*levels, *index, solution ? &*solution : nullptr, art, *a.png,
                            &error)) {
      std::cerr << "quenchway-levels: " << error << "\n";
      return kExitProblems;
    }
    std::cout << "picture: " << *a.png << "\n";
  }
  return kExitOk;
}

// A whole decimal number that fits 64 unsigned bits, or nullopt.
std::optional<std::uint64_t> Unsigned64(const std::string& text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

constexpr std::int64_t kMostGenerated = 10000;

// The options of generate, checked; nullopt after a usage message.
std::optional<qw::GenerateOptions> GenerateOptionsOf(const Arguments& a, std::string* problem) {
  qw::GenerateOptions options;
  if (a.count) {
    const std::optional<std::int64_t> n = PositiveNumber(*a.count);
    if (!n || *n > kMostGenerated) {
      *problem = "--count needs a number of levels from 1 to " + std::to_string(kMostGenerated);
      return std::nullopt;
    }
    options.count = static_cast<std::int32_t>(*n);
  }
  if (a.seed) {
    const std::optional<std::uint64_t> s = Unsigned64(*a.seed);
    if (!s) {
      *problem = "--seed needs a whole number from 0 to " + std::to_string(UINT64_MAX);
      return std::nullopt;
    }
    options.seed = *s;
  }
  if (a.grade && *a.grade != "mixed") {
    const std::optional<std::int64_t> g = PositiveNumber(*a.grade);
    if (!g || *g > qw::kHighestGrade) {
      *problem = "--grade needs 1 (first steps) to 5 (expert), or mixed";
      return std::nullopt;
    }
    options.grade = static_cast<std::int32_t>(*g);
  }
  return options;
}

int Generate(const Arguments& a) {
  if (!a.plain.empty()) return Usage("generate takes no file but -o FILE");
  std::string text;
  if (a.daily) {
    if (a.count || a.seed || a.grade)
      return Usage("--daily takes neither --count, --seed nor --grade");
    const std::optional<qw::Date> date = qw::ParseDate(*a.daily);
    if (!date) return Usage("--daily needs a date YYYY-MM-DD between 1970-01-01 and 9999-12-31");
    const std::optional<qw::GeneratedLevel> level = qw::GenerateDaily(*date);
    if (!level) {
      std::cerr << "quenchway-levels: no daily puzzle could be made for " << *a.daily << "\n";
      return kExitProblems;
    }
    text =
        "; Quenchway daily puzzle of " + qw::DateText(*date) + "\r\n\r\n" + qw::LevelText(*level);
  } else {
    std::string problem;
    const std::optional<qw::GenerateOptions> options = GenerateOptionsOf(a, &problem);
    if (!options) return Usage(problem);
    const auto levels = qw::GenerateSet(*options);
    if (!levels) {
      std::cerr << "quenchway-levels: a level of the set could not be made\n";
      return kExitProblems;
    }
    text = "; Quenchway levels made by: quenchway-levels generate --count " +
           std::to_string(options->count) + " --seed " + std::to_string(options->seed) +
           " --grade " +
           (options->grade == qw::kMixedGrade ? std::string("mixed")
                                              : std::to_string(options->grade)) +
           "\r\n";
    for (const qw::GeneratedLevel& level : *levels) text += "\r\n" + qw::LevelText(level);
  }
  if (!a.output) {
    std::cout << text << std::flush;
    return std::cout ? kExitOk : kExitProblems;
  }
  std::ofstream file(*a.output, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    std::cerr << "quenchway-levels: cannot write " << *a.output << "\n";
    return kExitProblems;
  }
  return kExitOk;
}

// A level's code: the whole level, as the game plays it.
int Encode(const Arguments& a) {
  if (a.plain.size() != 2) return Usage("encode takes a level file and a level number");
  const auto levels = Load(a.plain[0]);
  if (!levels) return kExitUsage;
  const std::optional<std::int32_t> index = LevelIndex(a.plain[1], levels->size());
  if (!index) return kExitUsage;
  qw::CodedLevel level;
  level.board = (*levels)[static_cast<std::size_t>(*index)];
  std::string problem;
  const std::optional<std::string> code = qw::EncodeLevel(level, &problem);
  if (!code) {
    std::cerr << "quenchway-levels: level " << *index + 1 << " has no code: " << problem << "\n";
    return kExitProblems;
  }
  std::cout << *code << "\n";
  return kExitOk;
}

// The level of a code in the level format, after a comment line naming it;
// a daily puzzle or random level as the game makes it.
int Decode(const Arguments& a) {
  if (a.plain.size() != 1) return Usage("decode takes one level code");
  std::string problem;
  const std::optional<qw::CodedLevel> level = qw::DecodeLevel(a.plain[0], &problem);
  if (!level) {
    std::cerr << "quenchway-levels: " << problem << "\n";
    return kExitUsage;
  }
  std::optional<qw::LevelRecord> record;
  std::string what;
  switch (level->kind) {
    case qw::CodedLevel::Kind::kBoard:
      record = level->board;
      what = "level";
      break;
    case qw::CodedLevel::Kind::kDaily:
      record = qw::DailyGeneratedLevel(level->day);
      what = "daily puzzle of " + qw::DateText(*qw::DateOfDay(level->day));
      break;
    case qw::CodedLevel::Kind::kRandom:
      record = qw::RandomGeneratedLevel(level->seed, level->grade);
      what = "random level of grade " + std::to_string(level->grade) + ", seed " +
             std::to_string(level->seed);
      break;
  }
  if (!record) {
    std::cerr << "quenchway-levels: the " << what << " could not be made\n";
    return kExitProblems;
  }
  std::cout << "; Quenchway " << what << ", code " << *qw::EncodeLevel(*level) << "\r\n"
            << qw::LevelRecordText(*record) << std::flush;
  return std::cout ? kExitOk : kExitProblems;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("");
  const std::string command = args.front();
  args.erase(args.begin());
  std::string problem;
  const std::optional<Arguments> parsed = ParseArguments(args, &problem);
  if (!parsed) return Usage(problem);
  if (command == "check") return Check(*parsed);
  if (command == "solve") return Solve(*parsed);
  if (command == "show") return Show(*parsed);
  if (command == "generate") return Generate(*parsed);
  if (command == "encode") return Encode(*parsed);
  if (command == "decode") return Decode(*parsed);
  if (command == "--help" || command == "help") {
    std::cout << kUsage;
    return kExitOk;
  }
  return Usage("unknown command " + command);
}
