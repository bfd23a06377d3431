#include "level_lint.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "tile_codes.h"

namespace levelcheck {

namespace {

constexpr int kHintAdvance = 17;
constexpr int kHintWidth = 440;

std::string Cell(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool ParseNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 6) return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  value = std::stoi(text);
  return true;
}

// A start the player can stand on and walk from: not inside a wall, a block, a door, a box or
// a hazard, and not on a magnet that would hold the player from the first frame.
bool StartFits(int code) {
  return !IsWall(code) && !IsRaisedBlock(code) && !IsDoor(code) && !IsHazard(code) &&
         !IsBoxStart(code) && code != 61 && code != 65;
}

void LintCells(const Level& level, std::vector<std::string>& problems) {
  std::map<int, int> counts;
  for (int y = 0; y <= level.maxy; ++y) {
    for (int x = 0; x <= level.maxx; ++x) {
      int code = level.At(x, y);
      if (!IsTileCode(code)) {
        problems.push_back("cell " + Cell(x, y) + " holds " + std::to_string(code) +
                           ", which is no tile");
      }
      ++counts[code];
    }
  }
  int sweets = 0;
  int boxes = 0;
  for (const auto& [code, count] : counts) {
    if (IsSweet(code)) sweets += count;
    if (IsBoxStart(code) || code == 61) boxes += count;
  }
  if (sweets == 0) problems.push_back("there are no sweets");
  if (counts[93] == 0) problems.push_back("there is no exit");
  for (int pad = 0; pad <= 3; ++pad) {
    if (counts[pad] == 1) {
      problems.push_back("beamer pad " + std::to_string(pad) + " has no partner");
    }
  }
  if (boxes > kTableSize) {
    problems.push_back(std::to_string(boxes) + " boxes and crates do not fit the box table of " +
                       std::to_string(kTableSize));
  }
  // Every box may leave a picture object (falling, debris) in the enemy table.
  int pictures = boxes + static_cast<int>(level.enemies.size());
  if (pictures > kTableSize) {
    problems.push_back(std::to_string(level.enemies.size()) + " enemies and " +
                       std::to_string(boxes) + " boxes may overflow the enemy table of " +
                       std::to_string(kTableSize));
  }
  if (counts[19] + counts[8] > kTableSize) {
    problems.push_back("mines and bombs may overflow the explosion table of " +
                       std::to_string(kTableSize));
  }
}

void LintEnemies(const Level& level, std::vector<std::string>& problems) {
  if (static_cast<int>(level.enemies.size()) > kTableSize) {
    problems.push_back(std::to_string(level.enemies.size()) +
                       " enemies do not fit the enemy table of " + std::to_string(kTableSize));
  }
  std::set<std::pair<int, int>> places;
  for (size_t n = 0; n < level.enemies.size(); ++n) {
    const LevelEnemy& e = level.enemies[n];
    std::string who = "enemy " + std::to_string(n);
    if (!level.Inside(e.x, e.y)) {
      problems.push_back(who + " stands outside the level at " + Cell(e.x, e.y));
      continue;
    }
    if (e.mode > kChaseMode) problems.push_back(who + " has mode " + std::to_string(e.mode));
    if (e.speed > 2) problems.push_back(who + " has speed " + std::to_string(e.speed));
    if (!IsEnemyLook(e.look)) problems.push_back(who + " has look " + std::to_string(e.look));
    if (e.mode == kChaseMode && e.look != kChaserLook) {
      problems.push_back(who + " chases but does not have the chaser's look " +
                         std::to_string(kChaserLook));
    }
    int code = level.At(e.x, e.y);
    if (!EnemyMayEnter(code) || code == 19) {
      problems.push_back(who + " stands on a " + TileName(code) + " at " + Cell(e.x, e.y));
    }
    if (e.x == level.startX && e.y == level.startY) {
      problems.push_back(who + " stands on the player's start");
    }
    if (!places.insert({e.x, e.y}).second) {
      problems.push_back(who + " shares its cell " + Cell(e.x, e.y) + " with another");
    }
  }
}

void LintHint(const Level& level, std::vector<std::string>& problems) {
  for (unsigned char ch : level.hint) {
    if (ch < 32 || ch > 126) {
      problems.push_back("the hint holds a character the fonts do not have (code " +
                         std::to_string(ch) + ")");
      break;
    }
  }
  int rows = HintRows(level.hint);
  if (rows > kMaxHintLines) {
    problems.push_back("the hint needs " + std::to_string(rows) + " rows; its panel holds " +
                       std::to_string(kMaxHintLines));
  }
}

}  // namespace

int HintRows(const std::string& hint) {
  std::string text = hint + " ";
  int row = 1;
  int lastInk = 1;  // the row of the last word that shows; blanks alone show nothing
  int column = 0;   // pixels from the panel's left edge
  std::string word;
  for (char ch : text) {
    word += ch;
    if (ch != ' ') continue;
    int length = static_cast<int>(word.size());
    if ((length - 1) * kHintAdvance + column > kHintWidth) {
      column = 0;
      ++row;
    }
    if (length > 1) lastInk = row;
    column += length * kHintAdvance;
    word.clear();
  }
  return lastInk;
}

std::vector<std::string> LintLevel(const Level& level) {
  std::vector<std::string> problems;
  if (level.maxx > kMaxLevelIndex || level.maxy > kMaxLevelIndex) {
    problems.push_back("the level is " + std::to_string(level.Width()) + " by " +
                       std::to_string(level.Height()) + " cells; the editor holds " +
                       std::to_string(kMaxLevelIndex + 1) + " by " +
                       std::to_string(kMaxLevelIndex + 1));
  }
  if (!level.Inside(level.startX, level.startY)) {
    problems.push_back("the start " + Cell(level.startX, level.startY) + " lies outside the level");
  } else if (!StartFits(level.At(level.startX, level.startY))) {
    problems.push_back(std::string("the start ") + Cell(level.startX, level.startY) + " is on a " +
                       TileName(level.At(level.startX, level.startY)));
  }
  LintCells(level, problems);
  LintEnemies(level, problems);
  LintHint(level, problems);
  return problems;
}

void AddCoverage(const Level& level, Coverage& coverage) {
  coverage.tiles.insert(level.cells.begin(), level.cells.end());
  for (const LevelEnemy& e : level.enemies) {
    coverage.enemyModes.insert(e.mode);
    coverage.enemyLooks.insert(e.look);
  }
}

std::vector<std::string> MissingCoverage(const Coverage& coverage) {
  static const char* const kBehaviours[] = {"horizontal walker", "vertical walker",
                                            "clockwise turner", "counter-clockwise turner",
                                            "chaser"};
  std::vector<std::string> missing;
  for (int code = 0; code <= 255; ++code) {
    if (IsTileCode(code) && code != 108 && !coverage.tiles.count(code)) {
      missing.push_back("no level holds tile " + std::to_string(code) + " (" + TileName(code) +
                        ")");
    }
  }
  for (int mode = 0; mode <= kChaseMode; ++mode) {
    if (!coverage.enemyModes.count(mode)) {
      missing.push_back(std::string("no level has a ") + kBehaviours[mode]);
    }
  }
  return missing;
}

namespace {

// Calls `take` with each line of the file that holds something (trimmed; blank lines and
// '#' comments skipped) and the place of that line for messages ("path:N"). A file that
// cannot be read is one problem.
template <typename Take>
void ForEachDataLine(const std::string& path, std::vector<std::string>& problems, Take take) {
  std::ifstream file(path);
  if (!file) {
    problems.push_back("cannot read " + path);
    return;
  }
  std::string line;
  int lineNumber = 0;
  while (std::getline(file, line)) {
    ++lineNumber;
    std::string text = Trim(line);
    if (text.empty() || text[0] == '#') continue;
    take(text, path + ":" + std::to_string(lineNumber));
  }
}

}  // namespace

std::vector<CatalogEntry> ReadCatalog(const std::string& path, std::vector<std::string>& problems) {
  std::vector<CatalogEntry> entries;
  ForEachDataLine(path, problems, [&](const std::string& text, const std::string& where) {
    size_t bar1 = text.find('|');
    size_t bar2 = bar1 == std::string::npos ? bar1 : text.find('|', bar1 + 1);
    CatalogEntry entry;
    if (bar2 == std::string::npos || !ParseNumber(Trim(text.substr(0, bar1)), entry.number)) {
      problems.push_back(where + ": not 'N | title | mechanics'");
      return;
    }
    entry.title = Trim(text.substr(bar1 + 1, bar2 - bar1 - 1));
    entry.mechanics = Trim(text.substr(bar2 + 1));
    if (entry.title.empty()) problems.push_back(where + ": no title");
    entries.push_back(entry);
  });
  return entries;
}

std::vector<SolutionLine> ReadSolutions(const std::string& path,
                                        std::vector<std::string>& problems) {
  std::vector<SolutionLine> solutions;
  ForEachDataLine(path, problems, [&](const std::string& text, const std::string& where) {
    size_t space = text.find_first_of(" \t");
    SolutionLine solution;
    if (space == std::string::npos || !ParseNumber(text.substr(0, space), solution.number)) {
      problems.push_back(where + ": not 'N MOVES'");
      return;
    }
    solution.moves = Trim(text.substr(space));
    solutions.push_back(solution);
  });
  return solutions;
}

SetReport LintLevelSet(const std::string& levelsDir, const SetOptions& options) {
  namespace fs = std::filesystem;
  SetReport report;
  std::set<int> numbers;
  static const std::regex kLevelName(R"(Level\.(0|[1-9][0-9]{0,5}))");
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(levelsDir, error)) {
    std::smatch match;
    std::string name = entry.path().filename().string();
    if (std::regex_match(name, match, kLevelName)) numbers.insert(std::stoi(match[1]));
  }
  if (error) {
    report.problems.push_back("cannot list " + levelsDir);
    return report;
  }
  if (numbers.count(0) == 0) {
    report.problems.push_back(levelsDir + " holds no Level.0");
    return report;
  }
  int expected = 0;
  for (int n : numbers) {
    if (n != expected) {
      report.problems.push_back("Level." + std::to_string(n) + " follows Level." +
                                std::to_string(expected - 1) +
                                ": the game stops at the first missing number");
      break;
    }
    ++expected;
  }
  report.levels = expected;
  for (int n = 0; n < report.levels; ++n) {
    std::string name = "Level." + std::to_string(n);
    ParsedLevel parsed = ReadLevelFile(levelsDir + "/" + name);
    std::vector<std::string> problems = parsed.problems;
    if (parsed.ok()) {
      problems = LintLevel(parsed.level);
      AddCoverage(parsed.level, report.coverage);
    }
    for (const std::string& p : problems) report.problems.push_back(name + ": " + p);
  }

  std::vector<CatalogEntry> catalog = ReadCatalog(levelsDir + "/catalog.txt", report.problems);
  std::vector<SolutionLine> solutions =
      ReadSolutions(levelsDir + "/solutions.txt", report.problems);
  std::map<int, int> titled;
  std::map<int, int> solved;
  for (const CatalogEntry& e : catalog) ++titled[e.number];
  for (const SolutionLine& s : solutions) ++solved[s.number];
  for (int n = 0; n < report.levels; ++n) {
    std::string name = "Level." + std::to_string(n);
    if (titled[n] != 1) {
      report.problems.push_back(name + ": " + std::to_string(titled[n]) +
                                " catalog lines, not one");
    }
    if (solved[n] != 1) {
      report.problems.push_back(name + ": " + std::to_string(solved[n]) +
                                " solution lines, not one");
    }
  }
  for (const auto& [n, count] : titled) {
    if (n >= report.levels) {
      report.problems.push_back("catalog.txt names Level." + std::to_string(n) +
                                ", which is not shipped");
    }
  }
  for (const auto& [n, count] : solved) {
    if (n >= report.levels) {
      report.problems.push_back("solutions.txt solves Level." + std::to_string(n) +
                                ", which is not shipped");
    }
  }
  if (options.requireCoverage) {
    for (const std::string& m : MissingCoverage(report.coverage)) report.problems.push_back(m);
  }
  return report;
}

}  // namespace levelcheck
