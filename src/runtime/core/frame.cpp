#include "core/frame.h"

#include <cstdio>
#include <cstdlib>

#include "core/error_log.h"
#include "core/services.h"

int32_t __KD_RESX = 640;
int32_t __KD_RESY = 480;
int32_t __KD_FULLSCREEN = 0;
int32_t __KD_FRAMERATE = 60;
int32_t __KD_DEBUG = 1;
int32_t __KD_WANTMOUSE = 1;

KDStr __g_cmdline;
double __g_debugline = 0;
double __g_debugfile = 0;
double __g_error = 0;
double __g_errorline = 0;
double __g_mx = 0;
double __g_my = 0;
double __g_FirstTime = 0;
double __g_LastTime = 0;
double __g_ThisTime = 0;
int32_t __nCurFont = 0;
uint64_t __g_FrameCount = 0;

namespace {

InputEventSink gInputSink = nullptr;
QuitGuard gQuitGuard = nullptr;
bool gEnding = false;

void AppendNumberLine(double value) {
  char text[64];
  FormatNumber(value, text, sizeof(text));
  __AppendErrorLog(text);
}

}  // namespace

double __Error(double code) {
  __g_error = code;
  __g_errorline = __g_debugline;
  return code;
}

void END() {
  __g_error = 0;
  __g_errorline = __g_debugline;
  __EndProgram();
}

void __RuntimeError(double code) {
  __Error(code);
  __EndProgram();
}

void __EndProgram() {
  // A service torn down below may report an error of its own; the end runs only once.
  gQuitGuard = nullptr;  // the routine that set it does not outlive the program
  if (!gEnding) {
    gEnding = true;
    __StopMusicService();
    if (__KD_DEBUG != 0) {
      __AppendErrorLog("-End On Line");
      AppendNumberLine(__g_error);
      AppendNumberLine(__g_errorline);
      AppendNumberLine(__g_debugline);
      AppendNumberLine(__g_debugfile);
    }
    __DestroyRenderer();
    __DestroyInputService();
    __DestroySoundServices();
    tobli::platform::CloseWindow();
    std::fflush(stdout);
    __RunProcessExitSteps();
  }
  tobli::platform::ExitProcess(0);
}

void __SetQuitGuard(QuitGuard guard) {
  gQuitGuard = guard;
}

bool __QuitAllowed() {
  return gQuitGuard == nullptr || gQuitGuard();
}

void __WndProc_(const tobli::platform::Event& event) {
  if (event.type == tobli::platform::EventType::kQuit && __QuitAllowed()) {
    // A close request ends the program from inside whatever command pumped the events.
    __EndProgram();
  }
  if (gInputSink != nullptr) gInputSink(event);
}

void __DispatchEvents() {
  tobli::platform::Event event;
  while (tobli::platform::PollEvent(event)) __WndProc_(event);
}

void __SetInputEventSink(InputEventSink sink) {
  gInputSink = sink;
}

std::string __StripProgramName(const std::string& line) {
  size_t i = 0;
  auto blank = [&](size_t at) { return at < line.size() && (line[at] == ' ' || line[at] == '\t'); };
  while (blank(i)) ++i;
  if (i < line.size() && line[i] == '"') {
    size_t close = line.find('"', i + 1);
    i = close == std::string::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && !blank(i)) ++i;
  }
  while (blank(i)) ++i;
  return line.substr(i);
}

void __KeepWindowSettings() {
  tobli::platform::KeepSettingsIn(tobli::platform::UserSettingsPath());
}

int __GlobalInit(const char* commandLine, int showCommand, const char* title) {
  (void)commandLine;
  (void)showCommand;
  std::string why;
  tobli::platform::WindowSpec spec;
  spec.title = title;
  spec.x = 50;
  spec.y = 50;
  spec.width = __KD_RESX;
  spec.height = __KD_RESY;
  bool windowMade = tobli::platform::OpenWindow(spec, why);
  __DeleteErrorLog();
  if (!windowMade) {
    // Without a window nothing can run: end in order and say why.
    __AppendErrorLog(("No window: " + why).c_str());
    __EndProgram();
  }
  tobli::platform::ShowWindow(true);
  tobli::platform::SetWindowTitle(title);

  __CreateInputService();
  __CreateRenderer();
  __CreateSoundService();
  if (!__InitRenderer(__KD_RESX, __KD_RESY, 0, __KD_FRAMERATE, why)) {
    __AppendErrorLog(("No OpenGL: " + why).c_str());
    __EndProgram();
  }
  __SeedRandom(static_cast<unsigned long>(__ClockMs()));
  __SetDisplayMode(__KD_FULLSCREEN != 0);
  __CreateInputDevices(__KD_WANTMOUSE != 0);
  __CreateSoundDevice();
  __nCurFont = 0;
  __SetArchivesToExecutable(tobli::platform::ExecutablePath());
  __LoadStartupFont();
  __PresentFirstFrame();
  double now = __ClockMs();
  __g_FirstTime = __g_LastTime = __g_ThisTime = now;
  return 0;
}
