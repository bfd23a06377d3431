// Text data files can only be changed, not created, by PUTFILE; the game's writers make sure
// the file is there first.
#pragma once

#include "runtime.h"

// Creates the file (and its folder) empty when no file of that name exists; an existing file
// is left as it is. False when the name is empty or the file cannot be made.
bool CreateFileIfMissing(const KDStr& path);
