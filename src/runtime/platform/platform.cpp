#include "platform/platform.h"

#include <cstdlib>
#include <deque>
#include <unistd.h>

#include "platform/platform_impl.h"
#include "platform/sdl/window_settings.h"

namespace tobli::platform {
namespace {

Kind gKind = Kind::kSdl;
std::deque<Event> gPushed;
FrameHook gFrameHook;
FrameHook gIdleHook;
ExitHandler gExitHandler;

bool Sdl() {
  return gKind == Kind::kSdl;
}

}  // namespace

void Select(Kind kind) {
  gKind = kind;
  gPushed.clear();
  if (kind == Kind::kHeadless) headless::Reset();
}

Kind Current() {
  return gKind;
}

bool OpenWindow(const WindowSpec& spec, std::string& why) {
  return Sdl() ? sdl::OpenWindow(spec, why) : headless::OpenWindow(spec, why);
}
void CloseWindow() {
  Sdl() ? sdl::CloseWindow() : headless::CloseWindow();
}
bool HasWindow() {
  return Sdl() ? sdl::HasWindow() : headless::HasWindow();
}
void KeepSettingsIn(const std::string& path) {
  sdl::KeepSettingsIn(path);
}

std::string UserSettingsPath() {
  return sdl::UserSettingsPath();
}

void ShowWindow(bool visible) {
  if (Sdl()) sdl::ShowWindow(visible);
}
void SetWindowTitle(const char* title) {
  if (Sdl()) sdl::SetWindowTitle(title);
}
void GetWindowSize(int& width, int& height) {
  Sdl() ? sdl::GetWindowSize(width, height) : headless::GetWindowSize(width, height);
}
void SetWindowPosition(int x, int y) {
  if (Sdl()) sdl::SetWindowPosition(x, y);
}
void SetWindowSize(int width, int height) {
  Sdl() ? sdl::SetWindowSize(width, height) : headless::SetWindowSize(width, height);
}
bool SetFullscreen(bool fullscreen, int width, int height, int bits) {
  return Sdl() ? sdl::SetFullscreen(fullscreen, width, height, bits)
               : headless::SetFullscreen(fullscreen, width, height, bits);
}
void SetHeadlessDisplayModes(const std::vector<DisplayMode>& modes) {
  headless::SetDisplayModes(modes);
}
int DesktopBits() {
  return Sdl() ? sdl::DesktopBits() : 32;
}
void ShowCursor(bool visible) {
  if (Sdl()) sdl::ShowCursor(visible);
}

bool CreateGLContext(int colorBits, std::string& why) {
  if (!Sdl()) return false;
  return sdl::CreateGLContext(colorBits, why);
}
void DestroyGLContext() {
  if (Sdl()) sdl::DestroyGLContext();
}
bool HasGL() {
  return Sdl() && sdl::HasGL();
}
void SwapBuffers() {
  if (Sdl()) sdl::SwapBuffers();
}
void* GetGLProcAddress(const char* name) {
  return Sdl() ? sdl::GetGLProcAddress(name) : nullptr;
}

void PreferPictureSize() {
  if (Sdl()) sdl::PreferPictureSize();
}

void ShowWarningBox(const char* caption, const char* text) {
  if (!Sdl()) return;
  const char* quiet = std::getenv("TOBLI_NO_GL_WARNING_BOX");
  if (quiet != nullptr && *quiet != 0) return;
  sdl::ShowWarningBox(caption, text);
}

uint64_t PerfCounter() {
  return Sdl() ? sdl::PerfCounter() : headless::PerfCounter();
}
uint64_t PerfFrequency() {
  return Sdl() ? sdl::PerfFrequency() : headless::PerfFrequency();
}
uint32_t TicksMs() {
  return Sdl() ? sdl::TicksMs() : headless::TicksMs();
}
void SleepMs(double ms) {
  Sdl() ? sdl::SleepMs(ms) : headless::AdvanceVirtualClock(ms);
}
void SleepUntilCounter(uint64_t counter) {
  if (Sdl()) {
    sdl::SleepUntilCounter(counter);
  } else {
    headless::AdvanceToCounter(counter);
  }
}
void AdvanceVirtualClock(double ms) {
  if (!Sdl()) headless::AdvanceVirtualClock(ms);
}

bool PollEvent(Event& event) {
  if (gPushed.empty() && !Sdl() && gIdleHook) gIdleHook();
  if (!gPushed.empty()) {
    event = gPushed.front();
    gPushed.pop_front();
    return true;
  }
  return Sdl() ? sdl::PollOsEvent(event) : false;
}

void PushEvent(const Event& event) {
  gPushed.push_back(event);
}

void SetMouseCaptured(bool captured) {
  if (Sdl()) sdl::SetMouseCaptured(captured);
}
bool WindowHasFocus() {
  return Sdl() ? sdl::WindowHasFocus() : true;
}

char KeyCharacter(int scanCode, bool shift) {
  return Sdl() ? sdl::KeyCharacter(scanCode, shift) : headless::KeyCharacter(scanCode, shift);
}

void SetFrameHook(FrameHook hook) {
  gFrameHook = std::move(hook);
}
void RunFrameHook() {
  if (gFrameHook) gFrameHook();
}
void SetIdleHook(FrameHook hook) {
  gIdleHook = std::move(hook);
}

std::string TempDir() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = (dir != nullptr && *dir != 0) ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

std::string ExecutablePath() {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length <= 0) return "";
  buffer[length] = 0;
  return buffer;
}

void SetExitHandler(ExitHandler handler) {
  gExitHandler = std::move(handler);
}

void ExitProcess(int code) {
  if (gExitHandler) gExitHandler(code);
  std::exit(code);
}

}  // namespace tobli::platform
