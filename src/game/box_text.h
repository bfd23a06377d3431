// The word wrapping of BOXPRINT, apart from its drawing.
#pragma once

#include <vector>

#include "runtime.h"

struct PlacedWord {
  KDStr word;  // the word with its trailing blank
  double x;
  double y;
};

// Where BOXPRINT prints each word of text, in order: a fixed 17 pixels a character and 25 a
// line, a new line when a word would pass the width; a word wider than the width stands alone.
std::vector<PlacedWord> LayOutBoxText(KDStr text, double x, double y, double width);
