// Sound effects: the sound service `SFXSound` and the sound slots `SFXSoundBuffer`, each with up
// to four voices that share one sound so that it can overlap itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/audio_platform.h"

// The open sound device; owned by SFXSound, which closes it when it goes.
class SoundDevice {
 public:
  SoundDevice() = default;
  ~SoundDevice();
  SoundDevice(const SoundDevice&) = delete;
  SoundDevice& operator=(const SoundDevice&) = delete;
};

// What the device gives.
struct SoundCaps {
  uint32_t dwSize = 0;
  int nFrequency = 0;
  int nChannels = 0;
  int nBits = 0;
};

class SFXSound {
 public:
  SFXSound();
  ~SFXSound();
  SFXSound(const SFXSound&) = delete;
  SFXSound& operator=(const SFXSound&) = delete;
  // Opens the device at 22050 Hz, 16-bit, stereo and reads its caps. 1 on success, 0 when
  // there is no sound device (pDS then stays null and every load fails quietly).
  int Create();
  // Fills caps from the device; false without one.
  bool GetCaps();

  SoundDevice* pDS;
  SoundCaps caps;
};

// A voice of the mixer (-1 for none).
using SoundVoice = int;
constexpr SoundVoice kNoVoice = -1;
// Play flag: loop until stopped.
constexpr uint32_t kPlayLooping = 1;

class SFXSoundBuffer {
 public:
  SFXSoundBuffer();
  // Stops the slot and releases its voices.
  ~SFXSoundBuffer();
  SFXSoundBuffer(const SFXSoundBuffer&) = delete;
  SFXSoundBuffer& operator=(const SFXSoundBuffer&) = delete;

  // Replaces the slot with the WAV file at path, in voices copies (clamped to 1..4). False, with
  // the slot empty, when there is no device or the file cannot be read as a sound.
  bool Load(SFXSound* sound, const char* path, int voices);
  // Reads szFile into voice 0; false when it is not a usable WAV file.
  bool LoadFromFile();
  // Reads size sound bytes from the file (from position, unless it is 0xFFFFFFFF) into voice 0.
  bool ReadData(std::FILE* file, uint32_t size, uint32_t position);
  // The voice to play next: voices are taken in turn; a busy single voice gives kNoVoice; a busy
  // voice that is taken is stopped and rewound.
  SoundVoice GetFreeBuffer();
  // Plays the next voice with pan and volume in hundredths of a decibel (a volume above 0 or
  // below -10000 is refused and the voice keeps its volume). False when nothing started.
  bool Play(int pan, int volume, uint32_t flags);
  // Stops and rewinds every voice; false for an empty slot or when a voice is missing.
  bool Stop();

  int nBuffers;
  int nCurrent;
  const char* szFile;
  SFXSound* pSound;
  SoundVoice pBuffers[4];

 private:
  bool HasService() const;
  void Release();

  tobli::platform::audio::PcmFormat format_;  // the format voice 0 was created with
  int sound_ = -1;                            // the data all voices share
};

extern SFXSound* pDXsnd;
// The 128 sound slots (an array of 128; null before start-up and after the end).
extern SFXSoundBuffer* DXwav;
constexpr int kSoundSlots = 128;
