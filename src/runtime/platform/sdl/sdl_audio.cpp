// The sound output on SDL2_mixer. Every voice owns one mixer channel; its balance and volume are
// applied by a channel effect so that they are exact to the hundredth of a decibel (the mixer's
// own panning has only 256 steps). Sounds are converted to the device's format when they are
// made, so the mixer only ever copies samples.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/audio_platform.h"
#include "platform/platform.h"

namespace tobli::platform::audio {
namespace {

constexpr int kMaxVoices = 512;  // 128 sound slots of up to 4 voices each
constexpr int kChunkSamples = 512;
// Converted sounds above this size are refused: a tiny sample rate or a long file would
// otherwise ask for gigabytes.
constexpr size_t kMaxSoundBytes = size_t{256} << 20;

struct Sound {
  std::vector<uint8_t> samples;  // the device's format
};

struct Voice {
  bool used = false;
  int sound = -1;
  Mix_Chunk chunk{};
  int pan = 0;
  int volume = 0;
  std::atomic<float> gainLeft{1.0f};
  std::atomic<float> gainRight{1.0f};
  std::atomic<int64_t> frames{0};
};

bool gOpen = false;
OutputSpec gSpec;
std::vector<std::unique_ptr<Sound>> gSounds;
std::array<Voice, kMaxVoices> gVoices;
Mix_Music* gMusic = nullptr;
bool gMusicStarted = false;

int FrameBytes() {
  return gSpec.channels * gSpec.bits / 8;
}

Voice* FindVoice(int voice) {
  if (!gOpen || voice < 0 || voice >= kMaxVoices || !gVoices[voice].used) return nullptr;
  return &gVoices[voice];
}

Sound* FindSound(int sound) {
  if (!gOpen || sound < 0 || sound >= static_cast<int>(gSounds.size())) return nullptr;
  return gSounds[sound].get();
}

// Hundredths of a decibel of attenuation as an amplitude factor; -10000 is silence.
float GainOf(int hundredthsDb) {
  if (hundredthsDb <= -10000) return 0.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

void UpdateGains(Voice& v) {
  float volume = GainOf(v.volume);
  // A positive pan attenuates the left side, a negative one the right side.
  v.gainLeft = volume * (v.pan > 0 ? GainOf(-v.pan) : 1.0f);
  v.gainRight = volume * (v.pan < 0 ? GainOf(v.pan) : 1.0f);
}

// Runs on the mixer's thread for each piece of a playing voice, before it is mixed.
void SDLCALL VoiceEffect(int channel, void* stream, int length, void* data) {
  (void)channel;
  Voice& v = *static_cast<Voice*>(data);
  int frameBytes = FrameBytes();
  int frames = frameBytes > 0 ? length / frameBytes : 0;
  v.frames += frames;
  float left = v.gainLeft;
  float right = gSpec.channels == 2 ? v.gainRight.load() : left;
  if (left == 1.0f && right == 1.0f) return;
  auto* samples = static_cast<int16_t*>(stream);
  for (int i = 0; i < frames * gSpec.channels; ++i) {
    float gain = (gSpec.channels == 2 && (i & 1) != 0) ? right : left;
    samples[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
  }
}

void ResetVoice(Voice& v) {
  v.used = false;
  v.sound = -1;
  v.chunk = Mix_Chunk{};
  v.pan = 0;
  v.volume = 0;
  UpdateGains(v);
  v.frames = 0;
}

bool gMusicMuted = false;
bool gSoundsMuted = false;

void ApplyMutes() {
  if (!gOpen) return;
  Mix_VolumeMusic(gMusicMuted ? 0 : MIX_MAX_VOLUME);
  Mix_Volume(-1, gSoundsMuted ? 0 : MIX_MAX_VOLUME);
}

SDL_AudioFormat SourceFormat(int bits) {
  return bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

}  // namespace

bool OpenOutput(const OutputSpec& spec, std::string& why) {
  if (IsHeadless()) {
    why = "no sound device on the headless platform";
    return false;
  }
  if (gOpen) CloseOutput();
  if (spec.bits != 16 || spec.channels < 1 || spec.channels > 2) {
    why = "unsupported output format";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    why = SDL_GetError();
    return false;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
  if (Mix_OpenAudioDevice(spec.frequency, AUDIO_S16SYS, spec.channels, kChunkSamples, nullptr, 0) !=
      0) {
    why = Mix_GetError();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int frequency = 0;
  int channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  gSpec = OutputSpec{frequency, channels, SDL_AUDIO_BITSIZE(format)};
  Mix_AllocateChannels(kMaxVoices);
  gOpen = true;
  ApplyMutes();
  return true;
}

void CloseOutput() {
  if (!gOpen) return;
  FreeMusic();
  Mix_HaltChannel(-1);
  for (Voice& v : gVoices) ResetVoice(v);
  gSounds.clear();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  gOpen = false;
}

bool OutputOpen() {
  return gOpen;
}

bool QueryOutput(OutputSpec& spec) {
  if (!gOpen) return false;
  spec = gSpec;
  return true;
}

bool PcmFormatUsable(const PcmFormat& format, size_t size) {
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.bits != 8 && format.bits != 16) return false;
  if (format.blockAlign != format.channels * format.bits / 8) return false;
  if (format.frequency < 100 || format.frequency > 200000) return false;
  return size >= 4 && size >= static_cast<size_t>(format.blockAlign);
}

bool ConvertPcm(const PcmFormat& format, const uint8_t* data, size_t size, const OutputSpec& output,
                std::vector<uint8_t>& out) {
  out.clear();
  if (!PcmFormatUsable(format, size) || output.bits != 16) return false;
  size_t inBytes = size - size % static_cast<size_t>(format.blockAlign);
  size_t frameBytes = static_cast<size_t>(output.channels) * 2;
  SDL_AudioCVT cvt;
  int built = SDL_BuildAudioCVT(&cvt, SourceFormat(format.bits),
                                static_cast<Uint8>(format.channels), format.frequency, AUDIO_S16SYS,
                                static_cast<Uint8>(output.channels), output.frequency);
  if (built < 0) return false;
  size_t multiple = built == 0 ? 1 : static_cast<size_t>(cvt.len_mult);
  if (multiple == 0 || inBytes > kMaxSoundBytes / multiple) return false;
  out.assign(data, data + inBytes);
  if (built != 0) {
    out.resize(inBytes * multiple);
    cvt.len = static_cast<int>(inBytes);
    cvt.buf = out.data();
    if (SDL_ConvertAudio(&cvt) != 0) {
      out.clear();
      return false;
    }
    out.resize(static_cast<size_t>(cvt.len_cvt));
  }
  out.resize(out.size() - out.size() % frameBytes);
  out.shrink_to_fit();
  return !out.empty();
}

int CreateSound(const PcmFormat& format, const uint8_t* data, size_t size) {
  if (!gOpen || !PcmFormatUsable(format, size)) return -1;
  auto sound = std::make_unique<Sound>();
  if (!ConvertPcm(format, data, size, gSpec, sound->samples)) return -1;
  for (size_t i = 0; i < gSounds.size(); ++i) {
    if (!gSounds[i]) {
      gSounds[i] = std::move(sound);
      return static_cast<int>(i);
    }
  }
  gSounds.push_back(std::move(sound));
  return static_cast<int>(gSounds.size() - 1);
}

void DestroySound(int sound) {
  if (FindSound(sound) == nullptr) return;
  for (int i = 0; i < kMaxVoices; ++i) {
    if (gVoices[i].used && gVoices[i].sound == sound) DestroyVoice(i);
  }
  gSounds[sound].reset();
}

int CreateVoice(int sound) {
  if (FindSound(sound) == nullptr) return -1;
  for (int i = 0; i < kMaxVoices; ++i) {
    Voice& v = gVoices[i];
    if (v.used) continue;
    ResetVoice(v);
    v.used = true;
    v.sound = sound;
    return i;
  }
  return -1;
}

void DestroyVoice(int voice) {
  Voice* v = FindVoice(voice);
  if (v == nullptr) return;
  Mix_HaltChannel(voice);
  ResetVoice(*v);
}

bool StartVoice(int voice, bool looping) {
  Voice* v = FindVoice(voice);
  if (v == nullptr) return false;
  Sound* sound = FindSound(v->sound);
  if (sound == nullptr) return false;
  // Halting first also drops the effect of the previous play; the effect is then registered
  // again before the channel starts, so no piece is mixed without it.
  Mix_HaltChannel(voice);
  v->chunk.allocated = 0;
  v->chunk.abuf = sound->samples.data();
  v->chunk.alen = static_cast<Uint32>(sound->samples.size());
  v->chunk.volume = MIX_MAX_VOLUME;
  v->frames = 0;
  if (Mix_RegisterEffect(voice, VoiceEffect, nullptr, v) == 0) return false;
  if (Mix_PlayChannel(voice, &v->chunk, looping ? -1 : 0) != voice) {
    Mix_UnregisterAllEffects(voice);
    return false;
  }
  return true;
}

void StopVoice(int voice) {
  if (FindVoice(voice) != nullptr) Mix_HaltChannel(voice);
}

bool VoicePlaying(int voice) {
  return FindVoice(voice) != nullptr && Mix_Playing(voice) != 0;
}

int64_t VoiceFramesPlayed(int voice) {
  Voice* v = FindVoice(voice);
  return v == nullptr ? 0 : v->frames.load();
}

bool SetVoicePan(int voice, int pan) {
  Voice* v = FindVoice(voice);
  if (v == nullptr || pan < -10000 || pan > 10000) return false;
  v->pan = pan;
  UpdateGains(*v);
  return true;
}

bool SetVoiceVolume(int voice, int volume) {
  Voice* v = FindVoice(voice);
  if (v == nullptr || volume < -10000 || volume > 0) return false;
  v->volume = volume;
  UpdateGains(*v);
  return true;
}

bool LoadMusic(const std::string& path) {
  FreeMusic();
  if (!gOpen) return false;
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (file == nullptr) return false;
  // The decoder is chosen from the file's contents; the name does not matter.
  gMusic = Mix_LoadMUS_RW(file, 1);
  return gMusic != nullptr;
}

void FreeMusic() {
  if (gMusic == nullptr) return;
  Mix_HaltMusic();
  Mix_FreeMusic(gMusic);
  gMusic = nullptr;
  gMusicStarted = false;
}

bool HasMusic() {
  return gMusic != nullptr;
}

void PlayMusicFromStart() {
  if (gMusic == nullptr) return;
  gMusicStarted = Mix_PlayMusic(gMusic, 1) == 0;
}

void StopMusic() {
  if (gMusic == nullptr) return;
  Mix_HaltMusic();
  gMusicStarted = false;
}

double MusicLengthMs() {
  if (gMusic == nullptr) return 0;
  double seconds = Mix_MusicDuration(gMusic);
  if (seconds > 0) return seconds * 1000.0;
  // Unknown length: endless while it plays, 0 once it has ended.
  return Mix_PlayingMusic() ? std::numeric_limits<double>::infinity() : 0;
}

double MusicPositionMs() {
  if (gMusic == nullptr || !gMusicStarted) return 0;
  double length = MusicLengthMs();
  if (!Mix_PlayingMusic()) return length;
  // The decoder reads ahead of what has been heard: while the music still plays, its position
  // stays short of the length, so that the looping step does not cut off its last part.
  double seconds = Mix_GetMusicPosition(gMusic);
  double position = seconds > 0 ? seconds * 1000.0 : 0;
  return std::min(position, std::nextafter(length, 0.0));
}

void SetMusicMuted(bool muted) {
  gMusicMuted = muted;
  ApplyMutes();
}

bool MusicMuted() {
  return gMusicMuted;
}

void SetSoundsMuted(bool muted) {
  gSoundsMuted = muted;
  ApplyMutes();
}

bool SoundsMuted() {
  return gSoundsMuted;
}

}  // namespace tobli::platform::audio
