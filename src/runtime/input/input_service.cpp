// Start-up and shutdown steps of the input service. Scaffolding until input lands: it keeps
// a plain key-down table from the platform's events so the quit keys work.
#include "core/frame.h"
#include "core/services.h"

namespace {
bool gDown[256];
void Sink(const tobli::platform::Event& event) {
  if (event.key <= 0 || event.key > 255) return;
  if (event.type == tobli::platform::EventType::kKeyDown) gDown[event.key] = true;
  if (event.type == tobli::platform::EventType::kKeyUp) gDown[event.key] = false;
}
}  // namespace

void __CreateInputService() {
  __SetInputEventSink(Sink);
}
void __CreateInputDevices(bool wantMouse) {
  (void)wantMouse;
}
void __DestroyInputService() {
  __SetInputEventSink(nullptr);
}
void __RefreshKeyboard() {
  __DispatchEvents();
}
bool __QuitKeysDown() {
  return gDown[0x01] || (gDown[0x38] && gDown[0x3E]);
}
