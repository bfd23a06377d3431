// The game loop: one pass per frame draws the play field, reads the command keys, moves the
// player from tile to tile and applies what the tiles do.
#include <utility>

#include "box_table.h"
#include "game.h"
#include "key_release.h"
#include "pass_observer.h"
#include "pickup_list.h"
#include "whole.h"

namespace {

using tobli::game::Whole;

constexpr double kKeyEnter = 28;
// Frames the Game Over picture is held after its fade: two seconds at the frame cap.
constexpr double kGameOverFrames = 120;
constexpr double kKeyQ = 16;
constexpr double kKeySpace = 57;
constexpr double kKeyP = 25;
constexpr double kKeyE = 18;
constexpr double kKeyF1 = 59;
constexpr double kKeyUp = 200;
constexpr double kKeyLeft = 203;
constexpr double kKeyRight = 205;
constexpr double kKeyDown = 208;
// The sprite slot that holds the play field while the game is paused; the game's pictures
// take slots 0 to 279 and the fonts the slots from 4079 up.
constexpr double kPausedFieldSprite = 4078;

std::function<void(tobli::game::PassPoint)> gObserver;

void Notify(tobli::game::PassPoint point) {
  if (gObserver) gObserver(point);
}

// Counts 0, 1, 2, 3, 0, ...
double NextPhase(double phase) {
  return phase >= 3 ? 0 : phase + 1;
}

// The figure's walking phase and the four-phase counter; they stand still while carried.
void Animate() {
  if (onice == 0) {
    delay = delay + 1;
    if (delay > 15) {
      ani = NextPhase(ani);
      delay = 0;
      wani = NextPhase(wani);
    }
  }
  if (delay == 8) wani = NextPhase(wani);
  if (plym == 0) {
    wani = 1;
    tobani = 120;
  }
  if (onice != 0) wani = 1;
}

// The key that ends the help or the pause is not also a command of the next pass.
void WaitForCommandKeysUp() {
  WaitForKeysUp({kKeyEnter, kKeyQ, kKeySpace, kKeyP, kKeyE, kKeyF1});
}

// The help picture over a copy of the play field, until a key is pressed.
void ShowHelp() {
  DLN();
  displaygame();
  DLN();
  SAVEBMP("temp.bmp");
  DLN();
  BLENDSCREEN("Help.bmp");
  DLN();
  KEYWAIT();
  DLN();
  WaitForCommandKeysUp();
  DLN();
  BLENDSCREEN("temp.bmp");
  DLN();
  BLACKSCREEN();
}

enum class CommandOutcome { kGoOn, kRestart, kLeave };

// Each command key is tested in turn within the same pass.
CommandOutcome ReadCommandKeys() {
  Notify(tobli::game::PassPoint::kCommandKeys);
  DLN();
  if (KEY(kKeyEnter) != 0) {
    gameon = 0;
    ALIVE = 0;
  }
  DLN();
  if (KEY(kKeyQ) != 0) {
    DLN();
    deadplayer("F");
  }
  DLN();
  if (KEY(kKeySpace) != 0) return CommandOutcome::kRestart;
  DLN();
  if (KEY(kKeyP) != 0) {
    DLN();
    pausegame();
  }
  DLN();
  if (KEY(kKeyE) != 0 && EDITOR != 0) return CommandOutcome::kLeave;
  DLN();
  if (KEY(kKeyF1) != 0) ShowHelp();
  return CommandOutcome::kGoOn;
}

// Standing on a tile: right wins over left, down over up, a horizontal key over a vertical one.
void ReadArrowKeys() {
  dx = dy = 0;
  plym = 0;
  onice = 0;
  Notify(tobli::game::PassPoint::kArrowKeys);
  DLN();
  if (KEY(kKeyLeft) != 0) plym = 2;
  DLN();
  if (KEY(kKeyRight) != 0) plym = 1;
  if (plym == 0) {
    DLN();
    if (KEY(kKeyUp) != 0) plym = 4;
    DLN();
    if (KEY(kKeyDown) != 0) plym = 3;
  }
}

void SetDirection() {
  if (plym == 1) {
    dx = 1;
    dy = 0;
    tobani = 122;
  } else if (plym == 2) {
    dx = -1;
    dy = 0;
    tobani = 123;
  } else if (plym == 3) {
    dx = 0;
    dy = 1;
    tobani = 120;
  } else if (plym == 4) {
    dx = 0;
    dy = -1;
    tobani = 121;
  }
}

bool Blocks(double tile) {
  if (tile >= 73 && tile <= 79) return true;
  if (tile == 101 || tile == 102) return true;
  if (tile >= 87 && tile <= 91) {
    DLN();
    return kys(tile - 87) == 0;
  }
  return false;
}

// At a tile with a direction wanted: decides whether the next step may start.
void StartStep() {
  DLN();
  if (hit(x, y) == 65 && magnet != 0) plym = 0;
  SetDirection();
  double ax = x + dx;
  double ay = y + dy;
  DLN();
  h = hit(ax, ay);
  happened = 1;
  if (Blocks(h)) happened = 0;
  if (maxbox > 0) {
    for (double b = 0; b <= maxbox - 1; b = b + 1) {
      DLN();
      if (boxm(b) == 5 && boxx(b) == ax && boxy(b) == ay) {
        DLN();
        boxm(b) = plym;
        DLN();
        happened = pushbox(ax, ay);
      }
    }
  }
  if (h == 61 && !tobli::game::BoxTableHasRoom()) {
    // A crate moves as an entry of the box table; while the table is full it stays a tile and
    // blocks the step.
    happened = 0;
  } else if (h == 61) {
    DLN();
    createbox(ax, ay);
    DLN();
    if (pushbox(ax, ay) == 0) {
      DLN();
      killbox(maxbox - 1);
      happened = 0;
      DLN();
      hit(ax, ay) = 61;
    } else {
      DLN();
      PLAYSOUND(2, 0, 1);
    }
  }
  if (happened == 0) dx = dy = 0;
  if (happened != 0) {
    // The tile being left decays by exactly one stage.
    DLN();
    double left = hit(x, y);
    double decayed = left == 49 ? 92 : left == 29 ? 49 : left == 9 ? 29 : left;
    DLN();
    hit(x, y) = decayed;
  }
}

// Steps 4 to 8 of a pass: at a tile the tile reached is applied and the next step chosen;
// between tiles the figure walks on.
void MovePlayer() {
  moving = MOD(plyx, 32) + MOD(plyy, 32);
  if (moving == 0) {
    DLN();
    magnet = magnetcheck();
    if (happened != 0) {
      DLN();
      happened = getkey();
    }
    if (happened == 0) ReadArrowKeys();
  }
  x = Whole(plyx * 0.03125);
  y = Whole(plyy * 0.03125);
  DLN();
  if (hit(x, y) == 101 || hit(x, y) == 102) {
    const bool wasAlive = ALIVE != 0;
    DLN();
    deadplayer("S");
    if (wasAlive) {
      // Back on the start tile the player stands: the step chosen at the tile of the death
      // is not made from there (it was checked against another tile, and the death fade's
      // drawing has used y as its row).
      x = Whole(plyx * 0.03125);
      y = Whole(plyy * 0.03125);
      dx = dy = 0;
      plym = 0;
      onice = 0;
      happened = 0;
    }
  }
  if (plym != 0) {
    if (moving == 0) StartStep();
    plyx = plyx + 2 * dx;
    plyy = plyy + 2 * dy;
  }
}

// Once all enemies are gone the silver key is given, once per level.
void RewardEnemyMission() {
  if (maxene != 0 || enemission != 0) return;
  enemission = 1;
  DLN();
  kys(4) = kys(4) + 1;
  AddPickup(14, x, y);
  DLN();
  PLAYSOUND(12, 0, 1);
}

void ShowHint() {
  DLN();
  if (hit(x, y) != 109) return;
  DLN();
  ALPHAMODE(-0.5);
  DLN();
  STRETCHSPRITE(109, 100, 116, 440, 220);
  DLN();
  ALPHAMODE(0);
  DLN();
  BOXPRINT(hint_Str, 100, 116, 440);
}

}  // namespace

namespace tobli::game {

void SetPassObserver(std::function<void(PassPoint)> observer) {
  gObserver = std::move(observer);
}

}  // namespace tobli::game

void MainGame() {
  // A game without a save slot (the editor's test game) plays the level number it is given.
  if (savefile_Str != "") {
    DLN();
    GETFILE(savefile_Str, 0, level);
    KeepLevelInSet();
  }
  if (level < 0) level = 0;
  drawing = 1;
  gameon = 1;
  delay = 0;
  happened = 0;

  bool restart = true;
  while (restart) {
    restart = false;
    DLN();
    LoadLevel(0);
    DLN();
    initlevel();
    while (gameon != 0) {
      DLN();
      Animate();
      DLN();
      displaygame();
      CommandOutcome command = ReadCommandKeys();
      if (command == CommandOutcome::kLeave) return;
      if (command == CommandOutcome::kRestart) {
        restart = true;
        break;
      }
      MovePlayer();
      if (MOD(backdelay, 5) == 0 && maxboom > 0) {
        DLN();
        showboom();
      }
      RewardEnemyMission();
      ShowHint();
      Notify(tobli::game::PassPoint::kPassEnd);
      DLN();
      SHOWSCREEN();
    }
  }
  DLN();
  BLENDSCREEN("Gameover.bmp");
  // The picture stays for a moment, or until a key is typed, before the title takes over.
  // A character typed before it was up (the Enter that ended the game) does not cut it short.
  DLN();
  INKEY_Str();
  for (double frame = 0; frame < kGameOverFrames; frame = frame + 1) {
    DLN();
    SHOWSCREEN();
    if (INKEY_Str() != "") break;
  }
  // The key that cut the picture short is let go before whatever comes next reads its keys.
  DLN();
  WaitForCommandKeysUp();
}

void pausegame() {
  // The play field of this pass is kept as a picture for the frame after the pause: drawing
  // it anew would run the box and enemy passes and the clocks once more, so the world would
  // move on by a frame with every pause.
  DLN();
  GRABSPRITE(kPausedFieldSprite, 0, 0, 640, 480);
  DLN();
  PRINT("Pause", 300, 200);
  // The word is shown for as long as the game waits.
  DLN();
  SHOWSCREEN();
  // P types a character of its own: the wait is for a fresh press once it is up.
  DLN();
  WaitForKeysUp({kKeyP});
  DLN();
  KEYWAIT();
  DLN();
  WaitForCommandKeysUp();
  // The pass goes on in a new frame: the play field as it was goes back into it.
  DLN();
  SPRITE(kPausedFieldSprite, 0, 0);
}
