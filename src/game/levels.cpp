// Reading level files and the save slot's progress.
#include <string>

#include "core/error_log.h"

#include "game.h"
#include "level_file_create.h"

namespace {

// The editor writes start and enemy cells within 0 to 98 and level sizes up to 99; values
// beyond what the map can hold only come from damaged or hand-made files, and are brought
// into range instead of ending the game on an index error.
constexpr double kLargestStoredIndex = 99;
constexpr double kEnemySlots = 100;

double InRange(double value, double low, double high, bool& changed) {
  if (!(value >= low)) {
    changed = true;
    return low;
  }
  if (value > high) {
    changed = true;
    return high;
  }
  return value;
}

bool IsBoxStart(double code) {
  return code == 5 || code == 6 || code == 7 || code == 8;
}

}  // namespace

double GetNumFromStr(KDStr text, double i) {
  return static_cast<double>(MID_Str(text, 3 * i, 3));
}

void KeepLevelInSet() {
  DLN();
  if (DOESFILEEXIST(KDStr("levels/Level.") + level) == 0) level = 0;
}

void LoadLevel(double mode) {
  DLN();
  PRINT("Loading...", 100, 100);
  DLN();
  SHOWSCREEN();
  double m = mode == 0 ? 6 : 1;

  for (double c = 0; c <= 127; c = c + 1) {
    for (double r = 0; r <= 127; r = r + 1) {
      DLN();
      hit(c, r) = 92;
    }
  }
  maxbox = 0;
  maxene = 0;
  sweets = 0;
  for (double k = 0; k <= 3; k = k + 1) {
    DLN();
    kys(k) = 0;
  }
  file_Str = KDStr("levels/Level.") + level;

  bool outOfRange = false;
  KDStr line;
  DLN();
  GETFILE(file_Str, 0, line);
  maxx = InRange(GetNumFromStr(line, 0), 0, kLargestStoredIndex, outOfRange);
  maxy = InRange(GetNumFromStr(line, 1), 0, kLargestStoredIndex, outOfRange);
  xlevel = m + maxx + 5;
  ylevel = m + maxy + 5;
  startx = InRange(GetNumFromStr(line, 2), 0, kLargestStoredIndex, outOfRange) + m;
  starty = InRange(GetNumFromStr(line, 3), 0, kLargestStoredIndex, outOfRange) + m;
  maxene = InRange(GetNumFromStr(line, 4), 0, kEnemySlots, outOfRange);

  // Sweets are counted from the stored codes, before any box takes its cell.
  for (double r = 0; r <= maxy; r = r + 1) {
    DLN();
    GETFILE(file_Str, r + 1, line);
    for (double c = 0; c <= maxx; c = c + 1) {
      double v = GetNumFromStr(line, c);
      if (v == 14 || v == 15 || v == 16 || v == 17) sweets = sweets + 1;
      DLN();
      hit(c + m, r + m) = v;
    }
  }

  for (double e = 0; e <= maxene - 1; e = e + 1) {
    DLN();
    GETFILE(file_Str, maxy + 2 + e, line);
    DLN();
    enex(e) = InRange(GetNumFromStr(line, 0), 0, kLargestStoredIndex, outOfRange) + m;
    eney(e) = InRange(GetNumFromStr(line, 1), 0, kLargestStoredIndex, outOfRange) + m;
    enemode(e) = GetNumFromStr(line, 2);
    enespd(e) = GetNumFromStr(line, 3);
    enelook(e) = GetNumFromStr(line, 4);
  }

  DLN();
  GETFILE(file_Str, maxy + maxene + 2, hint_Str);
  if (outOfRange) {
    __AppendErrorLog((std::string("Level file out of range: ") + file_Str.GetStrData()).c_str());
  }

  if (mode == 0) {
    for (double e = 0; e <= maxene - 1; e = e + 1) {
      DLN();
      enex(e) = enex(e) * 32;
      eney(e) = eney(e) * 32;
      enemode(e) = enemode(e) * 4;
      if (enemode(e) == 4) enemode(e) = 6;
    }
    maxbox = 0;
    maxboom = 0;
    kynum = 0;
    boxmission = 0;
    enemission = 0;
    // The box table holds the first boxes of the level; box tiles beyond its room become
    // floor and the log says how many were left out.
    double leftOut = 0;
    for (double c = 0; c <= xlevel - 1; c = c + 1) {
      for (double r = 0; r <= ylevel - 1; r = r + 1) {
        DLN();
        if (IsBoxStart(hit(c, r))) {
          if (!(maxbox < BOUNDS(boxlook, 0))) {
            leftOut = leftOut + 1;
            DLN();
            hit(c, r) = 60;
            continue;
          }
          DLN();
          createbox(c, r);
          DLN();
          boxdelay(maxbox - 1) = -1;
          boxm(maxbox - 1) = 5;
        }
      }
    }
    if (leftOut > 0) {
      std::string count = std::to_string(static_cast<long long>(leftOut));
      __AppendErrorLog((std::string("Too many boxes in ") + file_Str.GetStrData() + ": " + count +
                        " left as floor")
                           .c_str());
    }
    for (double k = 0; k <= 4; k = k + 1) {
      DLN();
      kys(k) = 0;
    }
    if (maxene == 0) enemission = 1;
    fireman = saltbag = wellington = 0;
    onice = 0;
    magnet = 1;
    // PUTFILE only changes existing files; a slot played for the first time gets its file
    // here, or its progress would never be kept.
    CreateFileIfMissing(savefile_Str);
    DLN();
    PUTFILE(savefile_Str, 0, level);
    // The level reached is kept at once, not when the next file is read.
    DLN();
    __WriteTextFileNow();
  }

  DLN();
  PRINT("Done!", 100, 100);
  DLN();
  SHOWSCREEN();
}
