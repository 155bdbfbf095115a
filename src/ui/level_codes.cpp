#include "ui/level_codes.h"

namespace qw {

GeneratedLevelChoice ChoiceOfCode(const CodedLevel& level) {
  switch (level.kind) {
    case CodedLevel::Kind::kDaily: return GeneratedLevelChoice::Daily(level.day);
    case CodedLevel::Kind::kRandom: return GeneratedLevelChoice::Random(level.grade, level.seed);
    case CodedLevel::Kind::kBoard: break;
  }
  return GeneratedLevelChoice::Shared(level.board);
}

std::optional<std::string> CodeOfLevelInPlay(const Puzzle& puzzle,
                                             const std::optional<GeneratedLevelChoice>& generated) {
  CodedLevel level;
  if (puzzle.currentLevel() == kGeneratedLevel && generated &&
      generated->kind != GeneratedLevelChoice::Kind::kShared) {
    const bool daily = generated->kind == GeneratedLevelChoice::Kind::kDaily;
    level.kind = daily ? CodedLevel::Kind::kDaily : CodedLevel::Kind::kRandom;
    level.day = generated->day.value_or(0);
    level.seed = generated->seed.value_or(0);
    level.grade = daily ? 0 : generated->grade;
  } else if (const LevelRecord* record = puzzle.CurrentRecord()) {
    level.board = *record;
  } else {
    return std::nullopt;
  }
  return EncodeLevel(level);
}

}  // namespace qw
