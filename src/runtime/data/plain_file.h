// Replacing a file's contents so that a crash leaves either the old or the new file, whole.
#pragma once

#include <string>

// Writes contents to a temporary file beside path, flushes it to disk, and renames it over path;
// the directory entry is flushed too. The file keeps its permissions (a new one gets the usual
// ones). False, with no temporary file left, when any step fails; path is then untouched.
bool ReplaceFileContents(const std::string& path, const std::string& contents);

// The absolute path of path with every symbolic link resolved, so a later write reaches the same
// file whatever the current directory is by then. The path made absolute when it cannot be
// resolved.
std::string ResolveFilePath(const char* path);
