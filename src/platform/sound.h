// The game's sounds by name: what the game asks to hear, whatever plays it
// (the SDL audio device, or nothing at all).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qw {

enum class Sound : std::uint8_t {
  kPickUp,
  kDrop,
  kTurn,
  kInvalid,  // a drop the rules refuse
  kWater,    // soft, while the water runs
  kDouse,    // a fire doused
  kLost,
  kSolved,
  kButton,
};
inline constexpr std::int32_t kSoundCount = 9;

// The names script mode's dump prints.
constexpr std::string_view SoundName(Sound s) {
  constexpr std::array<std::string_view, kSoundCount> kNames{
      "pickup", "drop", "turn", "invalid", "water", "douse", "lost", "solved", "button"};
  return kNames[static_cast<std::size_t>(s)];
}

}  // namespace qw
