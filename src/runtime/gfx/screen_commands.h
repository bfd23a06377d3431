// Frame pacing, timers and the primitive drawing commands of the game language.
#pragma once

#include <cstdint>

// Ends the frame: music loop, keyboard refresh, quit keys, present, pace, reset, background.
void SHOWSCREEN();
// The frame cap, truncated toward zero; 0 or less caps at 500 frames per second.
void LIMITFPS(double fps);
// Duration of the last frame in ms, at least 1.
double GETTIMER();
// Milliseconds from start-up to the latest SHOWSCREEN.
double GETTIMERALL();

void DRAWLINE(double x1, double y1, double x2, double y2, double colour);
void FILLRECT(double x1, double y1, double x2, double y2, double colour);
void SETPIXEL(double x, double y, double colour);
void STARTPOLY(double sprite);
void POLYVECTOR(double x, double y, double tx, double ty, double colour);
void ENDPOLY();
