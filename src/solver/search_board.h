// The solver's view of one level: the board the game sets up, the open
// cells whose content is still to be decided, and the streams of water
// waiting at them. Every step of the water goes through the game's rule,
// WaterExits.
#pragma once

#include <array>
#include <bit>
#include <bitset>
#include <cstdint>
#include <vector>

#include "data/levels.h"
#include "solver/solver.h"
#include "model/cell.h"

namespace qw {

// A pipe piece's place in the search's counts: elbow, bend, splitter.
inline std::int32_t KindSlot(PieceKind kind) {
  return kind == KIND_ELBOW ? 0 : kind == KIND_BEND ? 1 : 2;
}

// The lowest rotation of a set of rotations.
inline std::int32_t Lowest(std::uint8_t mask) {
  return std::countr_zero(static_cast<unsigned>(mask));
}

// Water leaving board index `cell` (x * 10 + y) in direction `dir`.
struct Flow {
  std::int8_t cell = 0;
  std::int8_t dir = 0;
};

// The streams alive at one time. Streams never merge, and only a splitter
// makes a new one: one source and at most ten splitters keep them at 11.
class FlowList {
 public:
  static constexpr std::size_t kCapacity = 32;
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  void push_back(Flow f) { flows_[size_++ & (kCapacity - 1)] = f; }
  void pop_back() { --size_; }
  Flow back() const { return flows_[size_ - 1]; }
  void clear() { size_ = 0; }
  const Flow* begin() const { return flows_.data(); }
  const Flow* end() const { return flows_.data() + size_; }

 private:
  std::array<Flow, kCapacity> flows_{};
  std::size_t size_ = 0;
};

// A decision for one cell: leave it empty (kind KIND_EMPTY), or a piece of
// `kind` turned to one of `rotations` (bit r for rotation r). From a board
// with the player's pieces on it, a decision may also take a player's piece
// back: the one on the cell itself (`takesBack`), whose place then gets
// `kind`, or, when the tray has no piece of `kind` left, the one on board
// index `takeFrom`, which then stands on this cell.
struct Choice {
  PieceKind kind = KIND_EMPTY;
  std::uint8_t rotations = 0;
  bool takesBack = false;
  std::int8_t takeFrom = -1;
};

using CellSet = std::bitset<kBoardCells>;

// Two positions with the same key have the same future: the same waiting
// streams, pieces left, and contents of every cell the water can still
// reach. 128 bits of hash stand for it.
struct StateKey {
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  friend bool operator==(const StateKey&, const StateKey&) = default;
};
struct StateKeyHash {
  std::size_t operator()(const StateKey& k) const {
    return static_cast<std::size_t>(k.a ^ (k.b >> 1));
  }
};

// Empty, and three kinds with at most three behaviours each; a piece taken
// from any of ten cells of the board for each.
inline constexpr std::int32_t kMaxChoices = 100;

struct SearchState {
  std::array<Cell, kBoardCells> cells{};              // as the puzzle stores them
  std::array<std::uint8_t, kBoardCells> rotations{};  // of the pieces placed
  std::array<std::uint8_t, kBoardCells> open{};       // empty and not yet reached
  std::array<std::uint8_t, kBoardCells> order{};      // 1, 2, ... as pieces were placed
  std::array<std::int32_t, 3> tray{};                 // elbows, bends, splitters left
  std::int32_t burning = 0;
  std::int32_t placed = 0;
  std::int32_t turns = 0;      // player's pieces that need another rotation
  std::int32_t takenBack = 0;  // player's pieces taken off the board
  CellSet removed;             // the cells they stood on
  // Streams whose next cell is open, or holds a piece whose rotations still
  // differ for them.
  FlowList pending;

  std::int32_t TrayTotal() const { return tray[0] + tray[1] + tray[2]; }
};

class SearchBoard {
 public:
  explicit SearchBoard(const LevelRecord& level);
  // A board in play: every pipe piece on it is the player's, which the
  // search keeps where it stands (in any rotation, counting a turn when its
  // rotation must change) or takes back to the tray (counted too); the tray
  // holds the other pieces. Fires count as burning whatever they show.
  SearchBoard(const std::array<Cell, kBoardCells>& board, const std::array<Cell, kTraySlots>& tray);

  // The rotation of the player's piece on board index i, or -1 for none.
  std::int32_t PlayerRotation(std::int32_t i) const {
    return playerRotation_[static_cast<std::size_t>(i)];
  }
  // The player's pieces that water has not reached yet and that are still on
  // the board: those that may still be taken back.
  std::int32_t Untouched(const SearchState& s) const;

  const SearchState& Start() const { return start_; }
  // The board index the water of f enters, or -1 past the board's edge.
  std::int32_t Next(Flow f) const {
    return next_[static_cast<std::size_t>(f.cell)][static_cast<std::size_t>(f.dir)];
  }

  // Runs every stream whose next cell is decided, by the game's rule, until
  // only waiting streams are left. False when water reaches a hazard.
  bool Propagate(SearchState& s) const;
  // False when some burning fire cannot get water from the waiting streams
  // with at most piecesLeft pieces: each piece turns the water once, cells
  // already decided act as they will. `reached` receives every cell the
  // water can still enter.
  // An untouched player's piece counts as one that may turn any way, and
  // also as an open cell when mayTakeBack.
  bool FiresReachable(const SearchState& s, std::int32_t piecesLeft, bool mayTakeBack,
                      CellSet& reached) const;
  StateKey Key(const SearchState& s, std::int32_t piecesLeft, const CellSet& reached) const;
  // The stream to decide for next.
  Flow ChooseFlow(const SearchState& s) const;
  // The decisions for the cell that f enters, taking water first, blocking
  // last; gives their number.
  // mayTakeBack allows decisions that take a player's piece back.
  // `reached` as FiresReachable gave it.
  std::int32_t Choices(const SearchState& s, Flow f, bool mayPlace, bool mayTakeBack,
                       const CellSet& reached, std::array<Choice, kMaxChoices>& out) const;
  void Apply(SearchState& s, std::int32_t cell, const Choice& choice) const;
  // The pieces placed, in the order water reached them.
  Solution Pieces(const SearchState& s) const;

 private:
  // Groups the rotations of `mask` by what a piece of `kind` does with water
  // arriving in d; those that take it come first. Gives the group count.
  std::int32_t Behaviours(PieceKind kind, std::uint8_t mask, std::int32_t d,
                          std::array<std::uint8_t, 8>& groups) const;
  bool SameForAll(PieceKind kind, std::uint8_t mask, std::int32_t d) const;
  // How many open cells the water of f passes, left empty, before it runs
  // into a hazard; kNoHazard when it never does.
  std::int32_t OpenCellsBeforeHazard(const SearchState& s, Flow f) const;
  static constexpr std::int32_t kNoHazard = 1000;

  // Adds the decisions that put a piece of kind slot k on `cell` for water
  // arriving in d: from the tray, or from the board when the tray has none.
  template <typename Add>
  void AddPlacements(const SearchState& s, std::size_t k, std::int32_t d, std::int32_t cell,
                     bool takesBack, const CellSet& reached, Add&& add) const;
  void Init(const std::array<Cell, kBoardCells>& board, const std::array<Cell, kTraySlots>& tray);
  bool IsUntouched(const SearchState& s, std::size_t i) const {
    return playerRotation_[i] >= 0 && !s.removed.test(i) && s.rotations[i] == 0xff;
  }

  std::array<std::array<std::int32_t, 8>, kBoardCells> next_{};
  std::array<std::int8_t, kBoardCells> playerRotation_{};
  std::vector<std::int32_t> playerCells_;
  // What WaterExits does for each piece kind (0 elbow, 1 bend, 2 splitter),
  // arriving direction and rotation, as a small code; 0 stops the water.
  std::array<std::array<std::array<std::uint8_t, 8>, 8>, 3> behaviour_{};
  // For each kind, arriving direction and set of rotations: the directions
  // some rotation of the set sends the water on in.
  std::array<std::array<std::array<std::uint8_t, 256>, 8>, 3> exitsOfSet_{};
  // For each set of kinds still in the tray and each arriving direction: the
  // directions some piece can send the water on in.
  std::array<std::array<std::uint8_t, 8>, 8> turns_{};
  // What WaterExits does with water arriving in each direction at a cell of
  // no pipe piece, by kind code + 1 (the variant plays no part there): the
  // directions it runs on in, and kDouses for a fire.
  static constexpr std::uint16_t kDouses = 1u << 8;
  std::array<std::array<std::uint16_t, 8>, kPieceImageCount + 1> fixedExits_{};
  SearchState start_;
};

// The search from the board's start position under the options' budgets
// (pieces placed, turns, pieces taken back). With options.accept set, each
// solution found goes to it, the search stops at the first it accepts, and
// the report says kSolved only then.
SolveReport SolveFrom(const SearchBoard& board, const SolveOptions& options);

}  // namespace qw
