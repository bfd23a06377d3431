// What the platform can give the input service: whether there is an input service at all, a
// keyboard and a mouse, and whether they can be taken (the pointer captured). Key and mouse
// data themselves arrive as platform events (platform.h).
#pragma once

#include "platform/platform.h"

namespace tobli::platform::input {

struct InputDevices {
  bool service = true;           // an input service exists at all
  bool keyboard = true;          // a keyboard device can be made
  bool keyboardAcquired = true;  // ... and taken
  bool mouse = true;             // a mouse device can be made
  bool mouseAcquired = true;     // ... and the pointer can be held (headless only)
};

// The devices the platform offers (SDL: its event subsystem, which always has a keyboard and
// a mouse). Headless: what SetHeadlessInputDevices last set, everything by default.
InputDevices ProbeInputDevices();
void SetHeadlessInputDevices(const InputDevices& devices);

// Captures the pointer for relative motion (hidden and held in the window) or releases it.
// False when the platform cannot capture it. Headless: always true; the state is remembered.
bool CaptureMouse(bool captured);
bool MouseCaptured();

}  // namespace tobli::platform::input
