// Feeds arbitrary bytes to the archive reader three ways: as an archive walked in memory with
// every member unpacked, as one packed block, and as an archive file fetched from through a
// slot. Nothing may read outside the input, allocate more than the input can justify, or hand
// out an extract that is not whole.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "data/archive.h"
#include "data/archive_directory.h"
#include "data/compression.h"
#include "data/little_endian.h"

namespace {

// The largest output a block of size bytes may claim, as the reader enforces it.
uint64_t Allowed(size_t size) {
  return size < 4 ? 0 : QMCompression::MaxUnpackedLength(size - 4);
}

void CheckUnpack(const unsigned char* block, size_t size) {
  QMCompression codec;
  int length = codec.UnPack(block, static_cast<int>(size));
  if (codec.nOut < 0 || static_cast<uint64_t>(codec.nOut) > Allowed(size)) abort();
  if (!codec.bError && length != codec.nOut) abort();
  if (codec.bError && length != 0) abort();
  if (!codec.bError && static_cast<uint32_t>(length) > ReadLittleEndian32(block)) abort();
}

std::string gWorkDir;

void RemoveWorkDir() {
  unlink((gWorkDir + "/input.vez").c_str());
  rmdir(gWorkDir.c_str());
}

// A private folder for the archive file and the extracts, made once per process in memory
// when the system offers a memory file system (a disk would make each run wait for it).
const std::string& WorkDir() {
  if (gWorkDir.empty()) {
    struct stat info;
    std::string pattern = (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode))
                              ? "/dev/shm/archive-fuzz-XXXXXX"
                              : "/tmp/archive-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) abort();
    gWorkDir = pattern;
    setenv("TMPDIR", gWorkDir.c_str(), 1);
    atexit(RemoveWorkDir);
  }
  return gWorkDir;
}

void CheckFetch(const uint8_t* data, size_t size, const std::string& request) {
  std::string path = WorkDir() + "/input.vez";
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) abort();
  std::fclose(out);
  QMDezeZer slot;
  slot.szFile = path.c_str();
  KDStr name(request.c_str());
  if (ExtractMember(slot, name) && request != name.GetStrData()) {
    // Not a plain file of that name, so an extract: it lies in the slot's private folder and is
    // never larger than allowed.
    std::string extract = name.GetStrData();
    std::string dir = slot.szDir.GetStrData();
    if (dir.empty() || extract.compare(0, dir.size() + 1, dir + "/") != 0) abort();
    if (extract.find('/', dir.size() + 1) != std::string::npos) abort();
    struct stat info;
    if (stat(extract.c_str(), &info) != 0 || static_cast<uint64_t>(info.st_size) > Allowed(size)) {
      abort();
    }
  }
  slot.Clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryArchiveSource source(data, size);
  ArchiveDirectory directory(source);
  std::string firstName;
  if (directory.Start()) {
    ArchiveEntry entry;
    while (directory.Next(entry)) {
      if (firstName.empty()) firstName = entry.name;
      int64_t start = 0;
      bool located = directory.Locate(entry, start);
      MemberBuffer block = directory.ReadBlock(entry);
      if (located != (block != nullptr)) abort();
      if (!located) continue;
      if (start < 0 || start + entry.size > static_cast<int64_t>(size)) abort();
      CheckUnpack(block.get(), static_cast<size_t>(entry.size));
    }
  }
  CheckUnpack(data, size);
  // Fetch the first member by its own name, so the extraction path runs.
  size_t nul = firstName.find('\0');
  if (nul != std::string::npos) firstName.resize(nul);
  CheckFetch(data, size, firstName.empty() ? std::string("x") : firstName);
  return 0;
}
