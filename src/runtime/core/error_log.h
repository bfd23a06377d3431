// The error log "ErrorLog.txt" in the temporary directory.
#pragma once

#include <string>

// Full path of the log: the temporary directory + "ErrorLog.txt".
std::string __ErrorLogPath();
// Deletes the log of an earlier run.
void __DeleteErrorLog();
// Appends one line and CR LF: opened (created if missing, never truncated, never through a
// symbolic link), written at its end, closed. A log that cannot be opened skips the line.
void __AppendErrorLog(const char* line);
