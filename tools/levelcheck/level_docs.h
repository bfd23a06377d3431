// The level table of the documentation: number, title, mechanics, solution length and a
// picture of each shipped level.
#pragma once

#include <string>
#include <vector>

namespace levelcheck {

struct DocsRequest {
  std::string levelsDir;  // holds Level.N, catalog.txt, solutions.txt
  std::string gfxDir;     // the game's sprites
  std::string outDir;     // levels.md goes here, the pictures into outDir/levels/
  int percent = 50;       // picture size against the game's pixels
};

// Writes the table and the pictures; false, with the reasons, when a level, its catalog line
// or its solution is missing, or a picture cannot be made.
bool WriteLevelDocs(const DocsRequest& request, std::vector<std::string>& problems);

// Key presses (arrows, restart, give up) and waits in a move string ("3R . Q" has 4 presses
// and 1 wait); false when the string does not parse.
bool CountMoves(const std::string& moves, int& presses, int& waits);

}  // namespace levelcheck
