// Start-up and shutdown steps of the sound service. Scaffolding until sound lands.
#include "core/services.h"

void __CreateSoundService() {}
void __CreateSoundDevice() {}
void __StopMusicService() {}
void __DestroySoundServices() {}
void __LoopMusic() {}
