// The game program: start values, the sounds, and the forever loop of title, selection, game
// and editor.
#include <initializer_list>

#include "game.h"

namespace {

// Slot n of the sound table is loaded from kSoundFiles[n].
const char* const kSoundFiles[] = {
    "sound/beam.wav",      "sound/Bomb.wav",    "sound/boxmove.wav", "sound/die_monster.wav",
    "sound/dirt.wav",      "sound/door.wav",    "sound/exit.wav",    "sound/fall.wav",
    "sound/fire.wav",      "sound/gem.wav",     "sound/hint.wav",    "sound/key.wav",
    "sound/silverkey.wav", "sound/sweets.wav",  "sound/switch.wav",  "sound/water.wav",
    "sound/zoop.wav",      "voice/beam1.wav",   "voice/beam2.wav",   "voice/beam3.wav",
    "voice/beam4.wav",     "voice/enemy1.wav",  "voice/enemy2.wav",  "voice/enemy3.wav",
    "voice/enemy4.wav",    "voice/enemy5.wav",  "voice/extra1.wav",  "voice/extra2.wav",
    "voice/extra3.wav",    "voice/extra4.wav",  "voice/ice1.wav",    "voice/ice2.wav",
    "voice/ice3.wav",      "voice/fire1.wav",   "voice/fire2.wav",   "voice/sweets1.wav",
    "voice/sweets2.wav",   "voice/sweets3.wav", "voice/sweets4.wav", "voice/water1.wav",
    "voice/water2.wav",
};
static_assert(sizeof(kSoundFiles) / sizeof(kSoundFiles[0]) == 41);

void Fill(KDIntArray& array, std::initializer_list<double> values) {
  double k = 0;
  for (double value : values) {
    DLN();
    array(k) = value;
    k = k + 1;
  }
}

}  // namespace

void SetGameStartValues() {
  ALIVE = 1;
  EDITOR = 0;
  DLN();
  DIM(hit, 128, 128);
  boxmission = enemission = offsx = offsy = maxene = crrspd = crrmode = level = 0;
  plyx = plyy = 10;
  plym = 0;

  for (KDIntArray* array : {&enex, &eney, &enespd, &enemode, &enelook, &boxlook, &boxx, &boxy,
                            &boxm, &boxdelay, &bomx, &bomy}) {
    DLN();
    DIM(*array, 100);
  }
  DLN();
  DIM(beamp, 2);

  blackcolor = backani = backdelay = lowerani = 0;
  DLN();
  DIM(pingpong, 4);
  Fill(pingpong, {0, 20, 40, 20});
  ani = 0;
  DLN();
  DIM(xitflash, 4);
  Fill(xitflash, {272, 93, 273, 93});
  tobani = 120;

  DLN();
  DIM(kys, 5);
  sweets = saltbag = fireman = wellington = 0;
  magnet = 1;
  for (KDIntArray* array : {&kyshowx, &kyshowy, &kymove, &kylook}) {
    DLN();
    DIM(*array, 9);
  }
  kynum = 0;
}

void loadsfx() {
  for (int slot = 0; slot < 41; ++slot) {
    DLN();
    LOADSOUND(kSoundFiles[slot], slot, 1);
  }
}

void initlevel() {
  ALIVE = 1;
  plyx = startx * 32;
  plyy = starty * 32;
  wani = 1;
  tobani = 120;
}

void __MainGameSub_() {
  DLN();
  SETDEZEZER("media.vez", "music.vez");
  SetGameStartValues();
  DLN();
  loadsfx();
  for (;;) {
    DLN();
    PLAYMUSIC("sound/Tobli.mp3");
    DLN();
    TitleScreen();
    if (EDITOR == 0) {
      DLN();
      ChooseGame();
    }
    DLN();
    LOADFONT("smalfont.bmp", 0);
    DLN();
    BLACKSCREEN();
    DLN();
    STOPMUSIC();
    for (double n = 0; n <= 279; n = n + 1) {
      DLN();
      LOADSPRITE(KDStr("gfx/Tobli") + n + ".bmp", n);
    }
    // In editor mode the editor runs until it is left, and one game follows.
    do {
      if (EDITOR != 0) {
        DLN();
        maineditor();
      }
      DLN();
      MainGame();
    } while (EDITOR != 0);
  }
}
