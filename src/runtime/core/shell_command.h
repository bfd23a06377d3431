// Starting other programs without a shell: the language's SHELLCMD and the file dialogs.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Splits a command line into arguments: blanks and tabs separate, double quotes group (and are
// removed), a backslash directly before a double quote makes it a plain quote; any other
// backslash is kept. "" gives an empty argument.
std::vector<std::string> SplitCommandLine(const std::string& line);

// Starts args[0] (looked up on PATH when it holds no "/") with args, in the current directory and
// environment, inheriting only descriptors 0 to 2; stdoutFd >= 0 becomes its standard output.
// A hidden program reads and writes /dev/null instead of this program's terminal (stdoutFd
// still takes its output). Returns the process id, or -1 when it cannot be started.
pid_t SpawnProgram(const std::vector<std::string>& args, int stdoutFd = -1, bool hidden = false);

// Waits for a program started by SpawnProgram; returns its exit code (128 + the signal number
// when a signal ended it, -1 when it cannot be waited for).
int WaitForProgram(pid_t pid);

// Leaves a program running; it is reaped once it has ended, at a later SpawnProgram.
void DetachProgram(pid_t pid);
