// The level file: any bytes through LoadLevels and ParseLevels, then the
// first levels of the table started and traced as the game would, and given
// back by their codes; the bytes read as a level code too.
#include <cstdint>
#include <string>

#include "data/level_code.h"
#include "data/levels.h"
#include "data/text.h"
#include "support.h"

namespace {

using qw::fuzz::Check;

std::int32_t MeaningfulLines(const std::wstring& text) {
  qw::TextBuffer buffer(text);
  std::wstring line;
  std::int32_t n = 0;
  while (qw::NextLine(buffer, line)) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto loaded = qw::LoadLevels(qw::fuzz::WriteScratchFile("levels", bytes));
  Check(loaded.has_value(), "a small regular file was not read");

  const std::wstring text = qw::fuzz::Widen(bytes);
  std::vector<std::int32_t> starts;
  const std::vector<qw::LevelRecord> levels = qw::ParseLevels(text, &starts);
  Check(levels == *loaded, "the file and the text give different tables");
  Check(starts.size() == levels.size(), "one start line per level");
  for (std::size_t i = 1; i < starts.size(); ++i)
    Check(starts[i] > starts[i - 1], "start lines out of order");
  Check(static_cast<std::int64_t>(levels.size()) * 7 <= MeaningfulLines(text),
        "more levels than lines");

  qw::Puzzle puzzle(levels);
  for (std::int32_t i = 0; i < 4 && i < puzzle.LevelCount(); ++i) {
    Check(puzzle.StartLevel(i), "an existing level did not start");
    const qw::WaterTrace& water = puzzle.Water();
    Check(static_cast<std::int64_t>(water.steps.size()) == water.stats.flowCalls,
          "steps and flow calls differ");
    Check(water.stats.mostFlowCallsPerSource <= qw::kMaxFlowCallsPerSource,
          "a source ran too long");
    qw::CodedLevel level;
    level.board = levels[static_cast<std::size_t>(i)];
    const std::optional<std::string> code = qw::EncodeLevel(level);
    Check(!code || qw::DecodeLevel(*code) == level, "a level's code gave another level");
  }
  const std::optional<qw::CodedLevel> decoded =
      qw::DecodeLevel(std::string_view(reinterpret_cast<const char*>(data), size));
  Check(!decoded || qw::DecodeLevel(qw::EncodeLevel(*decoded).value_or("")) == decoded,
        "a decoded level's code gave another level");
  Check(!puzzle.StartLevel(puzzle.LevelCount()), "a level past the table started");
  return 0;
}
