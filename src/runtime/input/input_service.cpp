// Start-up and shutdown steps of the input service. Scaffolding until input lands.
#include "core/services.h"

void __CreateInputService() {}
void __CreateInputDevices(bool wantMouse) {
  (void)wantMouse;
}
void __DestroyInputService() {}
