#include "platform/web_audio.h"

#include <emscripten.h>

#include "platform/sound_synth.h"

namespace qw::web {

namespace {

EM_JS(int, JsAudioReady, (), { return window.quenchway.audio ? 1 : 0; });
EM_JS(void, JsLoadSound, (int index, const std::int16_t* samples, int count, int rate), {
  window.quenchway.audio.load(index, HEAP16.subarray(samples >> 1, (samples >> 1) + count), rate);
});
EM_JS(void, JsPlaySound, (int index, int volume, int loop),
      { window.quenchway.audio.play(index, volume, loop); });
EM_JS(void, JsStopSound, (int index), { window.quenchway.audio.stop(index); });

class WebAudio final : public AudioOut {
 public:
  void Play(Sound sound, std::int32_t volume) override {
    JsPlaySound(static_cast<int>(sound), volume, sound == Sound::kWater ? 1 : 0);
  }
  void Stop(Sound sound) override { JsStopSound(static_cast<int>(sound)); }
};

}  // namespace

std::unique_ptr<AudioOut> OpenWebAudio() {
  if (JsAudioReady() == 0) return nullptr;
  const SoundBank bank = SynthesiseAllSounds();
  for (std::int32_t i = 0; i < kSoundCount; ++i) {
    const SoundSamples& s = bank[static_cast<std::size_t>(i)];
    JsLoadSound(i, s.data(), static_cast<int>(s.size()), kSoundRate);
  }
  return std::make_unique<WebAudio>();
}

}  // namespace qw::web
