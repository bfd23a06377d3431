#include "data/archive_extract_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr char kDirPattern[] = "tobli-vez-XXXXXX";
// The longest name of one path component.
constexpr size_t kMaxComponent = 255;

bool IsOurPrivateDir(const std::string& dir, const std::string& parent) {
  if (dir.size() <= parent.size() || dir.compare(0, parent.size(), parent) != 0) return false;
  if (dir.find('/', parent.size()) != std::string::npos) return false;
  struct stat info;
  return lstat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         (info.st_mode & 0777) == 0700;
}

}  // namespace

bool EnsureExtractDir(QMDezeZer& slot) {
  std::string parent = tobli::platform::TempDir();
  std::string dir = slot.szDir.ToStdString();
  if (!dir.empty() && IsOurPrivateDir(dir, parent)) return true;
  // Gone, or under a temporary directory that is no longer the current one.
  RemoveExtractDir(slot);
  std::string pattern = parent + kDirPattern;
  if (pattern.size() >= static_cast<size_t>(QMDezeZer::kMaxPath)) return false;
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back(0);
  if (mkdtemp(buffer.data()) == nullptr) return false;
  slot.szDir = buffer.data();
  return true;
}

void RemoveExtractDir(QMDezeZer& slot) {
  if (slot.szDir.Length() > 0) rmdir(slot.szDir.GetStrData());
  slot.szDir = "";
}

std::string ExtractFileName(int offset, int size, const std::string& memberName, size_t dirLength,
                            size_t maxPath) {
  char prefix[32];
  std::snprintf(prefix, sizeof(prefix), "~vez%X%x", static_cast<unsigned>(offset),
                static_cast<unsigned>(size));
  std::string flat = memberName;
  for (char& c : flat) {
    if (c == '/' || c == '\\') c = '_';
  }
  std::string fileName = prefix;
  size_t used = dirLength + 1 + fileName.size();
  if (used > maxPath || fileName.size() > kMaxComponent) return "";
  size_t room = std::min(maxPath - used, kMaxComponent - fileName.size());
  if (flat.size() > room) flat.erase(0, flat.size() - room);
  return fileName + flat;
}
