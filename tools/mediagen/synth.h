// A small synthesizer for the sound effects and the music: tones with a wave shape, a pitch
// glide or steps, an envelope, vibrato and tremolo, and simple filters for noise.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mediagen {

enum class Wave { kSine, kSquare, kTriangle, kSaw, kNoise };

struct Tone {
  Wave wave = Wave::kSine;
  double from = 440, to = 440;     // Hz; the pitch glides exponentially from one to the other
  std::vector<double> steps;       // pitch factors, each for an equal share of the length
  double start = 0, length = 0.1;  // seconds
  double volume = 0.5;
  double attack = 0.005;  // seconds to full volume
  double release = 0.05;  // seconds of fade at the end
  double decay = 0;       // if > 0: exponential fall with this time constant (seconds)
  double duty = 0.5;      // square waves
  double vibratoRate = 0, vibratoDepth = 0;  // Hz, semitones
  double tremoloRate = 0, tremoloDepth = 0;  // Hz, 0..1
  double lowpass = 0, highpass = 0;          // Hz, 0 = off
  double pan = 0;                            // -1 left .. 1 right (stereo buffers)
  uint32_t seed = 1;                         // noise
};

// Reads "key=value" words into a tone (wave, from, to, steps=a:b:c, start, length, vol,
// attack, release, decay, duty, vibrato=rate:depth, tremolo=rate:depth, lowpass, highpass,
// pan, seed). Throws for an unknown key or value.
Tone ParseTone(const std::map<std::string, std::string>& words);

// Adds the tone into buf (mono, or interleaved stereo when channels is 2), growing it as needed.
void RenderTone(std::vector<float>& buf, int rate, int channels, const Tone& tone);

// Scales the buffer so its loudest sample has the given peak; a silent buffer stays silent.
void Normalise(std::vector<float>& buf, double peak);

}  // namespace mediagen
