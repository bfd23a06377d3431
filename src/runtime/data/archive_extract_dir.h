// The private directory each archive slot extracts into: made with mkdtemp under the
// temporary directory (mode 0700), so no other user can read, replace or plant an extract.
#pragma once

#include <string>

#include "data/archive.h"

// Makes sure the slot has a usable private directory under the current temporary directory
// (a new one when the old is gone or the temporary directory changed). False when none can
// be made.
bool EnsureExtractDir(QMDezeZer& slot);
// Removes the slot's private directory (it must hold no extract) and empties szDir.
void RemoveExtractDir(QMDezeZer& slot);
// The file name of a member's extract: "~vez" + offset (upper-case hex) + size (lower-case
// hex) + the name as stored with path separators flattened to "_". When dirLength + 1 + the
// name would pass maxPath, or the name would pass one path component, the member name's
// leading characters are dropped (its extension survives). "" when even that cannot fit.
std::string ExtractFileName(int offset, int size, const std::string& memberName, size_t dirLength,
                            size_t maxPath);
