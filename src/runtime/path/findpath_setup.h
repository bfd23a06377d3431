// How FINDPATH sets up its search: the description it asks the planner for, and the question
// that stops a long search (Esc held, or pressed since the search last asked; drivers and
// tests that run without the input service put their own question in its place).
#pragma once

#include <cstdint>

#include "path/planner.h"

// FINDPATH's search of a width x height map of numbers (the column varying fastest) from
// (startX, startY) to (goalX, goalY): four neighbours, diagonal cost on, pool and open list
// as large as the map, 16 hash bits, weight 0.7.
Planner::Description FindPathDescription(int32_t width, int32_t height, const double* map,
                                         int32_t startX, int32_t startY, int32_t goalX,
                                         int32_t goalY);

// Replaces the question FINDPATH asks every 10000 expansions; null restores the Esc question.
void SetFindPathStopCheck(Planner::StopCheck check);
