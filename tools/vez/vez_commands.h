// The vez commands. Each takes the arguments after the command's name and returns the exit
// status (vez_common.h).
#pragma once

#include <string>
#include <vector>

namespace vez {

using Args = std::vector<std::string>;

int Pack(const Args& args);
int Append(const Args& args);
int List(const Args& args);
int Extract(const Args& args);
int Verify(const Args& args);

// Splits "[-C DIR] REST..." (the option may stand anywhere before "--"); false on a bad
// option, with why.
bool SplitDirOption(const Args& args, std::string& dir, Args& rest, std::string& why);

}  // namespace vez
