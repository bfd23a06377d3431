#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "art.h"

namespace mediagen {

namespace {

constexpr int kSpriteCount = 280;

std::vector<std::string> SplitCommas(const std::string& s) {
  std::vector<std::string> out;
  std::string item;
  std::istringstream in(s);
  while (std::getline(in, item, ',')) out.push_back(item);
  return out;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

}  // namespace

std::string SpriteSpec::Param(const std::string& name, const std::string& fallback) const {
  auto it = params.find(name);
  if (it == params.end()) return fallback;
  std::vector<std::string> items = SplitCommas(it->second);
  if (items.size() <= 1) return it->second;
  if (index >= static_cast<int>(items.size()))
    throw std::runtime_error("sprite " + std::to_string(number) + ": list " + name + " too short");
  return items[index];
}

int SpriteSpec::IntParam(const std::string& name, int fallback) const {
  std::string v = Param(name);
  return v.empty() ? fallback : std::stoi(v);
}

std::vector<SpriteSpec> LoadSpriteSpecs(const std::string& path) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  std::vector<SpriteSpec> specs;
  std::set<int> seen;
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + why);
  };
  while (std::getline(f, line)) {
    ++lineNo;
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    size_t bar = line.find('|');
    if (bar == std::string::npos) fail("no role after '|'");
    std::string role = Trim(line.substr(bar + 1));
    std::istringstream in(line.substr(0, bar));
    std::string numbers, kind, word;
    in >> numbers >> kind;
    if (kind.empty()) fail("no kind");
    int first = 0, last = 0;
    if (size_t dash = numbers.find('-'); dash != std::string::npos) {
      first = std::stoi(numbers.substr(0, dash));
      last = std::stoi(numbers.substr(dash + 1));
    } else {
      first = last = std::stoi(numbers);
    }
    if (first > last) fail("empty range");
    SpriteSpec base;
    base.kind = kind;
    base.role = role;
    bool anim = false;
    while (in >> word) {
      if (word == "anim") {
        anim = true;
        continue;
      }
      size_t eq = word.find('=');
      if (eq == std::string::npos) fail("parameter without '=': " + word);
      base.params[word.substr(0, eq)] = word.substr(eq + 1);
    }
    for (int phase = 0; phase < (anim ? 3 : 1); ++phase) {
      for (int n = first; n <= last; ++n) {
        SpriteSpec s = base;
        s.number = n + 20 * phase;
        s.index = n - first;
        s.phase = phase;
        if (phase > 0)
          s.role = "frame " + std::to_string(phase + 1) + " of " + std::to_string(n) + ": " + role;
        if (s.number < 0 || s.number >= kSpriteCount) fail("number out of range");
        if (!seen.insert(s.number).second) fail("sprite " + std::to_string(s.number) + " twice");
        specs.push_back(s);
      }
    }
  }
  if (static_cast<int>(seen.size()) != kSpriteCount) {
    for (int n = 0; n < kSpriteCount; ++n)
      if (!seen.count(n))
        throw std::runtime_error(path + ": sprite " + std::to_string(n) + " missing");
  }
  return specs;
}

const std::map<std::string, Drawer>& Drawers() {
  static const std::map<std::string, Drawer> drawers = [] {
    std::map<std::string, Drawer> d;
    RegisterGroundArt(d);
    RegisterWallArt(d);
    RegisterItemArt(d);
    RegisterFigureArt(d);
    RegisterEditorArt(d);
    return d;
  }();
  return drawers;
}

Image DrawSprite(const SpriteSpec& spec) {
  auto it = Drawers().find(spec.kind);
  if (it == Drawers().end())
    throw std::runtime_error("sprite " + std::to_string(spec.number) + ": unknown kind " +
                             spec.kind);
  Image img = it->second(spec);
  if (img.width() != kTile || img.height() != kTile)
    throw std::runtime_error("sprite " + std::to_string(spec.number) + ": not 32 x 32");
  return img;
}

}  // namespace mediagen
