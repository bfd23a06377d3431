// The levels a soak plays: every shipped level file, and levels made up at random so that every
// kind of tile, box and enemy is met even where the shipped levels are few.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace tobli::soak {

// The numbers of the level files "Level.<n>" in dir (save files such as Level.01 excluded),
// in ascending order. Empty when the folder is missing.
std::vector<int> ShippedLevels(const std::string& dir);

// The text of a level file made up at random: a walled room of 4 to 24 by 3 to 16 cells of
// mixed tiles with up to six enemies, or a short corridor from the start to an open exit.
std::string MadeUpLevel(std::mt19937& random);

}  // namespace tobli::soak
