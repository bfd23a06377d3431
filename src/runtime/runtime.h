// The game language's runtime: the one header the game program includes. It declares every
// command the game calls; each subsystem keeps its declarations in its own header.
#pragma once

#include "audio/audio_commands.h"
#include "core/arrays.h"
#include "core/builtins.h"
#include "core/frame.h"
#include "core/kdstr.h"
#include "data/archive.h"
#include "data/file_commands.h"
#include "gfx/screen_commands.h"
#include "gfx/sprite_commands.h"
#include "input/input_commands.h"
#include "path/findpath.h"
