// Start-up step of the archives. Scaffolding until the archive lands.
#include "core/services.h"

void __SetArchivesToExecutable(const std::string& path) {
  (void)path;
}
