// Built-in functions of the game language: random numbers, maths, texts, process.
#pragma once

#include <cstdint>

#include "core/kdstr.h"

void QMsrand(unsigned long seed);
uint32_t QMrand();
double RND(double n);
double SIN(double deg);
double COS(double deg);
double TAN(double deg);
double ATAN(double y, double x);
double ASIN(double v);
double ACOS(double v);
double SQR(double v);
double ABS(double v);
double POW(double base, double exponent);
double MOD(double a, double b);
double LEN(KDStr text);
double LEN(double v);
KDStr MID_Str(KDStr text, double start, double count);
KDStr GETCOMMANDLINE_Str();
KDStr GETCURRENTDIR_Str();
double SETCURRENTDIR(KDStr path);
double SHELLCMD(KDStr command, double wait, double show, double& exitCode);
