// Waiting for the play field and player control: the least that lets a game start, show
// itself and end with Enter, so that the title, the selection and the editor can be used.
#include "game.h"

void MainGame() {
  DLN();
  GETFILE(savefile_Str, 0, level);
  if (level < 0) level = 0;
  drawing = 1;
  gameon = 1;
  delay = 0;
  happened = 0;
  DLN();
  LoadLevel(0);
  initlevel();
  while (gameon != 0) {
    DLN();
    displaygame();
    DLN();
    if (KEY(28) != 0) {
      gameon = 0;
      ALIVE = 0;
    }
    DLN();
    if (KEY(18) != 0 && EDITOR != 0) return;
    DLN();
    SHOWSCREEN();
  }
}

double getkey() {
  return 0;
}

void pausegame() {
  DLN();
  PRINT("Pause", 300, 200);
  DLN();
  KEYWAIT();
}

void displaygame() {
  DLN();
  PRINT(KDStr("Level ") + level, 100, 100);
}
