// The media archives: two slots, each naming an archive file, and the fetch step that every
// loader runs before it opens a file.
#pragma once

#include "core/kdstr.h"

class QMDezeZer {
 public:
  // The longest archive path and temporary path a slot holds.
  static constexpr int kMaxPath = 259;

  QMDezeZer() = default;
  // Clear(): a process that ends without the exit steps still removes its extracts.
  ~QMDezeZer();
  // Deletes the slot's temporary file and its private extract directory, then empties szFile
  // and szTemp.
  void Clear();
  // Deletes the slot's temporary file (if any) and empties szTemp.
  void DeleteTemp();

  KDStr szFile;  // the archive this slot reads ("" for none: plain files only)
  KDStr szTemp;  // the temporary file of the slot's last extract ("" for none)
  KDStr szDir;   // the slot's private directory for extracts ("" until the first extract)
};

extern QMDezeZer __g_DezeZer_Data;
extern QMDezeZer __g_DezeZer_Media;

// Points the data and media slots at new archives (prints "Setting box:%s\n" for each). A path
// longer than QMDezeZer::kMaxPath leaves that slot empty.
void SETDEZEZER(KDStr data, KDStr media);
// The fetch step: on true, name holds the path to open (the plain file or the slot's extract);
// on false nothing is to be loaded (name may have been emptied). Never ends the program.
bool ExtractMember(QMDezeZer& slot, KDStr& name);
