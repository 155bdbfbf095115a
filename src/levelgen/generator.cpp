// The generator builds a level around a route: from a random nozzle the water
// runs a few cells, meets a piece that turns or splits it, runs on, and so
// on; fires sit on the stretches after the pieces, so that no fire burns on
// the bare water's way. Hazards go next to the route, walls anywhere off it,
// and decoy pieces into the tray. The solver then counts the solutions; while
// there is another one besides the route, a hazard or a wall goes on a cell
// that only the other one's water enters. Last, every wall and hazard that
// does not earn its place (levelgen/elements.h) is taken away. A candidate
// that keeps a second solution, costs the solver too much or comes out at
// another grade is dropped, and the next one is built from the same random
// stream.
#include "levelgen/generator.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <set>

#include "data/keypad.h"
#include "data/text.h"
#include "levelgen/elements.h"
#include "levelgen/random.h"
#include "levelgen/variety.h"
#include "model/water.h"

namespace qw {

namespace {

using CellBits = std::bitset<kBoardCells>;

// What a candidate of each grade is built from; the grade model has the last
// word on the grade.
struct Recipe {
  std::int32_t minPieces, maxPieces;
  std::int32_t bendPercent;  // of the turning pieces
  std::int32_t minSplitters, maxSplitters;
  std::int32_t minDecoys, maxDecoys;
  std::int32_t minHazards, maxHazards;
  std::int32_t minWalls, maxWalls;
  std::int32_t diagonalSourcePercent;  // of the nozzles
  std::int32_t longestRun;             // cells between two pieces
  std::int32_t openEndPercent;         // of the streams: water runs on past the last fire
};

// Grade 1 mixes elbows, bends and a splitter too, so that first steps are
// not all one elbow.
constexpr std::array<Recipe, 5> kRecipes{{
    {2, 2, 35, 0, 1, 0, 1, 0, 1, 0, 2, 20, 6, 70},
    {2, 3, 40, 0, 0, 0, 0, 0, 1, 0, 3, 30, 5, 70},
    {3, 5, 40, 0, 1, 0, 1, 1, 3, 0, 4, 50, 4, 60},
    {5, 7, 45, 1, 1, 0, 1, 2, 5, 3, 8, 50, 4, 50},
    {6, 9, 50, 1, 2, 0, 2, 3, 7, 10, 16, 50, 3, 30},
}};

static_assert(kElementNodeLimit == kGeneratorNodeLimit);
constexpr std::int32_t kMostAttempts = 3000;
// How much blocking other solutions may add to a score.
constexpr std::int32_t kHazardRoom = 16;
constexpr std::int32_t kMostBlocks = 24;

// The cell next to cell number n in direction d, or -1 past the edge.
std::int32_t Step(std::int32_t n, std::int32_t d) {
  Position p = CellNumberPosition(n);
  StepPosition(p, d);
  return IsBoardCell(p) ? p.y * kBoardSize + p.x : -1;
}

bool IsNeighbour(std::int32_t n, const CellBits& cells) {
  for (std::int32_t d = 0; d < 8; ++d) {
    const std::int32_t m = Step(n, d);
    if (m >= 0 && cells.test(static_cast<std::size_t>(m))) return true;
  }
  return false;
}

// A random cell of `allowed`, or -1 when it is empty.
std::int32_t PickCell(SplitMix64& rng, const CellBits& allowed) {
  const auto count = static_cast<std::int32_t>(allowed.count());
  if (count == 0) return -1;
  std::int32_t k = rng.Below(count);
  for (std::int32_t n = 0; n < kBoardCells; ++n) {
    if (allowed.test(static_cast<std::size_t>(n)) && k-- == 0) return n;
  }
  return -1;
}

std::wstring CellList(const CellBits& cells) {
  std::wstring text;
  for (std::int32_t n = 0; n < kBoardCells; ++n) {
    if (!cells.test(static_cast<std::size_t>(n))) continue;
    if (!text.empty()) text += L',';
    text += std::to_wstring(n);
  }
  return text;
}

struct Stream {
  std::int32_t cell = 0;  // the cell the water leaves
  std::int32_t dir = 0;
  bool fromSource = false;
};

// The level as it is being built.
struct Candidate {
  std::int32_t source = 0;
  std::int32_t sourceDir = 0;
  Solution route;  // the pieces that make the only solution
  CellBits used;   // source, pieces, and every cell the route's water enters
  CellBits bare;   // the bare water's straight line from the source
  CellBits fires, hazards, walls;
  std::array<std::int32_t, 3> decoys{};  // elbows, bends, splitters
};

class Builder {
 public:
  Builder(SplitMix64& rng, const Recipe& recipe) : rng_(rng), recipe_(recipe) {}

  bool BuildRoute(Candidate& c) {
    c.source = rng_.Below(kBoardCells);
    c.sourceDir = 2 * rng_.Below(4) + (rng_.Below(100) < recipe_.diagonalSourcePercent ? 1 : 0);
    c.used.set(static_cast<std::size_t>(c.source));
    for (std::int32_t n = Step(c.source, c.sourceDir); n >= 0; n = Step(n, c.sourceDir)) {
      c.bare.set(static_cast<std::size_t>(n));
    }
    const std::int32_t pieces = rng_.Between(recipe_.minPieces, recipe_.maxPieces);
    decoys_ = std::min(rng_.Between(recipe_.minDecoys, recipe_.maxDecoys), kTraySlots - pieces);
    splittersLeft_ =
        rng_.Between(recipe_.minSplitters, std::min(recipe_.maxSplitters, (pieces + 2) / 3));
    std::vector<Stream> streams{Stream{c.source, c.sourceDir, true}};
    while (!streams.empty()) {
      const Stream s = streams.back();
      streams.pop_back();
      const auto placed = static_cast<std::int32_t>(c.route.size());
      const bool more = placed < pieces && (streams.empty() || rng_.Chance(2, 3));
      if (more && PlacePiece(c, s, streams)) continue;
      if (s.fromSource || !EndStream(c, s)) return false;
    }
    return (splittersLeft_ == 0 || recipe_.minSplitters == 0) &&
           static_cast<std::int32_t>(c.route.size()) >= recipe_.minPieces;
  }

  void Furnish(Candidate& c) {
    for (std::int32_t i = 0; i < decoys_; ++i) {
      const std::int32_t kind = recipe_.maxSplitters > 1 && rng_.Chance(1, 4)
                                    ? 2
                                    : rng_.Below(recipe_.bendPercent > 0 ? 2 : 1);
      ++c.decoys[static_cast<std::size_t>(kind)];
    }
    CellBits nearRoute;
    for (std::int32_t n = 0; n < kBoardCells; ++n) {
      const auto i = static_cast<std::size_t>(n);
      if (!c.used.test(i) && !c.bare.test(i) && IsNeighbour(n, c.used)) nearRoute.set(i);
    }
    const std::int32_t hazards = rng_.Between(recipe_.minHazards, recipe_.maxHazards);
    for (std::int32_t i = 0; i < hazards; ++i) {
      const std::int32_t n = PickCell(rng_, nearRoute);
      if (n < 0) break;
      nearRoute.reset(static_cast<std::size_t>(n));
      c.hazards.set(static_cast<std::size_t>(n));
    }
    const std::int32_t walls = rng_.Between(recipe_.minWalls, recipe_.maxWalls);
    for (std::int32_t i = 0; i < walls; ++i) {
      const std::int32_t n = PickCell(rng_, ~(c.used | c.hazards | c.walls));
      if (n >= 0) c.walls.set(static_cast<std::size_t>(n));
    }
  }

 private:
  // A piece some cells on along the stream, turned to take its water.
  bool PlacePiece(Candidate& c, const Stream& s, std::vector<Stream>& streams) {
    for (std::int32_t attempt = 0; attempt < 6; ++attempt) {
      const std::int32_t run = rng_.Between(1, recipe_.longestRun);
      std::vector<std::int32_t> cells;
      std::int32_t n = s.cell;
      for (std::int32_t i = 0; i < run; ++i) {
        n = Step(n, s.dir);
        if (n < 0 || c.used.test(static_cast<std::size_t>(n))) break;
        cells.push_back(n);
      }
      if (static_cast<std::int32_t>(cells.size()) != run) continue;
      const std::int32_t at = cells.back();
      cells.pop_back();
      const PieceKind kind = ChooseKind();
      std::array<std::int32_t, 8> rotations{};
      std::int32_t options = 0;
      for (std::int32_t r = 0; r < 8; ++r) {
        const WaterPassage p = WaterExits(Cell{kind, r}, s.dir);
        bool open = p.exitCount > 0;
        for (std::int32_t e = 0; e < p.exitCount && open; ++e) {
          const std::int32_t m = Step(at, p.exits[static_cast<std::size_t>(e)]);
          open = m >= 0 && !c.used.test(static_cast<std::size_t>(m)) && m != at;
        }
        if (open) rotations[static_cast<std::size_t>(options++)] = r;
      }
      if (options == 0) continue;
      const std::int32_t rotation = rotations[static_cast<std::size_t>(rng_.Below(options))];
      for (std::int32_t m : cells) c.used.set(static_cast<std::size_t>(m));
      c.used.set(static_cast<std::size_t>(at));
      if (!s.fromSource && !cells.empty() && rng_.Chance(2, 3)) AddFire(c, cells);
      c.route.push_back(Placement{kind, at, rotation, static_cast<std::uint8_t>(1u << rotation)});
      if (kind == KIND_SPLITTER) --splittersLeft_;
      const WaterPassage p = WaterExits(Cell{kind, rotation}, s.dir);
      // The first exit runs first: pushed last.
      for (std::int32_t e = p.exitCount - 1; e >= 0; --e) {
        streams.push_back(Stream{at, p.exits[static_cast<std::size_t>(e)], false});
      }
      return true;
    }
    return false;
  }

  // The stream's last stretch holds a fire anywhere off the bare water's
  // line; the water runs on past it to the edge, or to a new wall, which
  // stands right after the fire or further on. A wall that turns out not to
  // matter is taken away again (see Prune).
  bool EndStream(Candidate& c, const Stream& s) {
    std::vector<std::int32_t> cells;
    std::int32_t n = Step(s.cell, s.dir);
    for (; n >= 0 && !c.used.test(static_cast<std::size_t>(n)); n = Step(n, s.dir))
      cells.push_back(n);
    const bool atEdge = n < 0;
    std::vector<std::size_t> fires;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (!c.bare.test(static_cast<std::size_t>(cells[i])) && (atEdge || i + 1 < cells.size()))
        fires.push_back(i);
    }
    if (fires.empty()) return false;
    const std::size_t fire =
        fires[static_cast<std::size_t>(rng_.Below(static_cast<std::int32_t>(fires.size())))];
    // Where the water stops: the last cell it runs through.
    const std::size_t last = atEdge ? cells.size() - 1 : cells.size() - 2;
    // With a decoy in the tray the water must stop at the fire: a decoy
    // placed past it would solve the level another way.
    const bool open = decoys_ == 0 && rng_.Below(100) < recipe_.openEndPercent;
    std::size_t end = !open
                          ? fire
                          : static_cast<std::size_t>(rng_.Between(static_cast<std::int32_t>(fire),
                                                                  static_cast<std::int32_t>(last)));
    if (!atEdge) end = std::min(end, last);
    if (end + 1 < cells.size()) {
      c.walls.set(static_cast<std::size_t>(cells[end + 1]));
      c.used.set(static_cast<std::size_t>(cells[end + 1]));
    }
    cells.resize(end + 1);
    for (std::int32_t m : cells) c.used.set(static_cast<std::size_t>(m));
    c.fires.set(static_cast<std::size_t>(cells[fire]));
    // Now and then a second fire earlier on the same stretch.
    if (fire > 0 && rng_.Chance(2, 3)) {
      cells.resize(fire);
      AddFire(c, cells);
    }
    return true;
  }

  bool AddFire(Candidate& c, const std::vector<std::int32_t>& cells) {
    std::vector<std::int32_t> free;
    for (std::int32_t m : cells) {
      if (!c.bare.test(static_cast<std::size_t>(m))) free.push_back(m);
    }
    if (free.empty()) return false;
    c.fires.set(static_cast<std::size_t>(
        free[static_cast<std::size_t>(rng_.Below(static_cast<std::int32_t>(free.size())))]));
    return true;
  }

  PieceKind ChooseKind() {
    if (splittersLeft_ > 0 && rng_.Chance(1, 2)) return KIND_SPLITTER;
    return rng_.Below(100) < recipe_.bendPercent ? KIND_BEND : KIND_ELBOW;
  }

  SplitMix64& rng_;
  const Recipe& recipe_;
  std::int32_t splittersLeft_ = 0;
  std::int32_t decoys_ = 0;
};

LevelRecord RecordOf(const Candidate& c) {
  LevelRecord r;
  std::array<std::int32_t, 3> tray = c.decoys;
  for (const Placement& p : c.route) ++tray[p.kind == KIND_ELBOW ? 0 : p.kind == KIND_BEND ? 1 : 2];
  r.elbowCount = tray[0];
  r.bendCount = tray[1];
  r.splitterCount = tray[2];
  r.sourceCell = c.source;
  r.sourceRotation = c.sourceDir;
  r.fireCells = CellList(c.fires);
  r.hazardCells = CellList(c.hazards);
  r.wallCells = CellList(c.walls);
  return r;
}

// A solution other than the route, or nullopt when none is found.
std::optional<Solution> OtherSolution(const Candidate& c, const SolveReport& counted) {
  if (!SameSolution(counted.solution, c.route)) return counted.solution;
  SolveOptions options;
  options.nodeLimit = kGeneratorNodeLimit;
  for (const Placement& p : c.route) {
    Candidate without = c;
    without.walls.set(static_cast<std::size_t>(p.cell));
    const SolveReport other = SolveLevel(RecordOf(without), options);
    if (other.outcome == SolveOutcome::kSolved) return other.solution;
  }
  return std::nullopt;
}

// Blocks other solutions until the route is the only one. False when that
// fails or the solver cannot decide.
bool MakeUnique(SplitMix64& rng, Candidate& c, bool preferHazards) {
  SolveOptions options;
  options.nodeLimit = kGeneratorNodeLimit;
  options.countAll = true;
  options.solutionCap = 2;
  for (std::int32_t block = 0; block <= kMostBlocks; ++block) {
    const SolveReport counted = SolveLevel(RecordOf(c), options);
    if (counted.outcome != SolveOutcome::kSolved || GaveUp(counted, options.nodeLimit))
      return false;
    if (counted.solutions == 1) return SameSolution(counted.solution, c.route);
    if (block == kMostBlocks) return false;
    const std::optional<Solution> other = OtherSolution(c, counted);
    if (!other) return false;
    // Where the other solution's water first leaves the route: blocking
    // there ends every solution that leaves it the same way.
    const WaterRoute water = TraceRoute(RecordOf(c), &*other);
    const CellBits taken = c.used | c.fires | c.hazards | c.walls;
    std::vector<std::int32_t> free;
    for (std::int32_t m : water.order) {
      if (!taken.test(static_cast<std::size_t>(m))) free.push_back(m);
    }
    const std::int32_t n = free.empty()
                               ? -1
                               : free[static_cast<std::size_t>(rng.Below(std::min<std::int32_t>(
                                     2, static_cast<std::int32_t>(free.size()))))];
    if (n < 0) return false;
    const auto i = static_cast<std::size_t>(n);
    if (preferHazards && !c.bare.test(i)) {
      c.hazards.set(i);
    } else {
      c.walls.set(i);
    }
  }
  return false;
}

// Takes away every wall and hazard that does not earn its place (see
// levelgen/elements.h), one at a time, then checks the rest again from
// scratch: the pass that takes nothing away is the proof. False when a
// search stops at the node limit, the level loses its one solution or the
// passes do not settle.
bool Prune(Candidate& c) {
  SolveOptions options;
  options.nodeLimit = kGeneratorNodeLimit;
  options.countAll = true;
  options.solutionCap = 2;
  for (std::int32_t pass = 0; pass < 3; ++pass) {
    // The solver's solution names every rotation that acts alike.
    const SolveReport counted = SolveLevel(RecordOf(c), options);
    if (GaveUp(counted, options.nodeLimit) || counted.outcome != SolveOutcome::kSolved ||
        counted.solutions != 1) {
      return false;
    }
    const std::vector<Temptation> traps = FindTraps(RecordOf(c), counted.solution);
    bool removed = false;
    for (std::int32_t n = 0; n < kBoardCells; ++n) {
      const auto i = static_cast<std::size_t>(n);
      if (!c.walls.test(i) && !c.hazards.test(i)) continue;
      const std::optional<bool> earns = EarnsPlace(RecordOf(c), counted.solution, traps, n);
      if (earns.value_or(true)) continue;
      c.walls.reset(i);
      c.hazards.reset(i);
      removed = true;
    }
    if (!removed) return true;
  }
  return false;
}

std::wstring MakePassword(SplitMix64& rng, const std::vector<std::wstring>& taken) {
  // Consonant and vowel in turn reads like a word; past a few thousand
  // passwords any five keypad letters will do.
  static constexpr std::wstring_view kVowels = L"AEI";
  static constexpr std::wstring_view kConsonants = L"LNRST";
  for (std::int32_t attempt = 0;; ++attempt) {
    std::wstring word;
    const bool startVowel = rng.Chance(1, 3);
    for (std::int32_t i = 0; i < 5; ++i) {
      if (attempt >= 200) {
        word += keypadAlphabet[static_cast<std::size_t>(
            rng.Below(static_cast<std::int32_t>(keypadAlphabet.size())))];
      } else {
        const std::wstring_view letters = ((i % 2 == 0) != startVowel) ? kConsonants : kVowels;
        word +=
            letters[static_cast<std::size_t>(rng.Below(static_cast<std::int32_t>(letters.size())))];
      }
    }
    if (std::find(taken.begin(), taken.end(), word) == taken.end()) return word;
  }
}

// Measures and grades the candidate's level; 0 when its search costs too
// much.
std::int32_t GradeNow(GeneratedLevel& level, const Candidate& c) {
  level.record = RecordOf(c);
  const std::int64_t effort = SearchEffort(level.record, kGeneratorNodeLimit);
  if (effort > kGeneratorNodeLimit) return 0;
  level.features = FeaturesOf(level.record, c.route, effort);
  level.grade = GradeOf(level.features);
  return level.grade;
}

}  // namespace

std::optional<GeneratedLevel> GenerateLevel(std::uint64_t seed, std::int32_t grade,
                                            const std::vector<std::wstring>& takenPasswords) {
  if (grade < kLowestGrade || grade > kHighestGrade) return std::nullopt;
  const Recipe& recipe = kRecipes[static_cast<std::size_t>(grade - 1)];
  SplitMix64 rng(seed);
  for (std::int32_t attempt = 0; attempt < kMostAttempts; ++attempt) {
    Candidate c;
    Builder builder(rng, recipe);
    if (!builder.BuildRoute(c)) continue;
    builder.Furnish(c);
    // Blocking only adds hazards, and the effort scores between one and
    // fifteen binary digits: a candidate already out of reach of the grade
    // is dropped before the costly counting.
    const std::int32_t before = ScoreWithoutEffort(FeaturesOf(RecordOf(c), c.route, 0));
    if (before + EffortScore(kGeneratorNodeLimit) + kHazardRoom < GradeFloor(grade) ||
        before + EffortScore(1) >= GradeFloor(grade + 1)) {
      continue;
    }
    if (!MakeUnique(rng, c, grade >= 3)) continue;
    GeneratedLevel level;
    level.record = RecordOf(c);
    // The bare water douses nothing and meets no hazard; the route solves.
    const WaterRoute bare = TraceRoute(level.record, nullptr);
    if (bare.fires > 0 || bare.reachesHazard || !VerifySolution(level.record, c.route)) continue;
    // The route is the only solution, so it has the fewest pieces. Taking
    // idle walls and hazards away is costly: only a candidate of the grade
    // asked for is pruned, and graded again after.
    if (c.route.empty() || GradeNow(level, c) != grade) continue;
    if (!Prune(c)) continue;
    if (GradeNow(level, c) != grade) continue;
    level.decoyElbows = c.decoys[0];
    level.decoyBends = c.decoys[1];
    level.decoySplitters = c.decoys[2];
    level.record.password = MakePassword(rng, takenPasswords);
    // Never empty: the loader skips empty lines, and the level would take
    // its password for a title.
    level.record.title = L"Generated, grade " + std::to_wstring(grade);
    return level;
  }
  return std::nullopt;
}

}  // namespace qw
