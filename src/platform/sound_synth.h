// The game's sounds, made by our own code when the game starts: short tones,
// sweeps and soft noise, each with a gentle start and end so that nothing
// clicks. No sample files.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/sound.h"

namespace qw {

// Samples a second, one channel: the sounds' pitches lie far below half of it.
inline constexpr std::int32_t kSoundRate = 22050;

using SoundSamples = std::vector<std::int16_t>;
using SoundBank = std::array<SoundSamples, kSoundCount>;

SoundSamples SynthesiseSound(Sound sound);
SoundBank SynthesiseAllSounds();

// Mixes the voices that play into one channel. Not thread-safe on its own:
// the audio device's callback and the game take turns under the device's
// lock.
class SoundMixer {
 public:
  explicit SoundMixer(const SoundBank& bank) : bank_(bank) {}
  // Starts `sound` at volume 0..100 (0: nothing starts); the oldest voice
  // gives way when all are busy. The water's murmur plays on until stopped.
  void Play(Sound sound, std::int32_t volume);
  // Fades every voice of `sound` out within a hundredth of a second.
  void Stop(Sound sound);
  // Fills `out` with the next samples of all voices together.
  void Mix(std::int16_t* out, std::size_t count);
  bool Silent() const { return voices_.empty(); }

 private:
  struct Voice {
    Sound sound;
    std::size_t at = 0;
    std::int32_t volume = 0;
    std::int32_t fade = -1;  // samples left of its fade-out; -1 while none
  };
  static constexpr std::int32_t kFadeSamples = kSoundRate / 100;
  static constexpr std::size_t kMaxVoices = 8;
  const SoundBank& bank_;
  std::vector<Voice> voices_;
};

}  // namespace qw
