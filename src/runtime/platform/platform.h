// The one seam between the runtime and the operating system. Everything above this header
// talks to the OS only through it. Two implementations exist: SDL (a real window, OpenGL,
// sound) and headless (no window, no GL, a virtual clock, scripted input) for tests and replay.
// The implementation is chosen once, before start-up, with Select().
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tobli::platform {

enum class Kind { kSdl, kHeadless };

// Chooses the implementation; call before __GlobalInit. The default is kSdl.
void Select(Kind kind);
Kind Current();
inline bool IsHeadless() {
  return Current() == Kind::kHeadless;
}

// ---- Window and OpenGL ---------------------------------------------------------------------
struct WindowSpec {
  const char* title = "";
  int x = 0;
  int y = 0;
  int width = 640;
  int height = 480;
};
// Creates the main window (hidden until ShowWindow). False with a reason when it cannot.
// Headless: always succeeds and creates nothing.
bool OpenWindow(const WindowSpec& spec, std::string& why);
// The player's choices for the window (its size, the whole screen, music and sound effects
// off) are read from this file when a window opens and written to it when they change and
// when the window closes. None is kept unless asked for; the headless platform keeps none.
void KeepSettingsIn(const std::string& path);
// The usual settings file of the user ($XDG_CONFIG_HOME/tobli/settings or
// ~/.config/tobli/settings); empty when there is no home folder to put it in.
std::string UserSettingsPath();
void CloseWindow();
bool HasWindow();
void ShowWindow(bool visible);
void SetWindowTitle(const char* title);
// Client size of the window in pixels (the headless window keeps the size it was given).
void GetWindowSize(int& width, int& height);
void SetWindowPosition(int x, int y);
void SetWindowSize(int width, int height);
// Full screen at the given size and depth (bits 0: the desktop's), or a normal window again.
// False when no such mode is offered.
bool SetFullscreen(bool fullscreen, int width, int height, int bits);
// Headless: the full-screen modes the virtual display offers (bits 0: the desktop depth).
// None given (the default after Select) means every mode is offered.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int bits = 0;
};
void SetHeadlessDisplayModes(const std::vector<DisplayMode>& modes);
// Colour depth of the desktop in bits per pixel (32 headless).
int DesktopBits();
// Shows or hides the mouse cursor over the window (no effect headless).
void ShowCursor(bool visible);

// Double-buffered RGBA OpenGL context (compatibility profile, 16 depth bits) for the window.
// Headless: never created; HasGL() stays false and drawing code skips its GL calls.
bool CreateGLContext(int colorBits, std::string& why);
void DestroyGLContext();
bool HasGL();
void SwapBuffers();
void* GetGLProcAddress(const char* name);

// The renderer draws in software, where every scaled copy of the picture costs the processor: a
// window that opened larger than the picture by its own choice (not at a size the player kept)
// goes back to the picture's size. No effect headless.
void PreferPictureSize();

// Shows a warning box with the given caption and text, unless automated runs suppress it
// (the environment variable TOBLI_NO_GL_WARNING_BOX is set, or the platform is headless).
void ShowWarningBox(const char* caption, const char* text);

// ---- Clock ---------------------------------------------------------------------------------
// High-resolution counter and its frequency (ticks per second); 0 frequency means none.
uint64_t PerfCounter();
uint64_t PerfFrequency();
// Milliseconds since start, unsigned 32-bit, wrapping (the millisecond timer).
uint32_t TicksMs();
// Sleeps the calling thread for about the given milliseconds (headless: advances the clock).
void SleepMs(double ms);
// Sleeps until PerfCounter() reaches the value, on an absolute deadline so that a late wake-up
// or an interrupted sleep does not shift it (headless: moves the virtual clock there).
void SleepUntilCounter(uint64_t counter);
// Headless: moves the virtual clock forward. No effect on the SDL platform.
void AdvanceVirtualClock(double ms);

// ---- Events --------------------------------------------------------------------------------
enum class EventType {
  kNone,
  kQuit,     // the window was closed or the session asked the program to end
  kKeyDown,  // key: DirectInput scan code 1..255
  kKeyUp,
  kMouseMotion,      // dx, dy: relative motion in pixels
  kMouseButtonDown,  // button: 0 left, 1 right, 2 middle
  kMouseButtonUp,
  kFocusGained,
  kFocusLost,
};

struct Event {
  EventType type = EventType::kNone;
  int key = 0;
  int dx = 0;
  int dy = 0;
  int button = 0;
  // A key going down: the character the keyboard's layout typed with it, when the platform
  // knows it (AltGr and dead keys included); 0 leaves it to be worked out from the key.
  char typed = 0;
};

// Takes the next waiting event; false when none is waiting.
bool PollEvent(Event& event);
// Queues an event as if the OS had sent it. The headless script and tests use this; on the
// SDL platform it goes into the same queue that PollEvent drains first.
void PushEvent(const Event& event);

// Captures or releases the pointer for relative mouse motion (no effect headless).
void SetMouseCaptured(bool captured);
bool WindowHasFocus();

// The character a key types in the current keyboard layout (0 for none), shifted or not.
// Headless: the US layout.
char KeyCharacter(int scanCode, bool shift);

// Headless: called once per presented frame, after the virtual clock moved. Drivers use it to
// script input frame by frame and to stop a run. Pass an empty function to remove it.
using FrameHook = std::function<void()>;
void SetFrameHook(FrameHook hook);
void RunFrameHook();
// Headless: called by PollEvent whenever it finds no waiting event, so that a driver can go on
// with its script inside loops that wait for input without presenting frames (a wait for a key
// release, KEYWAIT). Pass an empty function to remove it.
void SetIdleHook(FrameHook hook);

// ---- Files and processes -------------------------------------------------------------------
// $TMPDIR when set and non-empty, else /tmp; always ends in "/".
std::string TempDir();
// Full path of the running executable ("" if unknown).
std::string ExecutablePath();

// Ends the process with the code. Tests and tools may install a handler that is called
// instead (it must not return: it throws or exits).
[[noreturn]] void ExitProcess(int code);
using ExitHandler = std::function<void(int)>;
void SetExitHandler(ExitHandler handler);

}  // namespace tobli::platform
