// Start-up, shutdown and SHOWSCREEN steps of the input service.
#include "core/frame.h"
#include "core/services.h"
#include "input/dxinput.h"

namespace {

void Sink(const tobli::platform::Event& event) {
  if (pDXin != nullptr) pDXin->HandleEvent(event);
}

}  // namespace

void __CreateInputService() {
  if (pDXin == nullptr) pDXin = new DXInput;
  __SetInputEventSink(Sink);
}

void __CreateInputDevices(bool wantMouse) {
  if (pDXin != nullptr) pDXin->CreateDInput(wantMouse);
}

void __DestroyInputService() {
  __SetInputEventSink(nullptr);
  delete pDXin;
  pDXin = nullptr;
}

void __RefreshKeyboard() {
  if (pDXin != nullptr) pDXin->GetKeyboardStatus();
}

bool __QuitKeysDown() {
  if (pDXin == nullptr) return false;
  // Esc, or the left Alt key with F4.
  return pDXin->KeyHeld(0x01) || (pDXin->KeyHeld(0x38) && pDXin->KeyHeld(0x3E));
}
