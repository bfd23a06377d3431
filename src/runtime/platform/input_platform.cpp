#include "platform/input_platform.h"

#include "platform/platform_input_impl.h"

namespace tobli::platform::input {
namespace {

InputDevices gHeadlessDevices;
bool gCaptured = false;

}  // namespace

InputDevices ProbeInputDevices() {
  return IsHeadless() ? gHeadlessDevices : sdl::ProbeInputDevices();
}

void SetHeadlessInputDevices(const InputDevices& devices) {
  gHeadlessDevices = devices;
}

bool CaptureMouse(bool captured) {
  if (IsHeadless() ? captured && !gHeadlessDevices.mouseAcquired : !sdl::CaptureMouse(captured)) {
    return false;
  }
  gCaptured = captured;
  return true;
}

bool MouseCaptured() {
  return gCaptured;
}

}  // namespace tobli::platform::input
