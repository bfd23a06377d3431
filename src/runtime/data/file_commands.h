// Line-addressed text data files and file-system commands of the game language.
#pragma once

#include "core/arrays.h"
#include "core/kdstr.h"

void GETFILE(KDStr file, double line, KDStr& text);
void GETFILE(KDStr file, double line, double& value);
void PUTFILE(KDStr file, double line, KDStr text);
void PUTFILE(KDStr file, double line, double value);
double DOESFILEEXIST(KDStr file);
double GETFILELIST(KDStr pattern, KDStrArray& list);
KDStr FILEREQUEST_Str(double open, KDStr filter);
