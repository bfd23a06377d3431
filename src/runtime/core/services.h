// The start-up and shutdown steps that belong to the services. The frame calls them in its
// fixed order; each subsystem defines its own.
#pragma once

#include <string>

// Creation of the service objects (start-up step 5), in this order.
void __CreateInputService();
void __CreateRenderer();
void __CreateSoundService();  // the sound service and the 128 sound buffers
// Renderer initialisation with the window (step 6). False when no OpenGL context can be made;
// why then says what failed.
bool __InitRenderer(int width, int height, int bits, int fps, std::string& why);
// The renderer's clock in milliseconds (steps 7 and 15).
double __ClockMs();
// Seeds the random generator (step 7).
void __SeedRandom(unsigned long seed);
// Full screen or windowed (step 8).
void __SetDisplayMode(bool fullscreen);
// Input devices (with the mouse when asked) and the sound device (step 9).
void __CreateInputDevices(bool wantMouse);
void __CreateSoundDevice();
// Both archive slots to the executable (step 11).
void __SetArchivesToExecutable(const std::string& path);
// Font 0 from "Smalfont.bmp" (step 12).
void __LoadStartupFont();
// A first cleared, presented frame and the 2D view (step 13).
void __PresentFirstFrame();
// Shutdown: the music stops (end step 2); the services are destroyed (end step 4) in the order
// renderer, input, sound buffers (last to first), sound service.
void __StopMusicService();
void __DestroyRenderer();
void __DestroyInputService();
void __DestroySoundServices();

// Steps of SHOWSCREEN that belong to other services: the music restarts when it has reached
// its end; the keyboard state is refreshed; the quit keys (Esc, or left Alt + F4) are read.
void __LoopMusic();
void __RefreshKeyboard();
bool __QuitKeysDown();
