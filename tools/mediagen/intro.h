// The intro story that scrolls on the title screen.
#pragma once

#include <string>
#include <vector>

namespace mediagen {

inline constexpr size_t kIntroWidth = 38;  // characters that fit the screen in the big font

// Reads the story source and writes "intro.txt". A blank source line becomes a line holding
// one space: the game stops reading at an empty line, and a space prints as a gap.
// Throws for a line that is too long, a character the fonts lack, or more than 256 lines.
std::vector<std::string> MakeIntro(const std::string& source, const std::string& target);

}  // namespace mediagen
