#include "app/generator_levels.h"

#include <chrono>
#include <random>

namespace qw {

std::int64_t GeneratorLevels::Today() {
  using namespace std::chrono;
  return floor<days>(system_clock::now()).time_since_epoch().count();
}

std::uint64_t GeneratorLevels::NewSeed() {
  // Nine digits at most, so that the caption shows the seed whole and the
  // level can be played again with --random.
  std::random_device device;
  return (std::uint64_t{device()} << 32 | device()) % 1'000'000'000u;
}

}  // namespace qw
