#include "media_names.h"

namespace tobli::test {

std::string SpriteName(int n) {
  return "gfx/Tobli" + std::to_string(n) + ".bmp";
}

std::vector<std::string> PictureNames() {
  return {"Smalfont.bmp", "BigFont.bmp",  "Title.bmp",    "GameSelect.bmp", "Help.bmp",
          "Gameover.bmp", "Heading1.bmp", "Heading2.bmp", "Heading3.bmp"};
}

std::vector<std::string> SoundNames() {
  std::vector<std::string> names = {
      "sound/beam.wav",      "sound/Bomb.wav",   "sound/boxmove.wav", "sound/die_monster.wav",
      "sound/dirt.wav",      "sound/door.wav",   "sound/exit.wav",    "sound/fall.wav",
      "sound/fire.wav",      "sound/gem.wav",    "sound/hint.wav",    "sound/key.wav",
      "sound/silverkey.wav", "sound/sweets.wav", "sound/switch.wav",  "sound/water.wav",
      "sound/zoop.wav"};
  const std::pair<const char*, int> groups[] = {{"beam", 4}, {"enemy", 5}, {"extra", 4},
                                                {"ice", 3},  {"fire", 2},  {"sweets", 4},
                                                {"water", 2}};
  for (const auto& [group, count] : groups)
    for (int i = 1; i <= count; ++i)
      names.push_back("voice/" + std::string(group) + std::to_string(i) + ".wav");
  return names;
}

std::vector<std::string> MediaArchiveNames() {
  std::vector<std::string> names;
  for (int n = 0; n < 280; ++n) names.push_back(SpriteName(n));
  for (const std::string& p : PictureNames()) names.push_back(p);
  for (const std::string& s : SoundNames()) names.push_back(s);
  names.push_back("intro.txt");
  return names;
}

std::string MediaSourceDir() {
  return MEDIA_SOURCE_DIR;
}

std::string MediaOutDir() {
  return MEDIA_OUT_DIR;
}

std::string StageDir() {
  return MEDIA_STAGE_DIR;
}

}  // namespace tobli::test
