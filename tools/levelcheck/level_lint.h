// The level checker: what every shipped level must satisfy, one level at a time and as a set.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "level_file.h"

namespace levelcheck {

// The largest stored column and row index the editor can show and save (its map cells 1 to 99).
constexpr int kMaxLevelIndex = 98;
// Rows of text the hint panel holds.
constexpr int kMaxHintLines = 8;
// Entries of the game's box, enemy and explosion tables.
constexpr int kTableSize = 100;

// The problems of one parsed level; empty when it is fit to ship.
std::vector<std::string> LintLevel(const Level& level);

// The rows the game's word wrap gives the hint inside its panel (17 pixels a character, a
// panel 440 pixels wide; a word too wide for a row still starts a row of its own).
int HintRows(const std::string& hint);

// What a set of levels uses, for the coverage check.
struct Coverage {
  std::set<int> tiles;       // codes of cells
  std::set<int> enemyModes;  // stored modes 0 to 4
  std::set<int> enemyLooks;
};
void AddCoverage(const Level& level, Coverage& coverage);
// What the set lacks: every tile code but the pebble floor, and every enemy behaviour.
std::vector<std::string> MissingCoverage(const Coverage& coverage);

struct SetOptions {
  bool requireCoverage = false;
};

struct SetReport {
  int levels = 0;  // Level.0 up to Level.(levels - 1)
  std::vector<std::string> problems;
  Coverage coverage;
};

// Checks the folder that holds Level.0, Level.1, ... with its catalog.txt (one line
// "N | title | mechanics" a level) and solutions.txt (one line "N MOVES" a level): the numbers
// run without a gap from 0, every level passes LintLevel, and each has a title and a solution.
// The save slots Level.01 to Level.03 are not levels.
SetReport LintLevelSet(const std::string& levelsDir, const SetOptions& options);

// Titles and mechanics from a catalog file; a line that does not parse is a problem.
struct CatalogEntry {
  int number = 0;
  std::string title;
  std::string mechanics;
};
std::vector<CatalogEntry> ReadCatalog(const std::string& path, std::vector<std::string>& problems);

// The solution lines of a solutions file: level number and the moves as written.
struct SolutionLine {
  int number = 0;
  std::string moves;
};
std::vector<SolutionLine> ReadSolutions(const std::string& path,
                                        std::vector<std::string>& problems);

}  // namespace levelcheck
