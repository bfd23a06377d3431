// Writing level files: the editor's side of the level format.
#define TOBLI_SOURCE_FILE 1
#include "game.h"
#include "level_file_create.h"

KDStr GetStrFromNum_Str(double n) {
  DLN();
  if (n < 10) return KDStr("00") + n;
  if (n < 100) return KDStr("0") + n;
  return KDStr(n);
}

bool SaveLevel() {
  DLN();
  PRINT("Writing...", 100, 100);
  DLN();
  SHOWSCREEN();

  // The used area is every cell that is not void; with the editor's margin of 1 the saved
  // level keeps one void column and row at its right and bottom edge.
  maxx = 0;
  maxy = 0;
  for (double c = 0; c <= 99; c = c + 1) {
    for (double r = 0; r <= 99; r = r + 1) {
      DLN();
      if (hit(c, r) != 92) {
        if (c > maxx) maxx = c;
        if (r > maxy) maxy = r;
      }
    }
  }
  file_Str = KDStr("levels/Level.") + level;
  // PUTFILE cannot create a file: a level saved under a new number would be lost while the
  // editor reports it done.
  CreateFileIfMissing(file_Str);

  KDStr line = GetStrFromNum_Str(maxx);
  line += GetStrFromNum_Str(maxy);
  line += GetStrFromNum_Str(startx - 1);
  line += GetStrFromNum_Str(starty - 1);
  line += GetStrFromNum_Str(maxene);
  DLN();
  PUTFILE(file_Str, 0, line);

  for (double r = 0; r <= maxy; r = r + 1) {
    line = "";
    for (double c = 0; c <= maxx; c = c + 1) {
      DLN();
      line += GetStrFromNum_Str(hit(c + 1, r + 1));
    }
    DLN();
    PUTFILE(file_Str, r + 1, line);
  }

  for (double e = 0; e <= maxene - 1; e = e + 1) {
    DLN();
    line = GetStrFromNum_Str(enex(e) - 1);
    line += GetStrFromNum_Str(eney(e) - 1);
    line += GetStrFromNum_Str(enemode(e));
    line += GetStrFromNum_Str(enespd(e));
    line += GetStrFromNum_Str(enelook(e));
    DLN();
    PUTFILE(file_Str, maxy + 2 + e, line);
  }

  DLN();
  PUTFILE(file_Str, maxene + maxy + 2, hint_Str);
  // "Done" only once the level is on disk: a crash or a killed program must not lose it.
  DLN();
  const bool written = __WriteTextFileNow();
  PRINT(written ? "Done" : "Not written!", 100, 100);
  DLN();
  SHOWSCREEN();
  return written;
}
