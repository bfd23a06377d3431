// Sound effects and music commands of the game language.
#pragma once

#include "core/kdstr.h"

void LOADSOUND(KDStr file, double n, double voices);
void PLAYSOUND(double n, double pan, double volume);
void HUSH();
// 0 when playing started, 3 when the file was not found.
double PLAYMUSIC(KDStr file);
void STOPMUSIC();
double PLAYMOVIE(KDStr file);
double LOOPMOVIE(KDStr file);
