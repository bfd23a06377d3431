// Line-addressed text data files and file-system commands of the game language.
#pragma once

#include "core/arrays.h"
#include "core/kdstr.h"

void GETFILE(KDStr file, double line, KDStr& text);
void GETFILE(KDStr file, double line, double& value);
void PUTFILE(KDStr file, double line, KDStr text);
void PUTFILE(KDStr file, double line, double value);
// Makes what PUTFILE changed reach the disk now, not only when another file is named or the
// program ends, so that a crash or a killed program cannot lose it. False when the file
// cannot be written (the changes stay, to be written again later).
bool __WriteTextFileNow();
double DOESFILEEXIST(KDStr file);
double GETFILELIST(KDStr pattern, KDStrArray& list);
KDStr FILEREQUEST_Str(double open, KDStr filter);
