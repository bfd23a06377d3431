// The two implementations behind platform.h. Only platform/ includes this header.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tobli::platform::sdl {
void KeepSettingsIn(const std::string& path);
bool OpenWindow(const WindowSpec& spec, std::string& why);
void CloseWindow();
bool HasWindow();
void ShowWindow(bool visible);
void SetWindowTitle(const char* title);
void GetWindowSize(int& width, int& height);
void SetWindowPosition(int x, int y);
void SetWindowSize(int width, int height);
bool SetFullscreen(bool fullscreen, int width, int height, int bits);
int DesktopBits();
void ShowCursor(bool visible);
bool CreateGLContext(int colorBits, std::string& why);
void DestroyGLContext();
bool HasGL();
void SwapBuffers();
void* GetGLProcAddress(const char* name);
void ShowWarningBox(const char* caption, const char* text);
void PreferPictureSize();
uint64_t PerfCounter();
uint64_t PerfFrequency();
uint32_t TicksMs();
void SleepMs(double ms);
void SleepUntilCounter(uint64_t counter);
bool PollOsEvent(Event& event);
void SetMouseCaptured(bool captured);
bool WindowHasFocus();
char KeyCharacter(int scanCode, bool shift);
// SDL scancode to DirectInput scan code (0 for keys without one), and back.
int DikFromSdlScancode(int sdlScancode);
int SdlScancodeFromDik(int dik);
}  // namespace tobli::platform::sdl

namespace tobli::platform::headless {
void Reset();
bool OpenWindow(const WindowSpec& spec, std::string& why);
void CloseWindow();
bool HasWindow();
void GetWindowSize(int& width, int& height);
void SetWindowSize(int width, int height);
bool SetFullscreen(bool fullscreen, int width, int height, int bits);
void SetDisplayModes(const std::vector<DisplayMode>& modes);
uint64_t PerfCounter();
uint64_t PerfFrequency();
uint32_t TicksMs();
void AdvanceVirtualClock(double ms);
// Moves the virtual counter forward to the value (never back).
void AdvanceToCounter(uint64_t counter);
char KeyCharacter(int scanCode, bool shift);
}  // namespace tobli::platform::headless
