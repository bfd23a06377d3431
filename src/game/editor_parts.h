// What the editor's own files share: the room of the enemy table, the sprites with an editor
// role, and the overview screen.
#pragma once

#include "whole.h"

// The enemy table holds this many entries.
constexpr double kEnemySlots = 100;

// Sprites the editor draws over the map.
constexpr double kSpriteChaseMarker = 110;  // mode 4
constexpr double kSpriteModeMarker = 112;   // + mode 0 to 3
constexpr double kSpriteSpeedMarker = 116;  // + speed 0 to 2
constexpr double kSpritePointer = 119;
constexpr double kSpriteStart = 120;  // the player figure; 120 + 4 * look is an enemy

using tobli::game::Whole;

// True while a quit (Esc, Alt + F4, closing the window) held back over edits not saved waits
// for the editor's loop to ask about it: the palette and the overview give way at once.
bool EditorQuitAsked();

// The map of cells 0 to 99 at 4 pixels a cell until a click; then the window is put so that
// the clicked cell lies near its centre (offsx 0 to 80, offsy 0 to 85).
void EditorOverview();
