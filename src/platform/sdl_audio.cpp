#include "platform/sdl_audio.h"

#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/sound_synth.h"

namespace qw {

namespace {

// Quiets the process's stderr while it lives. The sound library under SDL
// prints lines of its own when a machine has no sound card; the game says
// once, in its own words, that it plays on silently.
class QuietStderr {
 public:
  QuietStderr() : saved_(::dup(2)) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
    if (null >= 0) ::close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    ::dup2(saved_, 2);
    ::close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_;
};

class SdlAudio final : public AudioOut {
 public:
  SdlAudio() : bank_(SynthesiseAllSounds()), mixer_(bank_) {}
  ~SdlAudio() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool Open() {
    const QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = kSoundRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;  // about 12 ms: a sound starts with its action
    want.callback = [](void* self, Uint8* stream, int bytes) {
      SdlAudio& audio = *static_cast<SdlAudio*>(self);
      audio.mixer_.Mix(reinterpret_cast<std::int16_t*>(stream),
                       static_cast<std::size_t>(bytes) / sizeof(std::int16_t));
      // Nothing left to play: the device rests until the next sound, so that
      // an idle game wakes no audio thread.
      if (audio.mixer_.Silent()) SDL_PauseAudioDevice(audio.device_, 1);
    };
    want.userdata = this;
    SDL_AudioSpec got{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
    return device_ != 0;  // paused until the first sound
  }

  void Play(Sound sound, std::int32_t volume) override {
    SDL_LockAudioDevice(device_);
    mixer_.Play(sound, volume);
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 0);
  }
  void Stop(Sound sound) override {
    SDL_LockAudioDevice(device_);
    mixer_.Stop(sound);
    SDL_UnlockAudioDevice(device_);
  }

 private:
  SoundBank bank_;
  SoundMixer mixer_;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

std::unique_ptr<AudioOut> OpenSdlAudio() {
  auto audio = std::make_unique<SdlAudio>();
  if (audio->Open()) return audio;
  std::fprintf(stderr, "quenchway: no sound: %s; playing on silently\n", SDL_GetError());
  return nullptr;
}

}  // namespace qw
