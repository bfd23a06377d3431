// The media archives: two slots, each naming an archive file, and the fetch step that every
// loader runs before it opens a file.
#pragma once

#include "core/kdstr.h"

class QMDezeZer {
 public:
  // Deletes the slot's temporary file, then empties szFile and szTemp.
  void Clear();
  KDStr szFile;  // the archive this slot reads
  KDStr szTemp;  // the temporary file of the slot's last extract ("" for none)
};

extern QMDezeZer __g_DezeZer_Data;
extern QMDezeZer __g_DezeZer_Media;

// Points the data and media slots at new archives (prints "Setting box:%s\n" for each).
void SETDEZEZER(KDStr data, KDStr media);
// The fetch step: on true, name holds the path to open (the plain file or the slot's extract);
// on false nothing is to be loaded.
bool ExtractMember(QMDezeZer& slot, KDStr& name);
