// The title tune: the score's melody and chords, arranged for lead, arpeggio, bass and
// drums, rendered in stereo and encoded as MP3.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "process.h"
#include "sound.h"
#include "source_lines.h"
#include "synth.h"
#include "wav.h"

namespace fs = std::filesystem;

namespace mediagen {

namespace {

constexpr int kSixteenths = 16;  // per bar

struct Note {
  int midi = -1;   // -1: rest
  int length = 0;  // sixteenths
};

struct Chord {
  int root = 0;  // pitch class
  std::vector<int> intervals;
};

struct Section {
  std::string drums = "normal";
  std::vector<std::vector<Chord>> chords;  // per bar, one or two
  std::vector<std::vector<Note>> lead;     // per bar
};

struct Score {
  double tempo = 120;
  std::map<std::string, Section> sections;
  std::vector<std::string> order;
};

int PitchClass(const std::string& s, size_t& at) {
  static const std::map<char, int> base = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                           {'G', 7}, {'A', 9}, {'B', 11}};
  auto it = base.find(s.at(at));
  if (it == base.end()) throw std::runtime_error("bad note " + s);
  int pc = it->second;
  ++at;
  if (at < s.size() && (s[at] == '#' || s[at] == 'b')) {
    pc += s[at] == '#' ? 1 : -1;
    ++at;
  }
  return (pc + 12) % 12;
}

Note ParseNote(const std::string& token) {
  size_t colon = token.find(':');
  if (colon == std::string::npos) throw std::runtime_error("note without length: " + token);
  Note n;
  n.length = std::stoi(token.substr(colon + 1));
  std::string name = token.substr(0, colon);
  if (name == "r") return n;
  size_t at = 0;
  int pc = PitchClass(name, at);
  int octave = std::stoi(name.substr(at));
  n.midi = (octave + 1) * 12 + pc;
  return n;
}

Chord ParseChord(const std::string& name) {
  size_t at = 0;
  Chord c;
  c.root = PitchClass(name, at);
  std::string rest = name.substr(at);
  c.intervals = rest.rfind("m", 0) == 0 ? std::vector<int>{0, 3, 7} : std::vector<int>{0, 4, 7};
  if (rest.find('7') != std::string::npos) c.intervals.push_back(10);
  return c;
}

Score ReadScore(const std::string& path) {
  Score score;
  Section* current = nullptr;
  std::vector<Note> bar;
  int barLength = 0;
  ForEachSourceLine(path,
                    [&](const std::string& head, std::istringstream& in, const std::string& where) {
                      std::string word;
                      if (head == "tempo") {
                        in >> score.tempo;
                      } else if (head == "section") {
                        in >> word;
                        current = &score.sections[word];
                      } else if (head == "order") {
                        while (in >> word) score.order.push_back(word);
                      } else if (!current) {
                        throw std::runtime_error(where + ": " + head + " outside a section");
                      } else if (head == "drums") {
                        in >> current->drums;
                      } else if (head == "chords") {
                        while (in >> word) {
                          std::vector<Chord> inBar;
                          std::istringstream parts(word);
                          std::string part;
                          while (std::getline(parts, part, ',')) inBar.push_back(ParseChord(part));
                          current->chords.push_back(inBar);
                        }
                      } else if (head == "lead") {
                        while (in >> word) {
                          if (word == "|") {
                            if (barLength != kSixteenths)
                              throw std::runtime_error(where + ": a bar of " +
                                                       std::to_string(barLength) + " sixteenths");
                            current->lead.push_back(bar);
                            bar.clear();
                            barLength = 0;
                            continue;
                          }
                          Note n = ParseNote(word);
                          barLength += n.length;
                          bar.push_back(n);
                        }
                      } else {
                        throw std::runtime_error(where + ": unknown line " + head);
                      }
                    });
  if (!bar.empty()) throw std::runtime_error(path + ": the last bar has no '|'");
  for (const auto& [name, s] : score.sections)
    if (s.chords.size() != s.lead.size())
      throw std::runtime_error(path + ": section " + name + " has chords for " +
                               std::to_string(s.chords.size()) + " bars and melody for " +
                               std::to_string(s.lead.size()));
  for (const std::string& name : score.order)
    if (!score.sections.count(name)) throw std::runtime_error(path + ": no section " + name);
  if (score.order.empty()) throw std::runtime_error(path + ": no order");
  return score;
}

double Hz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

class Arranger {
 public:
  Arranger(double tempo, std::vector<float>& buf) : step_(60.0 / tempo / 4), buf_(buf) {}

  void Lead(double at, const Note& n) {
    if (n.midi < 0) return;
    double len = n.length * step_;
    Tone t;
    t.wave = Wave::kSquare;
    t.duty = 0.3;
    t.from = t.to = Hz(n.midi);
    t.start = at;
    t.length = len * 0.95;
    t.volume = 0.2;
    t.attack = 0.008;
    t.release = std::min(0.06, len * 0.3);
    t.lowpass = 3200;
    t.vibratoRate = 5.5;
    t.vibratoDepth = len > 0.4 ? 0.15 : 0;
    t.pan = -0.1;
    Add(t);
    t.wave = Wave::kSine;
    t.volume = 0.12;
    t.lowpass = 0;
    Add(t);
  }

  void Arpeggio(double at, const Chord& c, int eighth) {
    static const int pattern[8] = {0, 1, 2, 1, 0, 1, 2, 1};
    int root = 60 + c.root;
    if (root > 67) root -= 12;
    int idx = pattern[eighth] % static_cast<int>(c.intervals.size());
    Tone t;
    t.wave = Wave::kTriangle;
    t.from = t.to = Hz(root + c.intervals[idx]);
    t.start = at;
    t.length = 0.22;
    t.decay = 0.1;
    t.volume = 0.16;
    t.release = 0.03;
    t.pan = 0.35;
    Add(t);
  }

  void Bass(double at, int midi) {
    Tone t;
    t.wave = Wave::kTriangle;
    t.from = t.to = Hz(midi);
    t.start = at;
    t.length = step_ * 3.6;
    t.volume = 0.42;
    t.release = 0.08;
    Add(t);
  }

  void Kick(double at) {
    Tone t;
    t.from = 130;
    t.to = 40;
    t.start = at;
    t.length = 0.18;
    t.decay = 0.07;
    t.volume = 0.6;
    t.attack = 0.001;
    Add(t);
  }

  void Snare(double at, double volume) {
    Tone t;
    t.wave = Wave::kNoise;
    t.from = 6000;
    t.start = at;
    t.length = 0.16;
    t.decay = 0.05;
    t.volume = 0.25 * volume;
    t.lowpass = 5000;
    t.attack = 0.001;
    t.seed = seed_++;
    Add(t);
    Tone body;
    body.from = 190;
    body.to = 160;
    body.start = at;
    body.length = 0.08;
    body.decay = 0.03;
    body.volume = 0.15 * volume;
    Add(body);
  }

  void Hat(double at) {
    Tone t;
    t.wave = Wave::kNoise;
    t.from = 11000;
    t.highpass = 6000;
    t.start = at;
    t.length = 0.04;
    t.decay = 0.012;
    t.volume = 0.1;
    t.attack = 0.001;
    t.pan = 0.25;
    t.seed = seed_++;
    Add(t);
  }

  double step() const { return step_; }

 private:
  void Add(const Tone& t) { RenderTone(buf_, kSoundRate, 2, t); }
  double step_;
  std::vector<float>& buf_;
  uint32_t seed_ = 1000;
};

void Drums(Arranger& a, double at, const std::string& mode, bool lastBar) {
  double s = a.step();
  if (mode == "light") {
    a.Kick(at);
    a.Hat(at + 4 * s);
    a.Hat(at + 12 * s);
  } else {
    a.Kick(at);
    a.Kick(at + 8 * s);
    a.Snare(at + 4 * s, 1);
    a.Snare(at + 12 * s, 1);
    for (int i = 0; i < kSixteenths; i += 2) a.Hat(at + i * s);
  }
  if (lastBar)
    for (int i = 13; i < kSixteenths; ++i) a.Snare(at + i * s, 0.5 + 0.15 * (i - 12));
}

}  // namespace

double MakeMusic(const std::string& source, const std::string& out, const std::string& lame) {
  Score score = ReadScore(source);
  std::vector<float> buf;
  Arranger a(score.tempo, buf);
  double barTime = kSixteenths * a.step(), at = 0;
  for (const std::string& name : score.order) {
    const Section& sec = score.sections.at(name);
    for (size_t b = 0; b < sec.lead.size(); ++b, at += barTime) {
      double t = at;
      for (const Note& n : sec.lead[b]) {
        a.Lead(t, n);
        t += n.length * a.step();
      }
      const std::vector<Chord>& chords = sec.chords[b];
      for (int e = 0; e < 8; ++e) {
        const Chord& c = chords[chords.size() == 2 && e >= 4 ? 1 : 0];
        a.Arpeggio(at + e * 2 * a.step(), c, e);
      }
      for (int q = 0; q < 4; ++q) {
        const Chord& c = chords[chords.size() == 2 && q >= 2 ? 1 : 0];
        int root = 36 + c.root;
        const int offsets[4] = {0, 7, 12, 7};
        a.Bass(at + q * 4 * a.step(), root + offsets[chords.size() == 2 ? (q % 2) : q]);
      }
      Drums(a, at, sec.drums, b + 1 == sec.lead.size());
    }
  }
  // The tune loops: what rings on past the last bar is mixed into its start.
  size_t end = static_cast<size_t>(std::lround(at * kSoundRate)) * 2;
  for (size_t i = end; i < buf.size(); ++i) buf[i - end] += buf[i];
  buf.resize(end, 0.0f);
  Normalise(buf, 0.85);

  Pcm pcm;
  pcm.rate = kSoundRate;
  pcm.channels = 2;
  pcm.samples = ToInt16(buf);
  fs::create_directories(out + "/sound");
  std::string wav = out + "/sound/Tobli.mp3.wav", mp3 = out + "/sound/Tobli.mp3";
  WriteWav(wav, pcm);
  RunProgram({lame, "--quiet", "--noreplaygain", "-b", "96", wav, mp3});
  fs::remove(wav);
  return at;
}

}  // namespace mediagen
