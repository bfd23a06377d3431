// mediagen: makes the game's media from the sources in media/.
//   mediagen --media <sources> --out <dir> [--docs <dir>] [--espeak <program>] [--lame <program>]
// Writes under <dir> every file the game loads (gfx/Tobli<n>.bmp, the fonts and screens,
// sound/, voice/, intro.txt and sound/Tobli.mp3) and the member lists of the two archives,
// media.list and music.list. With --docs it also writes the pictures and the sprite table of
// the media guide there.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "art.h"
#include "bmp_writer.h"
#include "docs.h"
#include "font.h"
#include "intro.h"
#include "palette.h"
#include "screens.h"
#include "sound.h"

namespace fs = std::filesystem;

namespace mediagen {

namespace {

constexpr int kSprites = 280;

struct Options {
  std::string media, out, docs, espeak = "espeak-ng", lame = "lame";
};

void WriteList(const std::string& path, const std::vector<std::string>& names) {
  std::ofstream f(path, std::ios::trunc);
  for (const std::string& n : names) f << n << "\n";
  if (!f) throw std::runtime_error("cannot write " + path);
}

void Run(const Options& o) {
  LoadPalette(o.media + "/palette.txt");
  LoadFigures(o.media + "/figures.txt");
  LoadGlyphs(o.media + "/glyphs.txt");
  std::vector<std::string> members;

  fs::create_directories(o.out + "/gfx");
  std::vector<SpriteSpec> specs = LoadSpriteSpecs(o.media + "/sprites.txt");
  std::vector<Image> sprites(kSprites);
  for (const SpriteSpec& s : specs) sprites[s.number] = DrawSprite(s);
  for (int n = 0; n < kSprites; ++n) {
    std::string name = "gfx/Tobli" + std::to_string(n) + ".bmp";
    WriteBmp24(o.out + "/" + name, sprites[n]);
    members.push_back(name);
  }

  WriteBmp8(o.out + "/Smalfont.bmp", SmallFontSheet());
  WriteBmp8(o.out + "/BigFont.bmp", BigFontSheet());
  members.insert(members.end(), {"Smalfont.bmp", "BigFont.bmp"});

  Screens screens = MakeScreens(sprites);
  const std::pair<const char*, const Image*> pictures[] = {
      {"Title.bmp", &screens.title},       {"GameSelect.bmp", &screens.select},
      {"Help.bmp", &screens.help},         {"Gameover.bmp", &screens.gameover},
      {"Heading1.bmp", &screens.heading1}, {"Heading2.bmp", &screens.heading2},
      {"Heading3.bmp", &screens.heading3}};
  for (const auto& [name, img] : pictures) {
    WriteBmp24(o.out + "/" + name, *img);
    members.push_back(name);
  }

  for (const std::string& n : MakeEffects(o.media + "/sfx.txt", o.out)) members.push_back(n);
  for (const std::string& n : MakeVoices(o.media + "/voices.txt", o.out, o.espeak))
    members.push_back(n);
  std::vector<std::string> intro = MakeIntro(o.media + "/intro.txt", o.out + "/intro.txt");
  members.push_back("intro.txt");
  WriteList(o.out + "/media.list", members);

  double seconds = MakeMusic(o.media + "/tune.txt", o.out, o.lame);
  if (seconds < 60) throw std::runtime_error("the tune is shorter than a minute");
  WriteList(o.out + "/music.list", {"sound/Tobli.mp3"});

  if (!o.docs.empty()) {
    fs::create_directories(o.docs);
    WriteBmp24(o.docs + "/contact-sheet.bmp", ContactSheet(sprites));
    WriteBmp24(o.docs + "/title-screen.bmp", TitleShot(screens, intro));
    WriteBmp24(o.docs + "/select-screen.bmp", SelectShot(screens));
    WriteBmp24(o.docs + "/play-field.bmp", PlayShot(sprites));
    std::ofstream table(o.docs + "/sprite-table.md", std::ios::trunc);
    table << SpriteTable(specs);
  }
}

}  // namespace

}  // namespace mediagen

int main(int argc, char** argv) {
  mediagen::Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string key = argv[i], value = argv[i + 1];
    if (key == "--media")
      o.media = value;
    else if (key == "--out")
      o.out = value;
    else if (key == "--docs")
      o.docs = value;
    else if (key == "--espeak")
      o.espeak = value;
    else if (key == "--lame")
      o.lame = value;
    else
      o.media.clear();
  }
  if (o.media.empty() || o.out.empty()) {
    std::fprintf(stderr,
                 "usage: mediagen --media <sources> --out <dir> [--docs <dir>] "
                 "[--espeak <program>] [--lame <program>]\n");
    return 2;
  }
  try {
    mediagen::Run(o);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mediagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
