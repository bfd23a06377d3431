#include "vez_common.h"

#include <cstdio>

#include "data/little_endian.h"

namespace vez {

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "vez: %s\n", message.c_str());
  return code;
}

bool LoadArchive(const std::string& path, OpenArchive& archive) {
  if (!archive.file.Open(path.c_str(), QMFileSystem::kRead)) {
    Fail(kExitBadArchive, path + ": cannot open the archive");
    return false;
  }
  archive.source = std::make_unique<FileArchiveSource>(archive.file);
  archive.directory = std::make_unique<ArchiveDirectory>(*archive.source);
  if (!archive.directory->Start()) {
    Fail(kExitBadArchive, path + ": not an archive (no directory position inside the file)");
    return false;
  }
  ArchiveEntry entry;
  while (archive.directory->Next(entry)) archive.entries.push_back(entry);
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& data) {
  QMFileSystem file;
  if (!file.Open(path.c_str(), QMFileSystem::kRead)) return false;
  int64_t size = file.Size();
  if (size < 0) return false;
  data.resize(static_cast<size_t>(size));
  return file.Read(data.data(), size) == size;
}

uint32_t StatedLength(const unsigned char* block) {
  return ReadLittleEndian32(block);
}

bool SameMemberName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EntryMatches(a, b);
}

}  // namespace vez
