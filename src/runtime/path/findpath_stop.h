// How FINDPATH asks whether to stop a long search. It reads Esc through KEY(1); drivers and
// tests that run without the input service put their own question in its place.
#pragma once

#include "path/planner.h"

// Replaces the question FINDPATH asks every 10000 expansions; null restores KEY(1).
void SetFindPathStopCheck(Planner::StopCheck check);
