// What the game loads, named as the game asks for it, and where the build put the media.
#pragma once

#include <string>
#include <vector>

namespace tobli::test {

// The pictures of the 280 sprite slots: "gfx/Tobli<n>.bmp".
std::string SpriteName(int n);
// The fonts, screens and headings.
std::vector<std::string> PictureNames();
// The 17 effects and the 24 voice clips, in the order of the game's sound slots 0 to 40.
std::vector<std::string> SoundNames();
// Everything the game loads from media.vez: sprites, pictures, sounds and "intro.txt".
std::vector<std::string> MediaArchiveNames();

// The media sources, the generator's output folder of the build (media-out) and the stage
// folder that holds the archives.
std::string MediaSourceDir();
std::string MediaOutDir();
std::string StageDir();

}  // namespace tobli::test
