#include "platform/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qw {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A piece of a sound: a tone gliding from one pitch to another, or noise,
// with its own loudness, start and length in seconds.
struct Part {
  double start = 0;
  double length = 0;
  double fromHz = 0;
  double toHz = 0;
  double loudness = 0;
  double noise = 0;     // 0 a pure tone .. 1 noise alone
  double decay = 0;     // how fast it dies away (per second); 0 holds
  double overtone = 0;  // share of the second harmonic
  double bright = 0.4;  // how much of the noise's highs pass: less is darker
};

// A short fade in and out on every part, so that it starts and ends at zero;
// `fall` is the part's dying away so far.
double Envelope(double t, double length, double fall) {
  constexpr double kFadeIn = 0.004, kFadeOut = 0.012;
  double e = fall;
  if (t < kFadeIn) e *= t / kFadeIn;
  if (length - t < kFadeOut) e *= std::max(0.0, (length - t) / kFadeOut);
  return e;
}

void Render(const Part& part, std::vector<double>& out) {
  const auto first = static_cast<std::size_t>(part.start * kSoundRate);
  const auto count = static_cast<std::size_t>(part.length * kSoundRate);
  if (out.size() < first + count) out.resize(first + count, 0.0);
  double phase = 0;
  std::uint32_t seed = 0x9e3779b9u;
  double low = 0;  // noise through a gentle low-pass: a hiss, not a crackle
  double fall = 1.0;
  const double fallStep = std::exp(-part.decay / kSoundRate);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    double sample = 0;
    if (part.noise < 1) {
      const double hz = part.fromHz + (part.toHz - part.fromHz) * (t / part.length);
      phase += kTwoPi * hz / kSoundRate;
      double tone = std::sin(phase);
      if (part.overtone > 0)
        tone += part.overtone * 2 * tone * std::cos(phase);  // sin 2x = 2 sin x cos x
      sample += tone * (1 - part.noise);
    }
    if (part.noise > 0) {
      seed = seed * 1664525u + 1013904223u;
      const double white =
          static_cast<double>(seed >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
      low += (white - low) * part.bright;
      // The same loudness whatever the brightness: a darker noise is
      // weaker by the square root of what its filter lets through.
      sample += low * 2.0 * std::sqrt((2 - part.bright) / part.bright / 4) * part.noise;
    }
    out[first + i] += part.loudness * Envelope(t, part.length, fall) * sample;
    fall *= fallStep;
  }
}

std::vector<Part> PartsOf(Sound sound) {
  switch (sound) {
    case Sound::kPickUp: return {{0, 0.07, 520, 780, 0.35, 0, 20, 0.2}};
    case Sound::kDrop: return {{0, 0.11, 420, 260, 0.45, 0.05, 28, 0.3}};
    case Sound::kTurn:
      return {{0, 0.035, 1300, 1150, 0.25, 0.1, 60, 0}, {0.04, 0.03, 1500, 1400, 0.18, 0.1, 70, 0}};
    case Sound::kInvalid:
      return {{0, 0.09, 190, 180, 0.35, 0, 8, 0.5}, {0.11, 0.11, 170, 160, 0.35, 0, 8, 0.5}};
    // A dark murmur rather than a hiss: it plays as long as the water runs.
    case Sound::kWater: return {{0, 0.6, 300, 260, 0.10, 0.85, 0, 0, 0.1}};
    case Sound::kDouse: return {{0, 0.35, 0, 0, 0.35, 1.0, 9, 0}};
    case Sound::kLost:
      return {{0, 0.14, 392, 392, 0.3, 0, 6, 0.3},
              {0.15, 0.14, 330, 330, 0.3, 0, 6, 0.3},
              {0.30, 0.30, 262, 255, 0.3, 0, 5, 0.3}};
    case Sound::kSolved:
      return {{0, 0.11, 523, 523, 0.28, 0, 6, 0.25},
              {0.10, 0.11, 659, 659, 0.28, 0, 6, 0.25},
              {0.20, 0.11, 784, 784, 0.28, 0, 6, 0.25},
              {0.30, 0.35, 1047, 1047, 0.28, 0, 5, 0.25}};
    case Sound::kButton: return {{0, 0.04, 900, 850, 0.25, 0, 40, 0}};
  }
  return {};
}

}  // namespace

SoundSamples SynthesiseSound(Sound sound) {
  std::vector<double> mix;
  for (const Part& part : PartsOf(sound)) Render(part, mix);
  SoundSamples samples(mix.size());
  for (std::size_t i = 0; i < mix.size(); ++i) {
    samples[i] = static_cast<std::int16_t>(std::clamp(mix[i], -1.0, 1.0) * 32767.0);
  }
  return samples;
}

SoundBank SynthesiseAllSounds() {
  SoundBank bank;
  for (std::int32_t i = 0; i < kSoundCount; ++i)
    bank[static_cast<std::size_t>(i)] = SynthesiseSound(static_cast<Sound>(i));
  return bank;
}

void SoundMixer::Play(Sound sound, std::int32_t volume) {
  if (volume <= 0) return;
  if (voices_.size() >= kMaxVoices) voices_.erase(voices_.begin());
  voices_.push_back(Voice{sound, 0, std::min(volume, 100)});
}

void SoundMixer::Stop(Sound sound) {
  for (Voice& v : voices_) {
    if (v.sound == sound && v.fade < 0) v.fade = kFadeSamples;
  }
}

void SoundMixer::Mix(std::int16_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    std::int32_t sum = 0;
    for (Voice& v : voices_) {
      const SoundSamples& samples = bank_[static_cast<std::size_t>(v.sound)];
      if (v.sound == Sound::kWater && v.at >= samples.size()) v.at = 0;
      if (v.at >= samples.size() || v.fade == 0) continue;
      std::int32_t s = samples[v.at++] * v.volume / 100;
      if (v.fade > 0) s = s * v.fade-- / kFadeSamples;
      sum += s;
    }
    out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
  }
  std::erase_if(voices_, [this](const Voice& v) {
    return v.fade == 0 ||
           (v.sound != Sound::kWater && v.at >= bank_[static_cast<std::size_t>(v.sound)].size());
  });
}

}  // namespace qw
