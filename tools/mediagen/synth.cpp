#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace mediagen {

namespace {

std::vector<double> Numbers(const std::string& s) {
  std::vector<double> out;
  std::istringstream in(s);
  std::string item;
  while (std::getline(in, item, ':')) out.push_back(std::stod(item));
  return out;
}

double Oscillator(Wave w, double phase, double duty) {
  double p = phase - std::floor(phase);
  switch (w) {
    case Wave::kSine:
      return std::sin(2 * std::numbers::pi * p);
    case Wave::kSquare:
      return p < duty ? 0.8 : -0.8;
    case Wave::kTriangle:
      return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case Wave::kSaw:
      return 2 * p - 1;
    case Wave::kNoise:
      break;
  }
  return 0;
}

}  // namespace

Tone ParseTone(const std::map<std::string, std::string>& words) {
  Tone t;
  for (const auto& [key, value] : words) {
    if (key == "wave") {
      static const std::map<std::string, Wave> waves = {{"sine", Wave::kSine},
                                                        {"square", Wave::kSquare},
                                                        {"triangle", Wave::kTriangle},
                                                        {"saw", Wave::kSaw},
                                                        {"noise", Wave::kNoise}};
      auto it = waves.find(value);
      if (it == waves.end()) throw std::runtime_error("unknown wave " + value);
      t.wave = it->second;
    } else if (key == "from") {
      t.from = t.to = std::stod(value);
    } else if (key == "to") {
      t.to = std::stod(value);
    } else if (key == "steps") {
      t.steps = Numbers(value);
    } else if (key == "start") {
      t.start = std::stod(value);
    } else if (key == "length") {
      t.length = std::stod(value);
    } else if (key == "vol") {
      t.volume = std::stod(value);
    } else if (key == "attack") {
      t.attack = std::stod(value);
    } else if (key == "release") {
      t.release = std::stod(value);
    } else if (key == "decay") {
      t.decay = std::stod(value);
    } else if (key == "duty") {
      t.duty = std::stod(value);
    } else if (key == "vibrato" || key == "tremolo") {
      std::vector<double> v = Numbers(value);
      if (v.size() != 2) throw std::runtime_error(key + " needs rate:depth");
      (key == "vibrato" ? t.vibratoRate : t.tremoloRate) = v[0];
      (key == "vibrato" ? t.vibratoDepth : t.tremoloDepth) = v[1];
    } else if (key == "lowpass") {
      t.lowpass = std::stod(value);
    } else if (key == "highpass") {
      t.highpass = std::stod(value);
    } else if (key == "pan") {
      t.pan = std::stod(value);
    } else if (key == "seed") {
      t.seed = static_cast<uint32_t>(std::stoul(value));
    } else {
      throw std::runtime_error("unknown tone setting " + key);
    }
  }
  if (t.length <= 0 || t.from <= 0 || t.to <= 0)
    throw std::runtime_error("tone without length or pitch");
  return t;
}

void RenderTone(std::vector<float>& buf, int rate, int channels, const Tone& t) {
  size_t first = static_cast<size_t>(std::lround(t.start * rate));
  size_t count = static_cast<size_t>(std::lround(t.length * rate));
  if (buf.size() < (first + count) * channels) buf.resize((first + count) * channels, 0.0f);
  double phase = 0, low = 0, lowForHigh = 0, noise = 0;
  uint32_t state = t.seed * 2654435761u + 1;
  double lowA = t.lowpass > 0 ? 1 - std::exp(-2 * std::numbers::pi * t.lowpass / rate) : 1;
  double highA = t.highpass > 0 ? 1 - std::exp(-2 * std::numbers::pi * t.highpass / rate) : 0;
  double left = std::sqrt(0.5 * (1 - t.pan)), right = std::sqrt(0.5 * (1 + t.pan));
  for (size_t i = 0; i < count; ++i) {
    double time = static_cast<double>(i) / rate, u = static_cast<double>(i) / count;
    double freq = t.from * std::pow(t.to / t.from, u);
    if (!t.steps.empty())
      freq *= t.steps[std::min(t.steps.size() - 1, static_cast<size_t>(u * t.steps.size()))];
    if (t.vibratoDepth > 0)
      freq *= std::pow(2.0,
                       t.vibratoDepth / 12 * std::sin(2 * std::numbers::pi * t.vibratoRate * time));
    double v;
    if (t.wave == Wave::kNoise) {
      // A fresh random value every half period of `freq`, so the pitch colours the noise.
      double prev = phase;
      phase += freq / rate;
      if (std::floor(phase * 2) != std::floor(prev * 2) || i == 0) {
        state = state * 1664525u + 1013904223u;
        noise = (state >> 8) / 8388608.0 - 1.0;
      }
      v = noise;
    } else {
      v = Oscillator(t.wave, phase, t.duty);
      phase += freq / rate;
    }
    low += lowA * (v - low);
    v = low;
    if (highA > 0) {
      lowForHigh += highA * (v - lowForHigh);
      v -= lowForHigh;
    }
    double env = 1;
    if (t.attack > 0 && time < t.attack) env = time / t.attack;
    double left_time = t.length - time;
    if (t.release > 0 && left_time < t.release) env *= std::max(0.0, left_time / t.release);
    if (t.decay > 0) env *= std::exp(-time / t.decay);
    if (t.tremoloDepth > 0)
      env *= 1 - t.tremoloDepth * 0.5 * (1 + std::sin(2 * std::numbers::pi * t.tremoloRate * time));
    float s = static_cast<float>(v * env * t.volume);
    if (channels == 2) {
      buf[(first + i) * 2] += static_cast<float>(s * left);
      buf[(first + i) * 2 + 1] += static_cast<float>(s * right);
    } else {
      buf[first + i] += s;
    }
  }
}

void Normalise(std::vector<float>& buf, double peak) {
  float top = 0;
  for (float s : buf) top = std::max(top, std::abs(s));
  if (top <= 0) return;
  float k = static_cast<float>(peak / top);
  for (float& s : buf) s *= k;
}

}  // namespace mediagen
