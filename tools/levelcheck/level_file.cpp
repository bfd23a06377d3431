#include "level_file.h"

#include <fstream>
#include <sstream>

namespace levelcheck {

namespace {

constexpr int kFieldWidth = 3;
constexpr size_t kMaxLineLength = 1024;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

std::string Field(int value) {
  std::string digits = std::to_string(value);
  while (digits.size() < kFieldWidth) digits.insert(digits.begin(), '0');
  return digits;
}

// The line's fields when it is exactly `count` fields of three digits; otherwise a problem is
// added, naming the line by its number in the file.
bool ReadFields(const std::vector<std::string>& lines, int lineNumber, int count,
                const std::string& what, std::vector<int>& fields,
                std::vector<std::string>& problems) {
  std::string where = "line " + std::to_string(lineNumber) + " (" + what + ")";
  if (lineNumber >= static_cast<int>(lines.size())) {
    problems.push_back(where + " is missing");
    return false;
  }
  const std::string& line = lines[lineNumber];
  if (line.size() != static_cast<size_t>(count * kFieldWidth)) {
    problems.push_back(where + " has " + std::to_string(line.size()) + " characters, not " +
                       std::to_string(count * kFieldWidth));
    return false;
  }
  fields.assign(count, 0);
  for (int f = 0; f < count; ++f) {
    int value = 0;
    for (int c = 0; c < kFieldWidth; ++c) {
      char ch = line[f * kFieldWidth + c];
      if (ch < '0' || ch > '9') {
        problems.push_back(where + ": field " + std::to_string(f) + " is not three digits");
        return false;
      }
      value = value * 10 + (ch - '0');
    }
    fields[f] = value;
  }
  return true;
}

}  // namespace

ParsedLevel ParseLevel(const std::string& text) {
  ParsedLevel parsed;
  std::vector<std::string>& problems = parsed.problems;
  std::vector<std::string> lines = SplitLines(text);
  parsed.lineCount = static_cast<int>(lines.size());
  if (parsed.lineCount > kMaxFileLines) {
    problems.push_back("the file has " + std::to_string(parsed.lineCount) +
                       " lines; the game reads only " + std::to_string(kMaxFileLines));
  }
  for (size_t n = 0; n < lines.size(); ++n) {
    if (lines[n].size() > kMaxLineLength) {
      problems.push_back("line " + std::to_string(n) + " is longer than " +
                         std::to_string(kMaxLineLength) + " characters");
    }
  }
  std::vector<int> header;
  if (!ReadFields(lines, 0, 5, "header", header, problems)) return parsed;
  Level& level = parsed.level;
  level.maxx = header[0];
  level.maxy = header[1];
  level.startX = header[2];
  level.startY = header[3];
  int enemyCount = header[4];

  level.cells.reserve(static_cast<size_t>(level.Width()) * level.Height());
  for (int r = 0; r <= level.maxy; ++r) {
    std::vector<int> row;
    if (!ReadFields(lines, r + 1, level.Width(), "map row " + std::to_string(r), row, problems)) {
      return parsed;
    }
    level.cells.insert(level.cells.end(), row.begin(), row.end());
  }
  for (int e = 0; e < enemyCount; ++e) {
    std::vector<int> f;
    if (!ReadFields(lines, level.maxy + 2 + e, 5, "enemy " + std::to_string(e), f, problems)) {
      return parsed;
    }
    level.enemies.push_back({f[0], f[1], f[2], f[3], f[4]});
  }
  int hintLine = level.maxy + enemyCount + 2;
  if (hintLine >= static_cast<int>(lines.size()) || lines[hintLine].empty()) {
    problems.push_back("line " + std::to_string(hintLine) + " (the hint) is missing or empty");
    return parsed;
  }
  level.hint = lines[hintLine];
  if (hintLine + 1 < static_cast<int>(lines.size())) {
    problems.push_back("the file goes on after the hint line " + std::to_string(hintLine) +
                       "; the game never reads that");
  }
  return parsed;
}

ParsedLevel ReadLevelFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ParsedLevel parsed;
    parsed.problems.push_back("cannot read " + path);
    return parsed;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return ParseLevel(text.str());
}

std::string LevelText(const Level& level) {
  std::string text = Field(level.maxx) + Field(level.maxy) + Field(level.startX) +
                     Field(level.startY) + Field(static_cast<int>(level.enemies.size())) + "\r\n";
  for (int y = 0; y <= level.maxy; ++y) {
    for (int x = 0; x <= level.maxx; ++x) text += Field(level.At(x, y));
    text += "\r\n";
  }
  for (const LevelEnemy& e : level.enemies) {
    text += Field(e.x) + Field(e.y) + Field(e.mode) + Field(e.speed) + Field(e.look) + "\r\n";
  }
  return text + level.hint + "\r\n";
}

}  // namespace levelcheck
