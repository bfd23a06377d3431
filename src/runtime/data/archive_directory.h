// Reading a media archive: the trailer, the directory entries in order and the members' packed
// blocks. Every position and size is checked against the archive's real length before it is
// used, so a corrupt or hostile archive reads as "no such member", never as a crash or a huge
// allocation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_system.h"
#include "data/member_buffer.h"

// One directory entry as stored.
struct ArchiveEntry {
  std::string name;    // 1..255 bytes, no terminator in the file
  int32_t offset = 0;  // position of the packed block (negative: counted from the end)
  int32_t size = 0;    // length of the packed block
};

// Random access to an archive's bytes.
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  // Total length in bytes, -1 when unknown.
  virtual int64_t Length() = 0;
  // Reads up to count bytes at position; returns the bytes read (fewer at the end), -1 on error.
  virtual int64_t ReadAt(int64_t position, void* buffer, int64_t count) = 0;
};

// An archive in an open file; the file stays owned by the caller.
class FileArchiveSource : public ArchiveSource {
 public:
  explicit FileArchiveSource(QMFileSystem& file) : file_(file) {}
  int64_t Length() override { return file_.Size(); }
  int64_t ReadAt(int64_t position, void* buffer, int64_t count) override;

 private:
  QMFileSystem& file_;
};

// An archive held in memory (fuzzing, tools); the bytes stay owned by the caller.
class MemoryArchiveSource : public ArchiveSource {
 public:
  MemoryArchiveSource(const unsigned char* data, size_t size) : data_(data), size_(size) {}
  int64_t Length() override { return static_cast<int64_t>(size_); }
  int64_t ReadAt(int64_t position, void* buffer, int64_t count) override;

 private:
  const unsigned char* data_;
  size_t size_;
};

// Walks one archive's directory with buffered reads.
class ArchiveDirectory {
 public:
  static constexpr int kTrailerBytes = 4;

  explicit ArchiveDirectory(ArchiveSource& source) : source_(source) {}
  // Reads the trailer and places the walk at the directory. False when the archive is shorter
  // than the trailer or the directory position lies outside the archive.
  bool Start();
  // The next entry in directory order. False at a zero length byte, at the end of the file, or
  // at an entry cut short by the end of the file.
  bool Next(ArchiveEntry& entry);
  // Where the member's packed block starts in the archive. False when the block does not lie
  // wholly inside the archive or cannot hold a block header.
  bool Locate(const ArchiveEntry& entry, int64_t& start) const;
  // Reads the member's packed block (entry.size bytes) after Locate's checks; null when the
  // block is out of bounds or cannot be read.
  MemberBuffer ReadBlock(const ArchiveEntry& entry);

  int64_t length() const { return length_; }
  // The directory position as stored in the trailer; negative: positions count from the end.
  int32_t trailer() const { return trailer_; }
  bool fromEnd() const { return trailer_ < 0; }

 private:
  bool Take(void* out, size_t count);

  ArchiveSource& source_;
  int64_t length_ = -1;
  int32_t trailer_ = 0;
  std::vector<unsigned char> buffer_;
  int64_t bufferStart_ = 0;  // archive position of buffer_[0]
  size_t bufferFill_ = 0;    // valid bytes in buffer_
  size_t cursor_ = 0;        // next unread byte in buffer_
};

// Whether an entry serves a request: the entry's name equals the request's last characters of
// the same length, ignoring the case of ASCII letters. "/" and "\" are different characters.
bool EntryMatches(std::string_view entryName, std::string_view request);
