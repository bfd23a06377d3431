// The process entry of the game.
#include <string>

#include "runtime.h"

namespace {

// The process command line as one text, each argument quoted when it holds a blank, so that
// the program name is removed by the same rule whatever the caller passed.
std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (i > 0) line += ' ';
    if (arg.find_first_of(" \t") != std::string::npos || arg.empty()) {
      line += '"' + arg + '"';
    } else {
      line += arg;
    }
  }
  return line;
}

}  // namespace

// The process entry's work: command line, configuration, start-up, the game, the end.
int WinMain(const char* commandLine, int showCommand) {
  __g_cmdline = "";
  __g_cmdline = commandLine;
  __KD_RESX = 640;
  __KD_RESY = 480;
  __KD_FULLSCREEN = 0;
  __KD_FRAMERATE = 60;
  __KD_DEBUG = 1;
  __KD_WANTMOUSE = 1;
  __KeepWindowSettings();
  __GlobalInit(__g_cmdline.GetStrData(), showCommand, "Tobli");
  __g_mx = __g_my = 100;
  __g_errorline = __g_error = __g_debugline = 0;
  __MainGameSub_();
  __EndProgram();
}

int main(int argc, char** argv) {
  std::string commandLine = __StripProgramName(JoinArguments(argc, argv));
  return WinMain(commandLine.c_str(), 10);
}
