// The editor's loop: one pass a frame draws the tile window and then reads the mouse and the
// keys, in a fixed order.
#define TOBLI_SOURCE_FILE 1
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "editor_parts.h"
#include "game.h"
#include "key_release.h"

namespace {

constexpr double kKeyEnter = 28;
constexpr double kKeyEsc = 1;
constexpr double kKeyLeftAlt = 56;
constexpr double kKeyT = 20;
constexpr double kKeyUp = 200;
constexpr double kKeyDown = 208;
constexpr double kKeyLeft = 203;
constexpr double kKeyRight = 205;
constexpr double kKeyPadPlus = 78;
constexpr double kKeyPadMinus = 74;
constexpr double kKeyH = 35;
constexpr double kKeyS = 31;
constexpr double kKeyL = 38;
constexpr double kKeyC = 46;
constexpr double kKeySpace = 57;
constexpr double kKeyM = 50;
constexpr double kKeyDelete = 211;
constexpr double kKeyBackspace = 14;
constexpr double kKeyF1 = 59;
constexpr double kKeyZ = 44;
constexpr double kKeyY = 21;
// 4, 5, 6 on the main keyboard choose speed 0, 1, 2.
constexpr double kKeySpeed0 = 5;
// F4 chooses mode 4 (chasing), F5 to F8 modes 0 to 3.
constexpr double kKeyF4 = 62;
constexpr double kKeyF5 = 63;

// Scrolling keeps the window within the map: its top-left cell is at most (80, 85).
constexpr double kLastOffsX = 80;
constexpr double kLastOffsY = 85;
constexpr double kLastLevel = 100;

// The first tools place things rather than paint: the start tile, then seven enemy looks.
constexpr double kStartTool = 60;
constexpr double kFirstEnemyTool = 61;
constexpr double kLastEnemyTool = 67;
constexpr double kEnemyLooks[] = {1, 2, 3, 4, 15, 16, 17};
// The picture of the hint tile, stretched under the editor's question.
constexpr double kSpriteHintBox = 109;

// What the level file holds once saved: the map, the start, the enemies and the hint. Taken
// whenever the level is loaded or saved; a difference means edits that leaving would lose.
struct LevelState {
  std::vector<double> cells;
  std::vector<double> enemies;
  double startX = 0;
  double startY = 0;
  KDStr hint;

  bool operator==(const LevelState&) const = default;
};

// Edits that can be taken back: the level as it was before each of the last ones.
constexpr size_t kUndoSteps = 100;

LevelState LevelNow() {
  LevelState state;
  state.cells.assign(hit.pData, hit.pData + (hit.pData != nullptr ? hit.nCount : 0));
  for (double e = 0; e < maxene; e = e + 1) {
    for (KDIntArray* table : {&enex, &eney, &enespd, &enemode, &enelook}) {
      state.enemies.push_back((*table)(e));
    }
  }
  state.startX = startx;
  state.startY = starty;
  state.hint = hint_Str;
  return state;
}

// Puts the level back as it was: the map, the start, the enemies and the hint.
void RestoreLevel(const LevelState& state) {
  if (hit.pData != nullptr && state.cells.size() == static_cast<size_t>(hit.nCount)) {
    std::copy(state.cells.begin(), state.cells.end(), hit.pData);
  }
  maxene = static_cast<double>(state.enemies.size() / 5);
  size_t i = 0;
  for (double e = 0; e < maxene; e = e + 1) {
    for (KDIntArray* table : {&enex, &eney, &enespd, &enemode, &enelook}) {
      DLN();
      (*table)(e) = state.enemies[i++];
    }
  }
  for (double e = maxene; e <= kEnemySlots - 1; e = e + 1) {
    DLN();
    enelook(e) = 0;
  }
  startx = state.startX;
  starty = state.startY;
  hint_Str = state.hint;
}

// While the editor runs, quitting (Esc, left Alt + F4, closing the window) over edits not
// saved only marks that the user asked; the editor's loop then asks the question. While that
// question is up, the same keys quit.
const LevelState* gSavedLevel = nullptr;
bool gQuitAsked = false;
bool gAskingToQuit = false;

bool HoldQuitOverEdits() {
  if (gSavedLevel == nullptr || gAskingToQuit || LevelNow() == *gSavedLevel) return true;
  gQuitAsked = true;
  return false;
}

// Sets the quit guard for as long as the editor runs, however it ends (a return, or the
// program's end unwinding a headless run), and leaves no question state behind.
class QuitGuardScope {
 public:
  explicit QuitGuardScope(const LevelState& saved) {
    Clear();
    gSavedLevel = &saved;
    __SetQuitGuard(HoldQuitOverEdits);
  }
  ~QuitGuardScope() {
    __SetQuitGuard(nullptr);
    Clear();
  }
  QuitGuardScope(const QuitGuardScope&) = delete;
  QuitGuardScope& operator=(const QuitGuardScope&) = delete;

 private:
  static void Clear() {
    gSavedLevel = nullptr;
    gQuitAsked = false;
    gAskingToQuit = false;
  }
};

struct Session {
  double tool = 1;
  bool dragging = false;
  double anchorX = 0;
  double anchorY = 0;
  bool shaping = false;
  // The cursor cell in the window (column 0 to 19, row 0 to 14).
  double cx = 0;
  double cy = 0;
  // Set while the Enter that ended a hint edit is still down: it must not also leave.
  bool enterFromHint = false;
  // The level as last loaded or saved.
  LevelState saved;
  // The level before each edit that can be taken back, the latest last, and the edits taken
  // back, the latest last. Another level number starts both afresh.
  std::vector<LevelState> undo;
  std::vector<LevelState> redo;
  bool levelChanged = false;
  // Walls painted in a pass are shaped in the next one: the two make one edit.
  bool painted = false;
  std::optional<LevelState> beforePaint;
  // Z and Y act once a press.
  bool undoKeyDown = false;
};

void ClearMap(double last) {
  for (double c = 0; c <= last; c = c + 1) {
    for (double r = 0; r <= last; r = r + 1) {
      DLN();
      hit(c, r) = 92;
    }
  }
  for (double e = 0; e <= kEnemySlots - 1; e = e + 1) {
    DLN();
    enelook(e) = 0;
  }
}

// The second line tells the level, whether it has edits not saved, and where the keys are.
void DrawPass(bool unsaved) {
  DLN();
  seescreen(offsx, offsy);
  DLN();
  showsprites();
  DLN();
  MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
  DLN();
  SPRITE(kSpritePointer, mousex, mousey);
  DLN();
  PRINT("Tobli II - Level Editor", 0, 0);
  DLN();
  PRINT(KDStr("Level:") + level, 0, 20);
  if (unsaved) PRINT("not saved", 160, 20);
  PRINT("F1: keys", 352, 20);
  if (crrmode < 4) {
    DLN();
    SPRITE(crrmode + kSpriteModeMarker, 520, 0);
  }
  if (crrmode == 4) {
    DLN();
    SPRITE(kSpriteChaseMarker, 520, 0);
  }
  DLN();
  SPRITE(crrspd + kSpriteSpeedMarker, 560, 9);
  DLN();
  SHOWSCREEN();
}

void FindCursorCell(Session& s) {
  s.cx = Whole(mousex / 32);
  if (s.cx > 19) s.cx = 19;
  s.cy = Whole(mousey / 32);
  if (s.cy > 14) s.cy = 14;
  if (s.cx + offsx < 1) s.cx = 1;
  if (s.cy + offsy < 1) s.cy = 1;
}

// The current tool acts on the cell where the button was let go.
void UseTool(Session& s) {
  double cellX = s.cx + offsx;
  double cellY = s.cy + offsy;
  if (s.tool < kStartTool) {
    DLN();
    drawrange(s.anchorX, s.anchorY, cellX, cellY, s.tool);
    s.shaping = true;
    s.painted = true;
  } else if (s.tool == kStartTool) {
    startx = cellX;
    starty = cellY;
  } else if (s.tool >= kFirstEnemyTool && s.tool <= kLastEnemyTool) {
    DLN();
    addene(cellX, cellY, kEnemyLooks[static_cast<int>(s.tool - kFirstEnemyTool)]);
  }
}

void ReadMouse(Session& s) {
  if (mouseb1 != 0 && !s.dragging) {
    s.anchorX = s.cx + offsx;
    s.anchorY = s.cy + offsy;
    s.dragging = true;
  }
  if (mouseb1 == 0 && s.shaping) {
    DLN();
    drawcorners();
  }
  if (mouseb1 == 0 && s.dragging) {
    s.dragging = false;
    UseTool(s);
  }
  if (mouseb2 != 0) {
    DLN();
    const double chosen = tileselect();
    if (chosen >= 0) s.tool = chosen;
  }
}

void Scroll() {
  if (mousey == 0 && offsy > 0) offsy = offsy - 1;
  if (mousey > 478 && offsy < kLastOffsY) offsy = offsy + 1;
  if (mousex == 0 && offsx > 0) offsx = offsx - 1;
  if (mousex > 638 && offsx < kLastOffsX) offsx = offsx + 1;
  DLN();
  if (KEY(kKeyUp) != 0 && offsy > 0) offsy = offsy - 1;
  DLN();
  if (KEY(kKeyDown) != 0 && offsy < kLastOffsY) offsy = offsy + 1;
  DLN();
  if (KEY(kKeyLeft) != 0 && offsx > 0) offsx = offsx - 1;
  DLN();
  if (KEY(kKeyRight) != 0 && offsx < kLastOffsX) offsx = offsx + 1;
}

// The keys that may end a wait of the editor and must come up before its loop reads keys.
void WaitForCommandKeysUp() {
  WaitForKeysUp({kKeyEnter, kKeyT, kKeyH, kKeyS, kKeyL, kKeyC, kKeySpace, kKeyM, kKeyBackspace,
                 kKeyDelete, kKeySpeed0, kKeySpeed0 + 1, kKeySpeed0 + 2, kKeyPadPlus, kKeyPadMinus,
                 kKeyF1, kKeyZ, kKeyY});
}

// The tile window with a see-through box over it, as a hint stands in the game.
void DrawBoxOverWindow(double x, double y, double width, double height) {
  DLN();
  seescreen(offsx, offsy);
  DLN();
  showsprites();
  DLN();
  ALPHAMODE(-0.5);
  DLN();
  STRETCHSPRITE(kSpriteHintBox, x, y, width, height);
  DLN();
  ALPHAMODE(0);
}

void DrawQuestion() {
  DrawBoxOverWindow(100, 116, 440, 130);
  PRINT("Not saved!", 120, 130);
  PRINT("S: save and go on", 120, 160);
  PRINT("Same key: drop the edits", 120, 185);
  PRINT("Other key: stay", 120, 210);
}

// The editor's keys, in a box over the tile window, until a key or a button is pressed.
void ShowKeys() {
  static const char* const kLines[] = {
      "Left button    paint, place",  "Right button   palette",
      "Arrows, edges  scroll",        "M              map overview",
      "Keypad + -     level number",  "S  L           save, load again",
      "T              save and test", "H              edit the hint",
      "Del            remove enemy",  "F5-F8, F4      enemy mode",
      "4 5 6          enemy speed",   "Z  Y           undo, redo",
      "C + Space      clear all",     "Enter          leave",
  };
  WaitForKeysUp({kKeyF1});
  DLN();
  INKEY_Str();  // F1 types nothing, but a key pressed with it might
  for (;;) {
    DrawBoxOverWindow(40, 40, 560, 400);
    double y = 60;
    for (const char* line : kLines) {
      PRINT(line, 72, y);
      y = y + 25;
    }
    DLN();
    SHOWSCREEN();
    if (gQuitAsked) break;
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
    if (mouseb1 != 0 || mouseb2 != 0) break;
    DLN();
    if (INKEY_Str() != "") break;
  }
  // Neither the key nor the button that closed the box acts again.
  WaitForCommandKeysUp();
  while (mouseb1 != 0 || mouseb2 != 0) {
    DLN();
    SHOWSCREEN();
    if (gQuitAsked) break;
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
  }
}

// Leaving the level (for another number, or out of the editor) with edits that are not saved
// asks first: S saves them and goes on, the same key again goes on without them, any other key
// that types stays. A quit asked while the question is up (Esc, Alt + F4, closing the window)
// counts as "stay" and is asked about next; at the quit's own question it ends the program.
bool MayLeaveLevel(Session& s, double key) {
  if (LevelNow() == s.saved) return true;
  gAskingToQuit = key == kKeyEsc;
  WaitForKeysUp({key});
  DLN();
  INKEY_Str();  // the asking key's own character is no answer
  bool save = false;
  bool again = false;
  for (;;) {
    DrawQuestion();
    DLN();
    SHOWSCREEN();
    if (gQuitAsked) break;
    DLN();
    if (INKEY_Str() == "") continue;
    save = KEY(kKeyS) != 0;
    again = KEY(key) != 0;
    break;
  }
  gAskingToQuit = false;
  WaitForCommandKeysUp();
  if (save) {
    // A level that could not be written keeps the editor on it, edits and all.
    DLN();
    if (!SaveLevel()) return false;
    s.saved = LevelNow();
    return true;
  }
  return again;
}

// Once walls have been painted, every pass shapes the walls of the map. A level loaded or an
// edit taken back is shaped at once instead: shaping it in the next pass would look like an
// edit of its own, which would ask on leaving a level nobody touched and end the way forward.
void ShapeWalls(const Session& s) {
  if (!s.shaping) return;
  DLN();
  drawcorners();
}

// One level number up or down; the next number needs a fresh press.
void StepLevel(Session& s, double key, double step) {
  if (!MayLeaveLevel(s, key)) return;
  level = level + step;
  DLN();
  LoadLevel(1);
  ShapeWalls(s);
  s.saved = LevelNow();
  s.levelChanged = true;
  DLN();
  while (KEY(key) != 0) {
    DLN();
    SHOWSCREEN();
  }
}

// "Done" stays until a fresh key is pressed: the key that asked for it (S or L, which type
// characters of their own) must come up first. The key that ends the wait is then let go
// before the loop reads its keys again, so that Enter does not also leave the editor, nor T
// start a test game.
void WaitForKeyPress(double key) {
  DLN();
  WaitForKeysUp({key});
  DLN();
  KEYWAIT();
  DLN();
  WaitForCommandKeysUp();
}

void EditHint(Session& s) {
  // The H that opened the editor line still gives its character: it is taken here so that
  // it does not land in the hint.
  DLN();
  INKEY_Str();
  DLN();
  INPUT(hint_Str, 0, 0);
  s.enterFromHint = true;
}

void ReadKeys(Session& s) {
  DLN();
  if (KEY(kKeyPadPlus) != 0 && level < kLastLevel) StepLevel(s, kKeyPadPlus, 1);
  DLN();
  if (KEY(kKeyPadMinus) != 0 && level > 0) StepLevel(s, kKeyPadMinus, -1);
  DLN();
  if (KEY(kKeyF1) != 0) ShowKeys();
  DLN();
  if (KEY(kKeyH) != 0) EditHint(s);
  DLN();
  if (KEY(kKeyS) != 0) {
    // What could not be written stays "not saved", and leaving still asks.
    DLN();
    if (SaveLevel()) s.saved = LevelNow();
    WaitForKeyPress(kKeyS);
  }
  DLN();
  if (KEY(kKeyL) != 0) {
    DLN();
    LoadLevel(1);
    ShapeWalls(s);
    s.saved = LevelNow();
    WaitForKeyPress(kKeyL);
  }
  DLN();
  if (KEY(kKeyC) != 0 && KEY(kKeySpace) != 0) {
    // The start tile and the hint stay.
    maxene = 0;
    ClearMap(99);
  }
  for (double k = 0; k <= 2; k = k + 1) {
    DLN();
    if (KEY(kKeySpeed0 + k) != 0) crrspd = k;
  }
  DLN();
  if (KEY(kKeyF4) != 0) crrmode = 4;
  for (double k = 0; k <= 3; k = k + 1) {
    DLN();
    if (KEY(kKeyF5 + k) != 0) crrmode = k;
  }
  DLN();
  if (KEY(kKeyDelete) != 0 || KEY(kKeyBackspace) != 0) {
    DLN();
    delene(s.cx + offsx, s.cy + offsy);
  }
  DLN();
  if (KEY(kKeyM) != 0) {
    DLN();
    EditorOverview();
  }
}

// A pass that changed the level (painting, placing, removing, clearing, the hint, loading it
// again) leaves what it changed to be taken back.
void RecordEdit(Session& s, LevelState before) {
  if (s.levelChanged) {
    s.levelChanged = false;
    s.painted = false;
    s.beforePaint.reset();
    s.undo.clear();
    s.redo.clear();
    return;
  }
  if (s.beforePaint) {
    before = std::move(*s.beforePaint);
    s.beforePaint.reset();
  }
  if (s.painted) {
    s.painted = false;
    s.beforePaint = std::move(before);
    return;
  }
  if (LevelNow() == before) return;
  if (s.undo.size() == kUndoSteps) s.undo.erase(s.undo.begin());
  s.undo.push_back(std::move(before));
  s.redo.clear();
}

// Z takes the last edit back, Y makes it again (with Ctrl or without).
void ReadUndoKeys(Session& s) {
  DLN();
  const bool undoKey = KEY(kKeyZ) != 0;
  DLN();
  const bool redoKey = KEY(kKeyY) != 0;
  if (!undoKey && !redoKey) {
    s.undoKeyDown = false;
    return;
  }
  // A paint still waiting for its walls to be shaped is taken back whole, in the next pass.
  if (s.undoKeyDown || s.beforePaint) return;
  s.undoKeyDown = true;
  std::vector<LevelState>& from = undoKey ? s.undo : s.redo;
  std::vector<LevelState>& to = undoKey ? s.redo : s.undo;
  if (from.empty()) return;
  to.push_back(LevelNow());
  RestoreLevel(from.back());
  ShapeWalls(s);
  from.pop_back();
}

// Saves the level, plays it and takes it up again; false (and no game) when the level could not
// be written. The test game has no save slot: it starts on the level being edited, and a slot
// chosen earlier keeps the progress of its own games. The game scrolls offsx and offsy in
// pixels; the editor's window, in tiles, comes back where it was.
bool TestGame() {
  double windowX = offsx;
  double windowY = offsy;
  double edited = level;
  KDStr slot = savefile_Str;
  // A level that could not be written is not tried out: the game would play the old file.
  DLN();
  if (!SaveLevel()) {
    WaitForKeyPress(kKeyT);
    return false;
  }
  // The level is on disk: nothing to hold a quit back for while the game runs.
  __SetQuitGuard(nullptr);
  savefile_Str = "";
  DLN();
  MainGame();
  savefile_Str = slot;
  level = edited;
  DLN();
  LoadLevel(1);
  offsx = windowX;
  offsy = windowY;
  __SetQuitGuard(HoldQuitOverEdits);
  return true;
}

}  // namespace

bool EditorQuitAsked() {
  return gQuitAsked;
}

void maineditor() {
  Session s;
  DLN();
  InitEditor();
  ClearMap(102);
  offsx = 0;
  offsy = 0;
  DLN();
  LoadLevel(1);
  s.saved = LevelNow();
  QuitGuardScope guard(s.saved);
  for (;;) {
    LevelState before = LevelNow();
    DLN();
    if (gQuitAsked) {
      gQuitAsked = false;
      // The keys that asked must come up first, or the question would end at once.
      WaitForKeysUp({kKeyEsc, kKeyLeftAlt, kKeyF4});
      if (MayLeaveLevel(s, kKeyEsc)) END();
    }
    DLN();
    if (KEY(kKeyEnter) != 0) {
      if (!s.enterFromHint && MayLeaveLevel(s, kKeyEnter)) {
        EDITOR = 0;
        return;
      }
    } else {
      s.enterFromHint = false;
    }
    DLN();
    if (KEY(kKeyT) != 0) {
      if (TestGame()) s.saved = LevelNow();
      // The key that ended the game (or skipped its last picture) is no command here.
      WaitForCommandKeysUp();
    }
    DrawPass(!(before == s.saved));
    FindCursorCell(s);
    ReadMouse(s);
    Scroll();
    ReadKeys(s);
    RecordEdit(s, std::move(before));
    ReadUndoKeys(s);
  }
}
