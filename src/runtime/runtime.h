// The game language's runtime: the one header the game program includes. It declares every
// command the game calls; each subsystem keeps its declarations in its own header.
#pragma once

#include "core/arrays.h"
#include "core/frame.h"
#include "core/kdstr.h"
