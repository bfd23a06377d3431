// The full-screen pictures (640 x 480) and the title headings.
#pragma once

#include <vector>

#include "image.h"

namespace mediagen {

inline constexpr int kScreenW = 640;
inline constexpr int kScreenH = 480;

struct Screens {
  Image title, select, help, gameover;
  Image heading1, heading2, heading3;  // "Heading1.bmp".."Heading3.bmp"
};

// Draws every screen; sprites holds the 280 game sprites by number, so the screens show
// the game's own tiles and figures.
Screens MakeScreens(const std::vector<Image>& sprites);

// Shared scenery, also used for the documentation pages.
// A sprite doubled `times` over with smooth pixel edges (1 = 64 px, 2 = 128 px).
Image Enlarge(const Image& sprite, int times);
// A vertical gradient through the colours, stepped with an ordered dither like pixel art.
void PaintGradient(Image& img, int y0, int y1, const std::vector<Rgb>& colours);

}  // namespace mediagen
