// The text of a generated level: a comment line on its grade, then its
// seven lines in the level format.
#include <string>

#include "levelgen/generator.h"

namespace qw {

namespace {

std::string Plural(std::int32_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string PieceCounts(std::int32_t elbows, std::int32_t bends, std::int32_t splitters) {
  std::string text;
  auto add = [&text](std::int32_t n, const char* one, const char* many) {
    if (n == 0) return;
    if (!text.empty()) text += ", ";
    text += Plural(n, one, many);
  };
  add(elbows, "elbow", "elbows");
  add(bends, "bend", "bends");
  add(splitters, "splitter", "splitters");
  return text;
}

}  // namespace

std::string LevelText(const GeneratedLevel& level) {
  const LevelFeatures& f = level.features;
  const LevelRecord& r = level.record;
  const std::string decoys = PieceCounts(level.decoyElbows, level.decoyBends, level.decoySplitters);
  std::string text = "; grade " + std::to_string(level.grade) + " (score " +
                     std::to_string(GradeScore(f)) + "): fewest pieces " +
                     std::to_string(f.pieces) + " (" + PieceCounts(f.elbows, f.bends, f.splitters) +
                     "), search effort " +
                     Plural(static_cast<std::int32_t>(f.effort), "node", "nodes") + ", " +
                     Plural(f.diagonalStretches, "diagonal stretch", "diagonal stretches") + ", " +
                     Plural(f.hazardsNearRoute, "hazard", "hazards") +
                     " next to the route, decoys: " + (decoys.empty() ? "none" : decoys) + "\r\n";
  return text + LevelRecordText(r);
}

}  // namespace qw
