// Keyboard and mouse commands of the game language. Key numbers are DirectInput scan codes
// (200 up, 203 left, 205 right, 208 down, 28 Enter, 57 Space, 1 Esc).
#pragma once

#include "core/kdstr.h"

double KEY(double n);
void MOUSESTATE(double& x, double& y, double& b1, double& b2);
void SETMOUSE(double x, double y);
double KEYWAIT();
double MOUSEWAIT();
KDStr INKEY_Str();
void INPUT(KDStr& text, double x, double y);
void INPUT(double& number, double x, double y);
