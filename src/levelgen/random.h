// A small random number generator whose output is fixed by its algorithm
// (SplitMix64), so that generated levels come out byte for byte the same on
// every machine and with every standard library. The library's
// distributions are implementation-defined, so none of them is used.
#pragma once

#include <cstdint>

namespace qw {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }

  // A whole number in [0, bound), each equally likely; 0 when bound <= 0.
  // Draws above the largest multiple of bound are drawn again.
  std::int32_t Below(std::int32_t bound) {
    if (bound <= 0) return 0;
    const auto b = static_cast<std::uint64_t>(bound);
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % b;
    std::uint64_t v = Next();
    while (v >= limit) v = Next();
    return static_cast<std::int32_t>(v % b);
  }

  // A whole number in [lo, hi]; lo when hi < lo.
  std::int32_t Between(std::int32_t lo, std::int32_t hi) {
    return hi < lo ? lo : lo + Below(hi - lo + 1);
  }

  // True with probability numerator / denominator.
  bool Chance(std::int32_t numerator, std::int32_t denominator) {
    return Below(denominator) < numerator;
  }

 private:
  std::uint64_t state_;
};

// One 64-bit value from two, well mixed: the seed of the n-th level of a set.
inline std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t n) {
  SplitMix64 a(seed ^ (n * 0xd1342543de82ef95ull));
  a.Next();
  return a.Next();
}

}  // namespace qw
