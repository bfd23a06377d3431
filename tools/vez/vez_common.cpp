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
  int64_t end = archive.directory->fromEnd()
                    ? archive.directory->length() + archive.directory->trailer()
                    : archive.directory->trailer();
  while (archive.directory->Next(entry)) {
    archive.entries.push_back(entry);
    end += static_cast<int64_t>(1 + entry.name.size() + 8);
  }
  // The walk ends cleanly at a zero length byte or where only the trailer is left (a directory
  // may run to the end of the file); a non-zero length byte before that began an entry that
  // the file does not hold whole.
  unsigned char lengthByte = 0;
  int64_t trailerStart = archive.directory->length() - ArchiveDirectory::kTrailerBytes;
  if (end < trailerStart && archive.source->ReadAt(end, &lengthByte, 1) == 1 && lengthByte != 0) {
    archive.cutShort = true;
    Fail(kExitBadArchive, path + ": the directory ends inside an entry (damaged or cut short); " +
                              std::to_string(archive.entries.size()) + " whole entries before it");
  }
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

std::string MemberNameKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

}  // namespace vez
