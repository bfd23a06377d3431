// The text file cache: one line-addressed text file held in memory, written back when another
// file is named or the program ends.
#pragma once

#include <cstdint>

#include "core/kdstr.h"

struct FAST_FILE {
  static constexpr int kLines = 256;
  static constexpr int kLineLength = 1024;

  // Writes a dirty cached file back, empties the cache, then (file not null) reads file into it.
  // 0 on success; 3 when file cannot be opened for reading (code 3 is recorded, the cache stays
  // empty). A write-back that fails leaves a line in the error log.
  int FillBuffer(const char* file);
  // Writes the cached file back now if it has changed, and keeps it cached. False when it
  // cannot be written (the line is logged as for any write-back, and the changes stay to be
  // written again later).
  bool WriteBackNow();

  char szName[1024];                     // path of the cached file; empty when none
  char szLine[kLines][kLineLength + 1];  // lines 0..255 without their line ends
  int32_t nLast;                         // index of the last line held (0 also for none)
  uint8_t bDirty;                        // a line changed since the file was read
};

extern FAST_FILE __g_FastFile;

// Line access behind GETFILE and PUTFILE. The line number is taken as unsigned 16 bits; lines
// above 255 give 7 (code 7 recorded), a file that cannot be opened 3, success 0.
// GetFile yields "NO_DATA" for a missing or empty line or a bad number, "NO_FILE" for a file it
// cannot open. PutFile never creates a file.
double GetFile(const char* file, short line, KDStr& text);
double PutFile(const char* file, short line, KDStr& text);
