// The input devices on SDL: the event subsystem gives keyboard and mouse events; the pointer is
// captured with SDL's relative mouse mode.
#include <SDL.h>

#include "platform/platform_input_impl.h"

namespace tobli::platform::input::sdl {

InputDevices ProbeInputDevices() {
  InputDevices devices;
  devices.service = SDL_WasInit(SDL_INIT_EVENTS) != 0 || SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
  devices.keyboard = devices.service;
  devices.keyboardAcquired = devices.service;
  devices.mouse = devices.service;
  devices.mouseAcquired = devices.service;
  return devices;
}

bool CaptureMouse(bool captured) {
  return SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE) == 0;
}

}  // namespace tobli::platform::input::sdl
