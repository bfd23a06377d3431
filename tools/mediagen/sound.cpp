#include "sound.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "process.h"
#include "source_lines.h"
#include "synth.h"
#include "wav.h"

namespace fs = std::filesystem;

namespace mediagen {

namespace {

std::map<std::string, std::string> Words(std::istringstream& in, const std::string& where) {
  std::map<std::string, std::string> words;
  std::string word;
  while (in >> word) {
    size_t eq = word.find('=');
    if (eq == std::string::npos) throw std::runtime_error(where + ": expected key=value: " + word);
    words[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return words;
}

void WriteMono(const std::string& path, std::vector<float> samples) {
  Pcm pcm;
  pcm.rate = kSoundRate;
  pcm.channels = 1;
  pcm.samples = ToInt16(samples);
  fs::create_directories(fs::path(path).parent_path());
  WriteWav(path, pcm);
}

}  // namespace

std::vector<std::string> MakeEffects(const std::string& source, const std::string& out) {
  std::vector<std::string> names;
  std::vector<float> buf;
  auto finish = [&] {
    if (names.empty()) return;
    if (buf.empty()) throw std::runtime_error(source + ": " + names.back() + " has no tone");
    Normalise(buf, 0.8);
    WriteMono(out + "/" + names.back(), buf);
    buf.clear();
  };
  ForEachSourceLine(source,
                    [&](const std::string& head, std::istringstream& in, const std::string& where) {
                      if (head == "effect") {
                        finish();
                        std::string name;
                        if (!(in >> name))
                          throw std::runtime_error(where + ": effect without a file");
                        names.push_back(name);
                      } else if (head == "tone") {
                        if (names.empty())
                          throw std::runtime_error(where + ": tone before the first effect");
                        RenderTone(buf, kSoundRate, 1, ParseTone(Words(in, where)));
                      } else {
                        throw std::runtime_error(where + ": unknown line " + head);
                      }
                    });
  finish();
  return names;
}

namespace {

// Cuts the silence the synthesizer leaves around a remark, evens the loudness and softens
// both ends so the clip starts and stops without a click.
std::vector<float> TidyVoice(const Pcm& pcm) {
  if (pcm.channels != 1 || pcm.rate != kSoundRate)
    throw std::runtime_error("speech not in 22050 Hz mono");
  const int threshold = 400;
  auto loud = [&](int16_t s) { return std::abs(static_cast<int>(s)) > threshold; };
  auto first = std::find_if(pcm.samples.begin(), pcm.samples.end(), loud);
  auto last = std::find_if(pcm.samples.rbegin(), pcm.samples.rend(), loud);
  if (first == pcm.samples.end()) throw std::runtime_error("the speech is silent");
  size_t margin = kSoundRate / 50;
  size_t a = static_cast<size_t>(first - pcm.samples.begin());
  size_t b = pcm.samples.size() - static_cast<size_t>(last - pcm.samples.rbegin());
  a = a > margin ? a - margin : 0;
  b = std::min(pcm.samples.size(), b + margin);
  std::vector<float> out;
  for (size_t i = a; i < b; ++i) out.push_back(pcm.samples[i] / 32768.0f);
  Normalise(out, 0.85);
  size_t fadeIn = kSoundRate / 200, fadeOut = kSoundRate / 40;
  for (size_t i = 0; i < out.size(); ++i) {
    float k = 1;
    if (i < fadeIn) k = static_cast<float>(i) / fadeIn;
    if (out.size() - i < fadeOut) k = std::min(k, static_cast<float>(out.size() - i) / fadeOut);
    out[i] *= k;
  }
  return out;
}

}  // namespace

std::vector<std::string> MakeVoices(const std::string& source, const std::string& out,
                                    const std::string& espeak) {
  std::map<std::string, std::string> speak = {
      {"voice", "en-us"}, {"pitch", "50"}, {"speed", "175"}, {"amplitude", "100"}};
  std::vector<std::string> names;
  ForEachSourceLine(source,
                    [&](const std::string& head, std::istringstream& in, const std::string& where) {
                      if (head == "speak") {
                        for (auto& [k, v] : Words(in, where)) {
                          if (!speak.count(k))
                            throw std::runtime_error(where + ": unknown setting " + k);
                          speak[k] = v;
                        }
                        return;
                      }
                      std::string text;
                      std::getline(in >> std::ws, text);
                      if (text.empty()) throw std::runtime_error(where + ": nothing to say");
                      std::string target = out + "/" + head;
                      fs::create_directories(fs::path(target).parent_path());
                      std::string raw = target + ".speech";
                      RunProgram({espeak, "-v", speak["voice"], "-p", speak["pitch"], "-s",
                                  speak["speed"], "-a", speak["amplitude"], "-w", raw, text});
                      Pcm pcm = ReadWav(raw);
                      fs::remove(raw);
                      WriteMono(target, TidyVoice(pcm));
                      names.push_back(head);
                    });
  return names;
}

}  // namespace mediagen
