// The game's whole state: global numbers, arrays and texts shared freely by every routine.
// Every number starts at 0 and every array undimensioned when the program starts; the main
// program then gives them their start values (SetGameStartValues in game.h).
#pragma once

#include <string_view>

#include "runtime.h"

// ---- Numbers -------------------------------------------------------------------------------
extern double ALIVE;         // 1 while the player can die; 0 in the death sequence and after Enter
extern double EDITOR;        // non-zero: editor mode (E on the title screen)
extern double boxmission;    // 1 once every crate target is covered (rewarded once)
extern double enemission;    // 1 once every enemy is gone (rewarded once)
extern double offsx, offsy;  // scroll position: pixels in play, whole tiles in the editor
extern double maxene;        // number of entries of the enemy table
extern double crrspd, crrmode;  // editor: speed and mode of the next enemy placed
extern double level;            // current level number; names the level file
extern double plyx, plyy;       // player position in map pixels
extern double plym;             // player direction: 0 none, 1 right, 2 left, 3 down, 4 up
extern double backani, backdelay, lowerani;  // background animation
extern double ani;                           // four-phase animation counter 0..3
extern double tobani;  // sprite of the player figure: 120 down, 121 up, 122 right, 123 left
extern double wani;    // walking phase 0..3; 1 when standing
extern double sweets;  // sweets still to be collected
extern double saltbag, fireman, wellington;  // carried items: salt bag, fire suit, rubber boots
extern double magnet;                        // 1 while magnet tiles hold
extern double kynum;                         // entries of the pick-up display list
extern double gameon;                        // 1 while the game loop runs
extern double drawing;                       // 1 once a game has started; read nowhere
extern double delay;                         // frame counter that steps ani and wani
extern double happened;  // 1 while the current tile step is under way or allowed
extern double onice;     // 1 while the player is carried (ice, conveyor)
extern double moving;    // MOD(plyx,32) + MOD(plyy,32): 0 exactly on a tile
extern double dx, dy;    // direction of the current step, each -1, 0 or 1
extern double x, y, h;   // tile under the player and code of the tile ahead; y also a map row
extern double i;         // shared loop variable
extern double maxbox, maxboom;  // number of boxes and of explosions
extern double startx, starty;   // start tile in hit coordinates (margin included)
extern double xlevel, ylevel;   // used part of hit in tiles: margin + maxx (maxy) + 5
extern double maxx, maxy;       // largest column and row index of the stored level
extern double zoop;             // offset of the beam animation
extern double voicedelay;       // talk calls since the last gated voice
extern double zt;               // vertical position of the scrolling intro text
extern double num;              // loop variable of the selection screen's stars
extern double mousex, mousey, mouseb1, mouseb2;  // editor mouse state
extern double blackcolor;                        // set at start, never read
// Exits taken since the game state was cleared: a tool tells a finished level by it, since the
// level number need not change (the exit of the last level leads back to level 0).
extern double exitsTaken;

// ---- Arrays --------------------------------------------------------------------------------
extern KDIntArray hit;                                   // 128 x 128: the map's tile codes
extern KDIntArray enex, eney, enespd, enemode, enelook;  // 100: the enemy table
extern KDIntArray boxlook, boxx, boxy, boxm, boxdelay;   // 100: the box table
extern KDIntArray bomx, bomy;                            // 100: explosions
extern KDIntArray beamp;     // 2: destination of a beam in pixels, x then y
extern KDIntArray pingpong;  // 4: 0, 20, 40, 20, sprite offsets of animated tiles
extern KDIntArray xitflash;  // 4: 272, 93, 273, 93, sprite cycle of the open exit
extern KDIntArray kys;       // 5: keys carried; kys(4) is the silver key
extern KDIntArray kyshowx, kyshowy, kymove, kylook;  // 9: the pick-up display list
extern KDIntArray hitgfx;                            // the editor's tile palette

// ---- Texts ---------------------------------------------------------------------------------
extern KDStr savefile_Str;         // save file of the chosen game slot
extern KDStr file_Str;             // current level file name
extern KDStr hint_Str;             // the level's hint text
extern KDStr a_Str, b_Str, c_Str;  // the three slot labels of the selection screen

// ---- Access by name, for drivers and tools -------------------------------------------------
// The global number, array or text of that exact name; null when there is none.
double* FindGameNumber(std::string_view name);
KDIntArray* FindGameArray(std::string_view name);
KDStr* FindGameText(std::string_view name);
// Puts the state back as the program starts: every number 0, every text empty, every array
// undimensioned.
void ClearGameState();
