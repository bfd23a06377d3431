#include "data/file_commands.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/archive.h"
#include "data/fast_file.h"
#include "data/file_system.h"
#include "data/wild_match.h"

namespace {

// The line number truncated toward zero. Numbers outside 0..255 all map to one out-of-range
// value, so a large number cannot wrap around onto a real line.
short LineNumber(double line) {
  if (!(line > -1 && line < FAST_FILE::kLines)) return -1;
  return static_cast<short>(line);
}

bool IsDirectory(const struct dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  struct stat info;
  return stat(entry->d_name, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void GETFILE(KDStr file, double line, KDStr& text) {
  // A text file may come from the data archive: the fetch yields the path to read.
  if (!ExtractMember(__g_DezeZer_Data, file)) {
    text = "NO_FILE";
    return;
  }
  GetFile(file.GetStrData(), LineNumber(line), text);
}

void GETFILE(KDStr file, double line, double& value) {
  KDStr text;
  GETFILE(file, line, text);
  // "NO_FILE" and "NO_DATA" hold no number and read as 0.
  value = static_cast<double>(text);
}

void PUTFILE(KDStr file, double line, KDStr text) {
  PutFile(file.GetStrData(), LineNumber(line), text);
}

void PUTFILE(KDStr file, double line, double value) {
  KDStr text(value);
  PutFile(file.GetStrData(), LineNumber(line), text);
}

double DOESFILEEXIST(KDStr file) {
  QMFileSystem plain;
  return plain.Open(file.GetStrData(), QMFileSystem::kRead) ? 1 : 0;
}

double GETFILELIST(KDStr pattern, KDStrArray& list) {
  std::vector<std::string> directories;
  std::vector<std::string> files;
  if (DIR* dir = opendir(".")) {
    while (const struct dirent* entry = readdir(dir)) {
      if (IsDirectory(entry)) {
        directories.push_back(entry->d_name);
      } else if (szWildMatch(pattern.GetStrData(), entry->d_name)) {
        files.push_back(entry->d_name);
      }
    }
    closedir(dir);
  }
  double count = static_cast<double>(directories.size() + files.size());
  DIM(list, count);
  double i = 0;
  // A name longer than a text holds is stored empty by the assignment.
  for (const std::string& name : directories) list(i++) = name.c_str();
  for (const std::string& name : files) list(i++) = name.c_str();
  return static_cast<double>(directories.size()) * 65536 + static_cast<double>(files.size());
}

bool __WriteTextFileNow() {
  return __g_FastFile.WriteBackNow();
}
