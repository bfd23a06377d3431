// Small levels written as pictures in the tests: one character a cell.
#pragma once

#include <string>
#include <vector>

#include "level_file.h"

namespace levelcheck::test {

// '#' wall, '.' floor, ' ' void, '@' start (on floor), 'E' exit, 'a' sweet, 'i' ice,
// '(' ')' ']' '[' ice curves 69 to 72, '<' '>' 'v' '^' conveyors, 'w' water, 'f' fire,
// 'm' mine, 'x' 'y' 'z' fragile floor whole, cracked, broken, 'r' red key, 'R' red door,
// 'S' silver door, 'C' crate, 'T' crate target, '%' dirt, '$' salt bag, 'F' fire suit,
// 'B' boots, 'X' item remover, 'M' magnet, 'P' plate, 'o' lowered and 'O' raised block,
// '!' toggle switch, '0' '1' beamer pads, 'H' checkpoint, '5' ruby, '8' bomb.
Level AsciiLevel(const std::vector<std::string>& rows);

}  // namespace levelcheck::test
