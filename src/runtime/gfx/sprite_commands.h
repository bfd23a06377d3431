// Sprites, fonts and full-screen pictures: the drawing commands of the game language.
#pragma once

#include "core/kdstr.h"

void LOADSPRITE(KDStr file, double n);
void SPRITE(double n, double x, double y);
void STRETCHSPRITE(double n, double x, double y, double w, double h);
void ZOOMSPRITE(double n, double x, double y, double sx, double sy);
void ROTOSPRITE(double n, double x, double y, double angle);
void ROTOZOOMSPRITE(double n, double x, double y, double angle, double zoom);
void ALPHAMODE(double mode);
void GRABSPRITE(double n, double x, double y, double w, double h);
double SPRCOLL(double a, double x1, double y1, double b, double x2, double y2);
void BOXCOLL(double& result, double x1, double y1, double w1, double h1, double x2, double y2,
             double w2, double h2);

void LOADFONT(KDStr file, double n);
void SETFONT(double n);
void PRINT(KDStr text, double x, double y);
void PRINT(double number, double x, double y);
void GETFONTSIZE(double& w, double& h);

void LOADBMP(KDStr file);
void BLACKSCREEN();
void USEASBMP();
void BLENDSCREEN(KDStr file);
double SAVEBMP(KDStr file);
