#include "palette.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace mediagen {

namespace {

std::map<std::string, Rgb>& Table() {
  static std::map<std::string, Rgb> colours;
  return colours;
}

}  // namespace

void LoadPalette(const std::string& path) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  std::string line;
  int number = 0;
  while (std::getline(f, line)) {
    ++number;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string name;
    int r, g, b;
    if (!(in >> name)) continue;
    if (!(in >> r >> g >> b) || r < 0 || g < 0 || b < 0 || r > 255 || g > 255 || b > 255)
      throw std::runtime_error(path + ":" + std::to_string(number) + ": bad colour");
    Rgb c{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
    if (c == kKey)
      throw std::runtime_error(path + ":" + std::to_string(number) + ": the key is no colour");
    Table()[name] = c;
  }
}

Rgb P(const std::string& name) {
  auto it = Table().find(name);
  if (it == Table().end()) throw std::runtime_error("unknown colour " + name);
  return it->second;
}

Family Colours(const std::string& name) {
  return {P(name), P(name + "_light"), P(name + "_dark")};
}

}  // namespace mediagen
