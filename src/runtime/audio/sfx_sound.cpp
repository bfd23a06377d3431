#include "audio/sfx_sound.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "audio/wav_reader.h"

namespace audio = tobli::platform::audio;

SFXSound* pDXsnd = nullptr;
SFXSoundBuffer* DXwav = nullptr;

namespace {

constexpr uint32_t kNoPosition = 0xFFFFFFFFu;

}  // namespace

SoundDevice::~SoundDevice() {
  audio::CloseOutput();
}

SFXSound::SFXSound() : pDS(nullptr) {}

SFXSound::~SFXSound() {
  delete pDS;
}

int SFXSound::Create() {
  if (pDS != nullptr) return 1;
  std::string why;
  // 22050 samples per second, 16 bits, stereo: every sound is converted to this on loading.
  if (!audio::OpenOutput(audio::OutputSpec{22050, 2, 16}, why)) return 0;
  pDS = new SoundDevice;
  GetCaps();
  return 1;
}

bool SFXSound::GetCaps() {
  caps = SoundCaps{};
  caps.dwSize = 96;
  audio::OutputSpec spec;
  if (pDS == nullptr || !audio::QueryOutput(spec)) return false;
  caps.nFrequency = spec.frequency;
  caps.nChannels = spec.channels;
  caps.nBits = spec.bits;
  return true;
}

SFXSoundBuffer::SFXSoundBuffer()
    : nBuffers(0),
      nCurrent(0),
      szFile(nullptr),
      pSound(nullptr),
      pBuffers{kNoVoice, kNoVoice, kNoVoice, kNoVoice} {}

SFXSoundBuffer::~SFXSoundBuffer() {
  Stop();
  Release();
}

bool SFXSoundBuffer::HasService() const {
  return pSound != nullptr && nBuffers != 0 && pSound->pDS != nullptr;
}

void SFXSoundBuffer::Release() {
  for (SoundVoice& voice : pBuffers) {
    audio::DestroyVoice(voice);
    voice = kNoVoice;
  }
  audio::DestroySound(sound_);
  sound_ = -1;
}

bool SFXSoundBuffer::Load(SFXSound* sound, const char* path, int voices) {
  Stop();
  Release();
  nCurrent = 0;
  nBuffers = 0;
  pSound = sound;
  nBuffers = std::clamp(voices, 1, 4);
  szFile = path;
  if (sound != nullptr && sound->pDS != nullptr && LoadFromFile()) {
    // The other voices share voice 0's sound.
    for (int i = 1; i < nBuffers; ++i) pBuffers[i] = audio::CreateVoice(sound_);
    szFile = nullptr;  // the name was only lent for the load
    return true;
  }
  Release();
  nBuffers = 0;
  szFile = nullptr;
  return false;
}

bool SFXSoundBuffer::LoadFromFile() {
  if (szFile == nullptr) return false;
  std::FILE* file = std::fopen(szFile, "rb");
  if (file == nullptr) return false;
  struct stat info;
  WavHeader header;
  bool ok = fstat(fileno(file), &info) == 0 &&
            ReadWavHeader(file, static_cast<uint64_t>(info.st_size), header);
  if (ok) {
    const WavFormat& wav = header.format;
    format_ = audio::PcmFormat{wav.channels > 1 ? 2 : 1, static_cast<int>(wav.samplesPerSec),
                               wav.bitsPerSample, wav.blockAlign};
    if (!audio::PcmFormatUsable(format_, header.dataSize)) {
      // No buffer can be made for this format: the slot stays silent.
      pSound = nullptr;
      ok = false;
    }
  }
  if (ok) ok = ReadData(file, header.dataSize, kNoPosition);
  std::fclose(file);
  return ok;
}

bool SFXSoundBuffer::ReadData(std::FILE* file, uint32_t size, uint32_t position) {
  if (position != kNoPosition && std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) {
    return false;
  }
  std::vector<uint8_t> data(size);
  if (std::fread(data.data(), 1, size, file) != size) {
    std::fprintf(stderr, "Data1 : %p, dwdata: %u, fp: %d\n", static_cast<void*>(data.data()), size,
                 fileno(file));
    return false;
  }
  audio::DestroySound(sound_);
  sound_ = audio::CreateSound(format_, data.data(), data.size());
  if (sound_ < 0) return false;
  pBuffers[0] = audio::CreateVoice(sound_);
  return pBuffers[0] != kNoVoice;
}

SoundVoice SFXSoundBuffer::GetFreeBuffer() {
  if (nBuffers <= 0) return kNoVoice;
  SoundVoice voice = pBuffers[nCurrent];
  if (voice == kNoVoice) return kNoVoice;
  if (audio::VoicePlaying(voice)) {
    // A single voice still sounding is left alone; otherwise the next voice is taken, and cut
    // off if it is still busy.
    if (nBuffers < 2) return kNoVoice;
    nCurrent = (nCurrent + 1) % nBuffers;
    voice = pBuffers[nCurrent];
    if (voice == kNoVoice) return kNoVoice;
    if (audio::VoicePlaying(voice)) audio::StopVoice(voice);
  }
  return voice;
}

bool SFXSoundBuffer::Play(int pan, int volume, uint32_t flags) {
  if (!HasService()) return false;
  SoundVoice voice = GetFreeBuffer();
  if (voice == kNoVoice) return false;
  audio::SetVoiceVolume(voice, volume);
  audio::SetVoicePan(voice, pan);
  return audio::StartVoice(voice, (flags & kPlayLooping) != 0);
}

bool SFXSoundBuffer::Stop() {
  if (!HasService()) return false;
  for (int i = 0; i < nBuffers; ++i) {
    if (pBuffers[i] == kNoVoice) return false;
    audio::StopVoice(pBuffers[i]);
  }
  return true;
}
