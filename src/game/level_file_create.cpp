#include "level_file_create.h"

#include <cstdio>
#include <filesystem>

bool CreateFileIfMissing(const KDStr& path) {
  if (path.Length() == 0) return false;
  if (DOESFILEEXIST(path) != 0) return true;
  std::error_code error;
  std::filesystem::path parent = std::filesystem::path(path.GetStrData()).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  // Append mode never truncates, should the file have appeared in the meantime.
  std::FILE* file = std::fopen(path.GetStrData(), "ab");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}
