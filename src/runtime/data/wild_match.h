// The wildcard match of file names used by GETFILELIST.
#pragma once

// True when name matches pattern: "*" matches any run of characters (dots and the empty run
// included), "?" exactly one character other than ".", any other character itself in either
// letter case. After a mismatch only the last "*" is retried, one character further on.
bool szWildMatch(const char* pattern, const char* name);
