// The list of picked-up things whose icons rise from their tiles (displaygame animates it).
#pragma once

// Entries the list can hold (the size of kyshowx, kyshowy, kymove and kylook).
constexpr double kPickupListSize = 9;

// Adds an entry for icon `look` (drawn as sprite look + 254) rising from tile (col, row). A
// full list shows no new icon; the pick-up itself is counted by the caller all the same.
void AddPickup(double look, double col, double row);
