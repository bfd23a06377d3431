// Start-up step of the fonts. Scaffolding until fonts land.
#include "core/services.h"

void __LoadStartupFont() {}
