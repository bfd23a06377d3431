// Built-in functions of the game language: random numbers, maths, texts, process.
#pragma once

#include <cstdint>

#include "core/isaac.h"
#include "core/kdstr.h"

// A whole number from 0 to n (n truncated); 0 for a negative n.
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
// The remainder of the truncated values, with the sign of a; 0 when b's whole part is 0.
double MOD(double a, double b);
double LEN(KDStr text);
double LEN(double v);
// count characters from position start (from 0); the empty text when nothing is in range.
KDStr MID_Str(KDStr text, double start, double count);
KDStr GETCOMMANDLINE_Str();
// The current directory with "/" separators and a trailing "/"; empty when it does not fit.
KDStr GETCURRENTDIR_Str();
// 1 when path became the current directory, else 0.
double SETCURRENTDIR(KDStr path);
// Starts the program of the command line without a shell (arguments split at blanks, double
// quotes group, \" is a quote); 1 if it started, else 0. With wait set, waits and stores the
// exit code; otherwise exitCode stays 0.
double SHELLCMD(KDStr command, double wait, double show, double& exitCode);
