// The program frame: configuration, run-time globals, line tracking, the error path and the
// orderly end.
#pragma once

#include <cstdint>
#include <string>

#include "core/kdstr.h"
#include "platform/platform.h"

// Configuration, fixed by the process entry before start-up.
extern int32_t __KD_RESX;
extern int32_t __KD_RESY;
extern int32_t __KD_FULLSCREEN;
extern int32_t __KD_FRAMERATE;
extern int32_t __KD_DEBUG;
extern int32_t __KD_WANTMOUSE;

// Run-time globals of the frame.
extern KDStr __g_cmdline;
extern double __g_debugline;
extern double __g_debugfile;
extern double __g_error;
extern double __g_errorline;
extern double __g_mx;
extern double __g_my;
extern double __g_FirstTime;
extern double __g_LastTime;
extern double __g_ThisTime;
extern int32_t __nCurFont;
// Number of frames presented by SHOWSCREEN since start-up (the sound log and drivers read it).
extern uint64_t __g_FrameCount;

// Records the source file index (0 the game, 1 the editor) and line of the running statement.
inline void __dLn(double file, double line) {
  __g_debugfile = file;
  __g_debugline = line;
}
// Stores the code and the current line; returns the code. Does not end the program.
double __Error(double code);
// The language's END statement: a normal end at the current line. Never returns.
[[noreturn]] void END();
// The orderly end: timer, music, the five log lines, services, process exit. Never returns.
[[noreturn]] void __EndProgram();
// Every runtime error that ends the program: the code, the current line, then __EndProgram.
[[noreturn]] void __RuntimeError(double code);

// A routine of the game may hold the user's own quit back (the editor, over edits not saved):
// Esc, left Alt + F4 and a close request of the window ask the guard first, and a guard that
// answers false keeps the program running (it then shows its own question). END and runtime
// errors are never held back. None is set at start.
using QuitGuard = bool (*)();
void __SetQuitGuard(QuitGuard guard);
// True when no guard is set or the guard lets the quit go ahead.
bool __QuitAllowed();

// Keeps the player's choices for the window (size, whole screen, music and sounds off) in the
// user's settings file from one run to the next. The game's executable asks for it before
// start-up; tests and tools do not, so they never read or write the user's settings.
void __KeepWindowSettings();

// The translated game program; defined by the game.
void __MainGameSub_();

// Start-up of all services, in the fixed order. Returns 0. When the window or the OpenGL
// context cannot be made, it logs why and ends the program in order.
int __GlobalInit(const char* commandLine, int showCommand, const char* title);
// The command line without the program's own name (blanks and tabs after it skipped too).
std::string __StripProgramName(const std::string& processCommandLine);

// The window procedure: handles one platform event (a quit request ends the program; input
// events go on to the input service).
void __WndProc_(const tobli::platform::Event& event);
// Removes and handles every waiting event.
void __DispatchEvents();
// The input service receives keyboard, mouse and focus events through this sink.
using InputEventSink = void (*)(const tobli::platform::Event&);
void __SetInputEventSink(InputEventSink sink);

// Steps run once at process exit, lowest order first (the text-file cache flush, then the
// archives' clean-up).
void __AtProcessExit(int order, void (*step)());
void __RunProcessExitSteps();
constexpr int kExitStepFlushTextCache = 10;
constexpr int kExitStepClearDataArchive = 20;
constexpr int kExitStepClearMediaArchive = 30;

// Game line tracking: a statement that can fail, or a loop head, starts with DLN(). A source
// file of the editor defines TOBLI_SOURCE_FILE 1 before including runtime.h.
#ifndef TOBLI_SOURCE_FILE
#define TOBLI_SOURCE_FILE 0
#endif
#define DLN() __dLn(TOBLI_SOURCE_FILE, __LINE__)
