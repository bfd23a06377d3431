// The real platform: an SDL2 window with an OpenGL compatibility context.
#include <SDL.h>

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/audio_platform.h"
#include "platform/platform_impl.h"
#include "platform/sdl/window_scaling.h"
#include "platform/sdl/window_settings.h"

namespace tobli::platform::sdl {
namespace {

SDL_Window* gWindow = nullptr;
SDL_GLContext gContext = nullptr;
bool gVideoUp = false;
// The renderer's size, which the window shows at a whole multiple (gScale) to begin with.
int gLogicalWidth = 0;
int gLogicalHeight = 0;
int gScale = 1;
std::string gTitle;
// Where the player's choices are kept between runs (none unless the program asks for it), and
// the whole screen they ask for, put on once the window can show it scaled.
std::string gSettingsPath;
bool gWholeScreenPending = false;
// The window opened at a size the player kept, not one of its own choosing.
bool gSizeKept = false;
// The window's size before it went to the whole screen.
int gWindowedWidth = 0;
int gWindowedHeight = 0;
// Pointer motion in picture pixels not yet handed on (motion comes in window pixels).
double gMotionRestX = 0;
double gMotionRestY = 0;

// The characters this keyboard's layout types, learnt from the text each key press brings: the
// key's name gives its unshifted character, but what Shift makes of a key ('?' is Shift+ß on
// one layout and Shift+/ on another) is only known from the text. [code][shift]; 0: not seen.
char gLayoutCharacter[SDL_NUM_SCANCODES][2] = {};

// A key press is followed in the queue by the text it typed, if any: one printable ASCII
// character is what the key typed. Plain and shifted characters of keys other than letters are
// also learnt for reading keys by their state: letters already come from the key's name, and
// Caps Lock, Ctrl, Alt and AltGr would teach what the key types only with them.
char TypedCharacter(const SDL_KeyboardEvent& key) {
  SDL_Event next;
  if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return 0;
  if (next.type != SDL_TEXTINPUT) return 0;
  const char* text = next.text.text;
  const char c = text[0];
  if (text[1] != 0 || c < 0x20 || c > 0x7E) return 0;
  const Uint16 mod = key.keysym.mod;
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c != ' ' && !letter &&
      (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI | KMOD_MODE | KMOD_CAPS)) == 0) {
    gLayoutCharacter[key.keysym.scancode][(mod & KMOD_SHIFT) != 0 ? 1 : 0] = c;
  }
  return c;
}

bool EnsureVideo(std::string& why) {
  if (gVideoUp) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    why = SDL_GetError();
    return false;
  }
  gVideoUp = true;
  return true;
}

}  // namespace

bool OpenWindow(const WindowSpec& spec, std::string& why) {
  if (!EnsureVideo(why)) return false;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  gLogicalWidth = spec.width;
  gLogicalHeight = spec.height;
  gScale = StartScale(spec.width, spec.height, 0);
  gMotionRestX = gMotionRestY = 0;
  // The window can be resized; it stays at the renderer's size should the context not be able
  // to draw offscreen (see CreateGLContext).
  gTitle = spec.title != nullptr ? spec.title : "";
  int width = spec.width * gScale;
  int height = spec.height * gScale;
  gWholeScreenPending = false;
  gSizeKept = false;
  WindowSettings settings;
  if (!gSettingsPath.empty() && ReadWindowSettings(gSettingsPath, settings)) {
    // A size kept from a larger screen than this one is not used.
    SDL_Rect usable{0, 0, settings.width, settings.height};
    SDL_GetDisplayUsableBounds(0, &usable);
    if (settings.width >= spec.width / 4 && settings.height >= spec.height / 4 &&
        settings.width <= usable.w && settings.height <= usable.h) {
      width = settings.width;
      height = settings.height;
      gSizeKept = true;
    }
    gWholeScreenPending = settings.wholeScreen;
    audio::SetMusicMuted(settings.musicOff);
    audio::SetSoundsMuted(settings.soundsOff);
  }
  gWindowedWidth = width;
  gWindowedHeight = height;
  gWindow = SDL_CreateWindow(spec.title, spec.x, spec.y, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (gWindow == nullptr) {
    why = SDL_GetError();
    return false;
  }
  SDL_SetWindowMinimumSize(gWindow, std::max(1, spec.width / 4), std::max(1, spec.height / 4));
  return true;
}

// Without an offscreen target the window shows the renderer's pixels one to one.
void KeepWindowAtRendererSize() {
  gScale = 1;
  SDL_SetWindowResizable(gWindow, SDL_FALSE);
  SDL_SetWindowMinimumSize(gWindow, gLogicalWidth, gLogicalHeight);
  SDL_SetWindowSize(gWindow, gLogicalWidth, gLogicalHeight);
}

// The game's title, and what the player has silenced.
void ShowTitle() {
  if (gWindow == nullptr) return;
  const bool music = audio::MusicMuted();
  const bool sounds = audio::SoundsMuted();
  std::string title = gTitle;
  if (music || sounds) {
    title += music && sounds ? " (music and sounds off)" : music ? " (music off)" : " (sounds off)";
  }
  SDL_SetWindowTitle(gWindow, title.c_str());
}

// F11: the whole screen (at the desktop's own mode, the picture scaled) or the window again.
bool OnWholeScreen() {
  return gWindow != nullptr && (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                                   SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void SetWholeScreen(bool whole) {
  if (gWindow == nullptr || !HasScaledTarget() || whole == OnWholeScreen()) return;
  if (whole) {
    SDL_GetWindowSize(gWindow, &gWindowedWidth, &gWindowedHeight);
    SDL_SetWindowFullscreen(gWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(gWindow, 0);
    // The size before is given back here: not every desktop does that itself.
    if (gWindowedWidth > 0 && gWindowedHeight > 0) {
      SDL_SetWindowSize(gWindow, gWindowedWidth, gWindowedHeight);
    }
  }
  gMotionRestX = gMotionRestY = 0;
}

// Keeps the player's choices for the next run.
void SaveSettings() {
  if (gSettingsPath.empty() || gWindow == nullptr) return;
  WindowSettings settings;
  settings.wholeScreen = OnWholeScreen();
  if (settings.wholeScreen) {
    settings.width = gWindowedWidth;
    settings.height = gWindowedHeight;
  } else {
    SDL_GetWindowSize(gWindow, &settings.width, &settings.height);
  }
  settings.musicOff = audio::MusicMuted();
  settings.soundsOff = audio::SoundsMuted();
  WriteWindowSettings(gSettingsPath, settings);
}

// Relative motion in window pixels as picture pixels, so that the pointer keeps pace with
// the hand however large the picture is shown; what is left over is carried to the next.
int ToPicturePixels(int motion, double& rest) {
  const double scale = ShownScale(gWindow);
  if (scale == 1) return motion;
  const double exact = motion / scale + rest;
  // A hair over the exact sum, so that thirds adding up to a whole make that whole.
  const int whole = static_cast<int>(std::floor(exact + 1e-9));
  rest = exact - whole;
  return whole;
}

void CloseWindow() {
  SaveSettings();
  DestroyGLContext();
  gLogicalWidth = gLogicalHeight = 0;
  if (gWindow != nullptr) SDL_DestroyWindow(gWindow);
  gWindow = nullptr;
}

bool HasWindow() {
  return gWindow != nullptr;
}

void ShowWindow(bool visible) {
  if (gWindow == nullptr) return;
  if (visible) {
    SDL_ShowWindow(gWindow);
    SDL_RaiseWindow(gWindow);
  } else {
    SDL_HideWindow(gWindow);
  }
}

void KeepSettingsIn(const std::string& path) {
  gSettingsPath = path;
}

void SetWindowTitle(const char* title) {
  gTitle = title != nullptr ? title : "";
  ShowTitle();
}

void GetWindowSize(int& width, int& height) {
  width = height = 0;
  if (gWindow == nullptr) return;
  width = gLogicalWidth;
  height = gLogicalHeight;
}

void SetWindowPosition(int x, int y) {
  if (gWindow != nullptr) SDL_SetWindowPosition(gWindow, x, y);
}

// A new renderer size gives the window that size times its scale; the same size leaves the
// window as the player has made it.
void SetWindowSize(int width, int height) {
  if (gWindow == nullptr || width <= 0 || height <= 0) return;
  if (width == gLogicalWidth && height == gLogicalHeight) return;
  gLogicalWidth = width;
  gLogicalHeight = height;
  if (HasScaledTarget() && !ResizeScaledTarget(width, height)) KeepWindowAtRendererSize();
  SDL_SetWindowSize(gWindow, width * gScale, height * gScale);
}

bool SetFullscreen(bool fullscreen, int width, int height, int bits) {
  if (gWindow == nullptr) return false;
  if (!fullscreen) {
    SDL_SetWindowFullscreen(gWindow, 0);
    return true;
  }
  SDL_DisplayMode want{};
  want.w = width;
  want.h = height;
  want.format = bits == 16 ? SDL_PIXELFORMAT_RGB565 : 0;
  SDL_DisplayMode got{};
  int display = SDL_GetWindowDisplayIndex(gWindow);
  if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &want, &got) == nullptr) return false;
  if (got.w != width || got.h != height) return false;
  // A depth asked for must be the depth got; the caller falls back to the desktop's itself.
  int gotBits = SDL_BITSPERPIXEL(got.format) == 24 ? 32 : SDL_BITSPERPIXEL(got.format);
  if (bits != 0 && gotBits != bits) return false;
  if (SDL_SetWindowDisplayMode(gWindow, &got) != 0) return false;
  return SDL_SetWindowFullscreen(gWindow, SDL_WINDOW_FULLSCREEN) == 0;
}

int DesktopBits() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
  int bits = SDL_BITSPERPIXEL(mode.format);
  return bits == 24 ? 32 : bits;
}

void ShowCursor(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool CreateGLContext(int colorBits, std::string& why) {
  (void)colorBits;
  if (gWindow == nullptr) {
    why = "no window";
    return false;
  }
  if (gContext != nullptr) return true;
  gContext = SDL_GL_CreateContext(gWindow);
  if (gContext == nullptr) {
    why = SDL_GetError();
    return false;
  }
  SDL_GL_MakeCurrent(gWindow, gContext);
  // Frame pacing is the runtime's own; the driver must not add a wait of its own.
  SDL_GL_SetSwapInterval(0);
  if (!CreateScaledTarget(gLogicalWidth, gLogicalHeight)) KeepWindowAtRendererSize();
  if (gWholeScreenPending) SetWholeScreen(true);
  gWholeScreenPending = false;
  return true;
}

void DestroyGLContext() {
  if (gContext != nullptr) {
    DestroyScaledTarget();
    SDL_GL_MakeCurrent(gWindow, nullptr);
    SDL_GL_DeleteContext(gContext);
  }
  gContext = nullptr;
}

bool HasGL() {
  return gContext != nullptr;
}

void SwapBuffers() {
  if (gWindow != nullptr && gContext != nullptr) PresentScaledTarget(gWindow);
}

void* GetGLProcAddress(const char* name) {
  return SDL_GL_GetProcAddress(name);
}

void PreferPictureSize() {
  if (gWindow == nullptr || gSizeKept || OnWholeScreen()) return;
  gScale = 1;
  SDL_SetWindowSize(gWindow, gLogicalWidth, gLogicalHeight);
}

void ShowWarningBox(const char* caption, const char* text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, gWindow);
}

uint64_t PerfCounter() {
  return SDL_GetPerformanceCounter();
}
uint64_t PerfFrequency() {
  return SDL_GetPerformanceFrequency();
}
uint32_t TicksMs() {
  return SDL_GetTicks();
}

void SleepMs(double ms) {
  if (ms <= 0) return;
  SDL_Delay(static_cast<Uint32>(std::floor(ms)));
}

void SleepUntilCounter(uint64_t counter) {
  // The counter and CLOCK_MONOTONIC tick at the same rate (within the clock's slewing, a few
  // parts per million), so the deadline is carried over once and then slept on absolutely:
  // a signal or a late wake-up cannot make the sleep longer than the deadline allows.
  uint64_t now = SDL_GetPerformanceCounter();
  if (counter <= now) return;
  double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  auto left = static_cast<int64_t>(static_cast<double>(counter - now) * 1e9 / frequency);
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  int64_t nanos = deadline.tv_nsec + left;
  deadline.tv_sec += static_cast<time_t>(nanos / 1000000000);
  deadline.tv_nsec = static_cast<long>(nanos % 1000000000);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

bool PollOsEvent(Event& event) {
  if (!gVideoUp) return false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        event = Event{EventType::kQuit};
        return true;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          event = Event{EventType::kQuit};
          return true;
        }
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          event = Event{EventType::kFocusGained};
          return true;
        }
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          event = Event{EventType::kFocusLost};
          return true;
        }
        // A window made larger or uncovered shows the last picture again at once, also
        // while the program waits for a key and presents nothing.
        if ((e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
             e.window.event == SDL_WINDOWEVENT_EXPOSED) &&
            gContext != nullptr) {
          ShowLastPicture(gWindow);
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        if (e.key.repeat) break;
        // The window's own keys, never the game's: the whole screen, music, sound effects.
        if (e.key.keysym.scancode == SDL_SCANCODE_F11) {
          if (e.type == SDL_KEYDOWN) {
            SetWholeScreen(!OnWholeScreen());
            SaveSettings();
          }
          break;
        }
        if (e.key.keysym.scancode == SDL_SCANCODE_F9 || e.key.keysym.scancode == SDL_SCANCODE_F10) {
          if (e.type == SDL_KEYDOWN) {
            if (e.key.keysym.scancode == SDL_SCANCODE_F9) {
              audio::SetMusicMuted(!audio::MusicMuted());
            } else {
              audio::SetSoundsMuted(!audio::SoundsMuted());
            }
            ShowTitle();
            SaveSettings();
          }
          break;
        }
        int dik = DikFromSdlScancode(e.key.keysym.scancode);
        if (dik == 0) break;
        event = Event{e.type == SDL_KEYDOWN ? EventType::kKeyDown : EventType::kKeyUp, dik};
        if (e.type == SDL_KEYDOWN) event.typed = TypedCharacter(e.key);
        return true;
      }
      case SDL_MOUSEMOTION:
        event = Event{EventType::kMouseMotion, 0, ToPicturePixels(e.motion.xrel, gMotionRestX),
                      ToPicturePixels(e.motion.yrel, gMotionRestY)};
        return true;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        int button = e.button.button == SDL_BUTTON_LEFT     ? 0
                     : e.button.button == SDL_BUTTON_RIGHT  ? 1
                     : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                            : -1;
        if (button < 0) break;
        event = Event{
            e.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseButtonDown : EventType::kMouseButtonUp,
            0, 0, 0, button};
        return true;
      }
      default:
        break;
    }
  }
  return false;
}

void SetMouseCaptured(bool captured) {
  SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE);
}

bool WindowHasFocus() {
  return gWindow != nullptr && (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

char KeyCharacter(int scanCode, bool shift) {
  int sdlCode = SdlScancodeFromDik(scanCode);
  if (sdlCode <= 0 || sdlCode >= SDL_NUM_SCANCODES) return 0;
  SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(sdlCode));
  // The keypad's operator keys type their characters as the main keys do.
  if (key == SDLK_KP_MULTIPLY) return '*';
  if (key == SDLK_KP_MINUS) return '-';
  if (key == SDLK_KP_PLUS) return '+';
  const char learnt = gLayoutCharacter[sdlCode][shift ? 1 : 0];
  if (learnt != 0) return learnt;
  if (key <= 0 || key >= 128) return 0;
  char c = static_cast<char>(key);
  if (c < 32 || c == 127) return 0;
  if (shift) {
    // Until the key has been seen with Shift: the usual US characters.
    static const char kFrom[] = "`1234567890-=[]\\;',./";
    static const char kTo[] = "~!@#$%^&*()_+{}|:\"<>?";
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    const char* at = std::strchr(kFrom, c);
    if (at != nullptr) return kTo[at - kFrom];
  }
  return c;
}

}  // namespace tobli::platform::sdl
