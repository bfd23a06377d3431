#include "intro.h"

#include <fstream>
#include <stdexcept>

namespace mediagen {

std::vector<std::string> MakeIntro(const std::string& source, const std::string& target) {
  std::ifstream in(source);
  if (!in) throw std::runtime_error("cannot read " + source);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string where = source + ":" + std::to_string(lines.size() + 1);
    if (line.size() > kIntroWidth) throw std::runtime_error(where + ": longer than 38 characters");
    for (char c : line)
      if (c < 32 || c > 126) throw std::runtime_error(where + ": character the fonts lack");
    lines.push_back(line.empty() ? " " : line);
  }
  while (!lines.empty() && lines.back() == " ") lines.pop_back();
  if (lines.empty()) throw std::runtime_error(source + ": no story");
  if (lines.size() > 256) throw std::runtime_error(source + ": more than 256 lines");
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  for (const std::string& l : lines) out << l << "\r\n";
  if (!out) throw std::runtime_error("cannot write " + target);
  return lines;
}

}  // namespace mediagen
