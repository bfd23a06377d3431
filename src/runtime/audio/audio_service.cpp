// Start-up, shutdown and SHOWSCREEN steps of the sound service.
#include "audio/audio_commands.h"
#include "audio/music.h"
#include "audio/sfx_sound.h"
#include "core/services.h"

void __CreateSoundService() {
  if (pDXsnd == nullptr) pDXsnd = new SFXSound;
  if (DXwav == nullptr) DXwav = new SFXSoundBuffer[kSoundSlots];
}

void __CreateSoundDevice() {
  if (pDXsnd != nullptr) pDXsnd->Create();
}

void __StopMusicService() {
  STOPMUSIC();
}

void __DestroySoundServices() {
  // The slots go first (delete[] takes them from the last to the first), then the device.
  delete[] DXwav;
  DXwav = nullptr;
  delete pDXsnd;
  pDXsnd = nullptr;
}

void __LoopMusic() {
  LoopMusic();
}
