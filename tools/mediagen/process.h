// Running the build-time helper programs (speech synthesizer, MP3 encoder) without a shell.
#pragma once

#include <string>
#include <vector>

namespace mediagen {

// Runs the program (looked up on PATH) with the arguments, its output discarded; throws
// std::runtime_error unless it ran and exited with code 0.
void RunProgram(const std::vector<std::string>& argv);

}  // namespace mediagen
