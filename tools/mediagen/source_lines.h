// The line loop of the sound and music sources: "head words..." lines, '#' starts a comment.
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace mediagen {

// Calls take(head, rest, where) for each line of the file that holds a word once its comment
// is cut off: head is the first word, rest reads the others, where is "path:N" for messages.
// Throws std::runtime_error when the file cannot be read.
template <typename Take>
void ForEachSourceLine(const std::string& path, Take take) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  std::string line;
  int lineNo = 0;
  while (std::getline(f, line)) {
    ++lineNo;
    std::string where = path + ":" + std::to_string(lineNo);
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string head;
    if (!(in >> head)) continue;
    take(head, in, where);
  }
}

}  // namespace mediagen
