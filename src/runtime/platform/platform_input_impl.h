// The SDL side of input_platform.h. Only platform/ includes this header.
#pragma once

#include "platform/input_platform.h"

namespace tobli::platform::input::sdl {
InputDevices ProbeInputDevices();
bool CaptureMouse(bool captured);
}  // namespace tobli::platform::input::sdl
