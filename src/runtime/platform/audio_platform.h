// The sound output of the platform: one mixer device, sounds held in the device's format, voices
// that play them with a balance and a volume, and one music stream. The SDL platform mixes with
// SDL2_mixer; the headless platform has no sound device at all, so nothing here ever plays there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tobli::platform::audio {

struct OutputSpec {
  int frequency = 0;  // samples per second
  int channels = 0;
  int bits = 0;  // bits per sample (signed, native byte order)
};

// Opens the sound device at exactly this format; the mixer converts every sound to it. False,
// with why, when there is no sound device (always on the headless platform).
bool OpenOutput(const OutputSpec& spec, std::string& why);
// Stops everything, frees every sound, voice and music, and closes the device.
void CloseOutput();
bool OutputOpen();
// The format the device runs at; false when it is closed.
bool QueryOutput(OutputSpec& spec);

// Stored PCM data as a sound file describes it.
struct PcmFormat {
  int channels = 0;    // 1 or 2
  int frequency = 0;   // 100 to 200000 samples per second
  int bits = 0;        // 8 (unsigned) or 16 (signed, little-endian)
  int blockAlign = 0;  // channels * bits / 8
};
// True when a sound of this format and data size can be held (the checks a sound buffer of the
// original service made on creation).
bool PcmFormatUsable(const PcmFormat& format, size_t size);

// Converts the data (whole blocks only) to the output format, which must be 16-bit. False when
// the format is not usable or the result would be too big (256 MB).
bool ConvertPcm(const PcmFormat& format, const uint8_t* data, size_t size, const OutputSpec& output,
                std::vector<uint8_t>& out);

// Converts the data to the device's format and keeps it. Returns the sound's id (0 or more), or
// -1 when the device is closed, the format is not usable or the converted data would be too big.
int CreateSound(const PcmFormat& format, const uint8_t* data, size_t size);
// Stops the voices that play the sound, then frees it. Ids of freed sounds are reused.
void DestroySound(int sound);

// A voice is one playing copy of a sound; several voices can share one sound. Returns the
// voice's id, or -1 when the sound does not exist.
int CreateVoice(int sound);
void DestroyVoice(int voice);
// Plays the voice from its start (once, or looping); false when it cannot start.
bool StartVoice(int voice, bool looping);
// Stops the voice; the next start begins at its start again.
void StopVoice(int voice);
bool VoicePlaying(int voice);
// Frames (in the device's format) the voice has played since it was last started.
int64_t VoiceFramesPlayed(int voice);
// Balance in hundredths of a decibel of attenuation of the other side: -10000 full left (right
// silent), 0 centre, 10000 full right. False, with the balance unchanged, outside that range.
bool SetVoicePan(int voice, int pan);
// Volume in hundredths of a decibel: 0 full, -10000 silent. False, unchanged, outside that range.
bool SetVoiceVolume(int voice, int volume);

// One music at a time, decoded by its contents (MP3, OGG, WAV and what else the mixer knows).
// False when the file cannot be opened or decoded, or the device is closed; no music is then
// loaded.
bool LoadMusic(const std::string& path);
void FreeMusic();
bool HasMusic();
// Plays the loaded music once from its start.
void PlayMusicFromStart();
void StopMusic();
// Position and length in milliseconds. The position reaches the length only when the music has
// been heard to its end; without music both are 0.
double MusicPositionMs();
double MusicLengthMs();

// The player's switches (F9, F10 on the window): music and sound effects silenced or heard.
// They hold across reopening the output; the game's own volumes are left as they are.
void SetMusicMuted(bool muted);
bool MusicMuted();
void SetSoundsMuted(bool muted);
bool SoundsMuted();

}  // namespace tobli::platform::audio
