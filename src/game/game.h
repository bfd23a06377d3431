// The game's routines: free functions over the global state of state.h. Numbers are doubles and
// texts KDStr, as everywhere in the game language. Routines without a result of use return
// nothing.
#pragma once

#include "runtime.h"
#include "state.h"

// ---- Start-up (main_program.cpp) -----------------------------------------------------------
// __MainGameSub_ (declared in core/frame.h): the game program; never returns.
// Loads the 41 sound slots, effects 0 to 16 and voices 17 to 40.
void loadsfx();
// Puts the player on the start tile, alive and standing; touches neither plym, dx, dy nor the map.
void initlevel();
// The start values the main program gives the globals before its first title screen (its
// steps 2 to 5: arrays dimensioned, player at 10, 10, magnets on).
void SetGameStartValues();

// ---- Level files (levels.cpp, level_save.cpp) ----------------------------------------------
// Reads the file of `level`: mode 0 places it for play (margin 6, boxes made, the save slot
// written), any other mode for the editor (margin 1, raw codes). A missing file gives a level
// of one cell with the hint "NO_FILE".
void LoadLevel(double mode);
// Writes the editor's map (margin 1), start, enemies and hint to the file of `level`, creating
// the file first when it does not exist yet. True once the file is on disk.
bool SaveLevel();
// A level number the set has no file for (past its last level, or a save slot's number the
// set no longer has) becomes 0: the game starts the set over instead of stranding the player
// on the empty one-cell level.
void KeepLevelInSet();
// The number in the three-character field i of the text (0 when it does not begin a number).
double GetNumFromStr(KDStr text, double i);
// The three-character field of n: "00" + n below 10, "0" + n below 100, else n as text.
KDStr GetStrFromNum_Str(double n);

// ---- Play (play.cmake) ---------------------------------------------------------------------
// Plays one game from the level of the save slot (without a slot, from `level`) until Enter (or
// E in editor mode).
void MainGame();
// Applies the tile under the player; 1 when the player is carried on (ice, conveyor), else 0.
double getkey();
// Shows the frame being built with "Pause" and waits for a fresh key press and its release.
void pausegame();
// Builds one frame of the play field (without showing it); runs the box and enemy passes.
void displaygame();

// ---- Title, selection, text boxes (screens.cpp) --------------------------------------------
// Headings, then the scrolling intro; returns on Space, Enter or E (E sets EDITOR), or as soon
// as the headings are in place when "intro.txt" is missing.
void TitleScreen();
// Scrolls the lines of the text file until Space, Enter or E; 1 when left with a key, 0 when
// the file is missing.
double WideScroller(KDStr file);
// The slot selection; returns when a slot is confirmed, with savefile_Str set to its file.
void ChooseGame();
// Prints text word-wrapped within width from (x, y), 17 pixels a character and 25 a line.
void BOXPRINT(KDStr text, double x, double y, double width);
// The figure's voice for a one-letter event code; gated voices only on every 21st call.
void talk(KDStr code);

// ---- Boxes and switches (boxes.cmake) ------------------------------------------------------
// Makes a box from the tile at (x, y): the tile becomes floor, the box takes plym as direction.
void createbox(double x, double y);
// Starts the next step of the box at (x, y) in its direction; 1 when it moves, 0 when blocked
// or when no box stands there.
double pushbox(double x, double y);
// Removes box n; the last entry takes its place.
void killbox(double n);
// The per-frame box pass: draws every box, then moves and resolves them.
void showboxes();
// 1 when every crate target of the used map holds a crate (or there is none), else 0.
double boxbuttons();
// Sound 14, then every 81/82 of the used map is raised to 101/102 and every 101/102 lowered.
void blocktoggle();
// 0 while a magnet-off plate is pressed by the player, a box or an enemy; else 1.
double magnetcheck();

// ---- Enemies (enemies.cmake) ---------------------------------------------------------------
// The per-frame enemy pass: falling, dying and active entries.
void moveenemies();
// Starts the death of entry n (sound 8 on fire, else 1; mode 32, the dying look).
void killenemy(double n);

// ---- Beams, explosions, death (effects.cmake) ----------------------------------------------
// Leaves in beamp the pixel position of the next cell holding code after (px, py), row by row
// with wrap-around.
void beam(double px, double py, double code);
// Starts an explosion on tile (x, y): sound 1, tile 96; nothing while the explosion table is full.
void createboom(double x, double y);
// Advances every explosion by one stage; finished ones set off the mines next to them.
void showboom();
// The death sequence for a one-letter cause; returns at once while ALIVE is 0.
void deadplayer(KDStr cause);

// ---- Editor (editor.cmake) -----------------------------------------------------------------
// Runs the editor on the file of `level` until Enter, which sets EDITOR to 0.
void maineditor();
// Dimensions the palette hitgfx to 256 and fills entries 0 to 67.
void InitEditor();
// Draws the 20 x 15 tile window whose top-left cell is (ox, oy); negative offsets count as 0.
void seescreen(double ox, double oy);
// Draws the enemies with their mode and speed markers, then the start tile.
void showsprites();
// The palette screen; returns the tool number (0 to 80) of the cell clicked, or -1 when a quit
// over edits not saved was asked meanwhile (the editor then asks about it).
double tileselect();
// Paints hitgfx(tool) into the rectangle spanned by the two corners, clamped to cells 1 to 100.
void drawrange(double x1, double y1, double x2, double y2, double tool);
// Gives every wall cell the wall piece that matches its wall neighbours.
void drawcorners();
// Places or replaces the enemy at cell (x, y) with the current mode and speed.
void addene(double x, double y, double look);
// Removes the enemy at cell (x, y), if there is one.
void delene(double x, double y);
