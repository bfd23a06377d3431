// The screens before a game (title, intro text, slot selection) and the game's small text and
// voice routines.
#include "box_text.h"
#include "game.h"
#include "key_release.h"

namespace {

constexpr double kKeyE = 18;
constexpr double kKeySpace = 57;
constexpr double kKeyEnter = 28;
constexpr double kKeyUp = 200;
constexpr double kKeyDown = 208;

struct Slot {
  const char* label;
  double x;
  double y;
  const char* saveFile;
};
const Slot kSlots[3] = {
    {"A", 347, 234, "levels/Level.01"},
    {"B", 450, 279, "levels/Level.02"},
    {"C", 360, 286, "levels/Level.03"},
};

void DrawHeadings() {
  DLN();
  SPRITE(2, 200, 20);
  DLN();
  SPRITE(1, 280, 50);
  DLN();
  SPRITE(0, 64, 50);
}

}  // namespace

void TitleScreen() {
  DLN();
  LOADBMP("Title.bmp");
  DLN();
  LOADFONT("BigFont.bmp", 0);
  DLN();
  LOADSPRITE("Heading1.bmp", 0);
  DLN();
  LOADSPRITE("Heading2.bmp", 1);
  DLN();
  LOADSPRITE("Heading3.bmp", 2);

  for (double hx = -256; hx <= 64; hx = hx + 8) {
    DLN();
    SPRITE(0, hx, 50);
    DLN();
    SHOWSCREEN();
  }
  for (double hx = 640; hx >= 280; hx = hx - 8) {
    DLN();
    SPRITE(1, hx, 50);
    DLN();
    SPRITE(0, 64, 50);
    DLN();
    SHOWSCREEN();
  }
  for (double hy = 480; hy >= 24; hy = hy - 8) {
    DLN();
    SPRITE(2, 200, hy);
    DLN();
    SPRITE(1, 280, 50);
    DLN();
    SPRITE(0, 64, 50);
    DLN();
    SHOWSCREEN();
  }
  DLN();
  WideScroller("intro.txt");
}

double WideScroller(KDStr file) {
  KDStrArray lines;
  DLN();
  DIM(lines, 256);
  double fw = 0;
  double fh = 0;
  DLN();
  GETFONTSIZE(fw, fh);
  double lh = fh * 1.2;

  double n = 0;
  KDStr text;
  for (i = 0; i <= 255; i = i + 1) {
    DLN();
    GETFILE(file, i, text);
    if (text == "NO_FILE") return 0;
    // A missing or empty line ends the text.
    if (text == "NO_DATA") break;
    DLN();
    lines(n) = text;
    n = n + 1;
  }

  for (;;) {
    zt = 480;
    while (zt >= -n * lh) {
      for (double k = 0; k <= n - 1; k = k + 1) {
        double ly = k * lh + zt;
        if (-20 < ly && ly < 480) {
          DLN();
          PRINT(lines(k), (640 - LEN(lines(k)) * fw) * 0.5, ly);
        }
      }
      DrawHeadings();
      DLN();
      if (KEY(kKeyE) != 0) {
        EDITOR = 1;
        return 1;
      }
      DLN();
      if (KEY(kKeySpace) != 0 || KEY(kKeyEnter) != 0) return 1;
      DLN();
      SHOWSCREEN();
      zt = zt - 0.4;
    }
  }
}

void ChooseGame() {
  double s = 0;
  double a = 0;
  DLN();
  LOADFONT("BigFont.bmp", 0);
  DLN();
  BLENDSCREEN("GameSelect.bmp");
  for (;;) {
    a_Str = "a";
    b_Str = "b";
    c_Str = "c";
    DLN();
    if (KEY(kKeyDown) != 0) s = s + 1;
    DLN();
    if (KEY(kKeyUp) != 0) s = s - 1;
    if (s < 0) s = 0;
    if (s > 2) s = 2;

    const Slot& slot = kSlots[static_cast<int>(s)];
    KDStr* labels[3] = {&a_Str, &b_Str, &c_Str};
    *labels[static_cast<int>(s)] = slot.label;
    savefile_Str = slot.saveFile;

    DLN();
    PRINT("Game:", 339, 167);
    for (int k = 0; k < 3; ++k) {
      DLN();
      PRINT(*labels[k], kSlots[k].x, kSlots[k].y);
    }
    for (num = 0; num <= 7; num = num + 1) {
      DLN();
      PRINT("*", slot.x + 50 * SIN(num * 45 + a), slot.y + 50 * COS(num * 45 + a));
    }
    a = MOD(a + 2, 360);

    // One press moves the selection by exactly one slot: nothing goes on until both arrow
    // keys are up again.
    do {
      DLN();
      while (KEY(kKeyDown) != 0) DLN();
      DLN();
    } while (KEY(kKeyUp) != 0);

    DLN();
    if (KEY(kKeySpace) != 0 || KEY(kKeyEnter) != 0) {
      // The game that follows reads Enter as its end and Space as a restart: the key that
      // confirmed the slot must be up before it starts.
      DLN();
      WaitForKeysUp({kKeySpace, kKeyEnter});
      return;
    }
    DLN();
    SHOWSCREEN();
  }
}

std::vector<PlacedWord> LayOutBoxText(KDStr text, double x, double y, double width) {
  std::vector<PlacedWord> placed;
  KDStr rest = text + " ";
  KDStr word = "";
  double cx = x;
  double cy = y;
  double length = LEN(rest);
  for (double p = 0; p <= length - 1; p = p + 1) {
    KDStr character = MID_Str(rest, p, 1);
    word += character;
    // A blank completes a word, which keeps its blank.
    if (character == " ") {
      if ((LEN(word) - 1) * 17 + (cx - x) > width) {
        cx = x;
        cy = cy + 25;
      }
      placed.push_back({word, cx, cy});
      cx = cx + LEN(word) * 17;
      word = "";
    }
  }
  return placed;
}

void BOXPRINT(KDStr text, double x, double y, double width) {
  for (const PlacedWord& placed : LayOutBoxText(text, x, y, width)) {
    DLN();
    PRINT(placed.word, placed.x, placed.y);
  }
}

void talk(KDStr code) {
  voicedelay = voicedelay + 1;
  DLN();
  if (code == "x") PLAYSOUND(26 + RND(3), 0, 1);
  DLN();
  if (code == "e") PLAYSOUND(21 + RND(4), 0, 1);
  if (voicedelay > 20) {
    voicedelay = 0;
    DLN();
    if (code == "b") PLAYSOUND(17 + RND(3), 0, 1);
    if (code == "f") PLAYSOUND(33 + RND(1), 0, 1);
    if (code == "i") PLAYSOUND(30 + RND(2), 0, 1);
    if (code == "s") PLAYSOUND(35 + RND(3), 0, 1);
    if (code == "w") PLAYSOUND(39 + RND(1), 0, 1);
  }
}
