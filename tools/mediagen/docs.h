// Pictures for the documentation: the contact sheet of all sprites and the title and
// selection screens as the game shows them.
#pragma once

#include <string>
#include <vector>

#include "art.h"
#include "screens.h"

namespace mediagen {

// Every sprite doubled, with its number under it; transparent pixels as a checker board.
Image ContactSheet(const std::vector<Image>& sprites);
// The title screen with its headings in place and the story half way up.
Image TitleShot(const Screens& screens, const std::vector<std::string>& intro);
// The selection screen with "Game:", the three slot letters and the stars of slot A.
Image SelectShot(const Screens& screens);
// A small level as the play field draws it.
Image PlayShot(const std::vector<Image>& sprites);
// The sprite table of the media guide: number and role, one row per sprite.
std::string SpriteTable(const std::vector<SpriteSpec>& specs);

}  // namespace mediagen
