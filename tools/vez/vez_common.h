// Shared pieces of the vez commands: exit codes, messages, reading archives and files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/archive_directory.h"
#include "data/file_system.h"

namespace vez {

constexpr int kExitOk = 0;
constexpr int kExitBadArchive = 1;  // an archive cannot be read, written or unpacked
constexpr int kExitUsage = 2;       // bad command line or an input file that cannot be read

// Prints "vez: " + message to the standard error; returns code.
int Fail(int code, const std::string& message);

// An archive opened for reading with its directory read.
struct OpenArchive {
  QMFileSystem file;
  std::unique_ptr<FileArchiveSource> source;
  std::unique_ptr<ArchiveDirectory> directory;
  std::vector<ArchiveEntry> entries;
  // The directory stopped inside an entry: the entries before it are read, the rest is lost.
  bool cutShort = false;
};
// Opens path and reads its directory; prints why and returns false when it is no archive. A
// directory cut short is reported too, but its whole entries are kept.
bool LoadArchive(const std::string& path, OpenArchive& archive);

// Reads a whole regular file; false when it cannot.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& data);

// The unpacked length in a block's header.
uint32_t StatedLength(const unsigned char* block);

// Case-insensitive equality of member names (ASCII letters), as the runtime compares them.
bool SameMemberName(const std::string& a, const std::string& b);
// The name with its ASCII capitals made small: two names are the same member name exactly when
// their keys are equal.
std::string MemberNameKey(const std::string& name);

}  // namespace vez
