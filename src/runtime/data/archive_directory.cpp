#include "data/archive_directory.h"

#include <algorithm>
#include <cstring>

#include "data/compression.h"
#include "data/little_endian.h"

namespace {

// Large enough that a typical directory arrives in one read, small enough to cost nothing.
constexpr size_t kChunkBytes = 64 * 1024;

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int64_t FileArchiveSource::ReadAt(int64_t position, void* buffer, int64_t count) {
  if (file_.Seek(position, QMFileSystem::kFromStart) != position) return -1;
  return file_.Read(buffer, count);
}

int64_t MemoryArchiveSource::ReadAt(int64_t position, void* buffer, int64_t count) {
  if (position < 0 || count < 0) return -1;
  if (static_cast<uint64_t>(position) >= size_) return 0;
  size_t n = std::min(static_cast<size_t>(count), size_ - static_cast<size_t>(position));
  std::memcpy(buffer, data_ + position, n);
  return static_cast<int64_t>(n);
}

bool ArchiveDirectory::Start() {
  length_ = source_.Length();
  if (length_ < kTrailerBytes) return false;
  unsigned char trailer[kTrailerBytes];
  if (source_.ReadAt(length_ - kTrailerBytes, trailer, kTrailerBytes) != kTrailerBytes) {
    return false;
  }
  trailer_ = static_cast<int32_t>(ReadLittleEndian32(trailer));
  int64_t position = fromEnd() ? length_ + trailer_ : trailer_;
  if (position < 0 || position >= length_) return false;
  // A small archive's directory needs no full chunk.
  buffer_.resize(static_cast<size_t>(std::min<int64_t>(kChunkBytes, length_ - position)));
  bufferStart_ = position;
  bufferFill_ = 0;
  cursor_ = 0;
  return true;
}

bool ArchiveDirectory::Take(void* out, size_t count) {
  auto* dest = static_cast<unsigned char*>(out);
  while (count > 0) {
    if (cursor_ == bufferFill_) {
      bufferStart_ += static_cast<int64_t>(bufferFill_);
      bufferFill_ = 0;
      cursor_ = 0;
      if (bufferStart_ >= length_) return false;
      int64_t want =
          std::min<int64_t>(static_cast<int64_t>(buffer_.size()), length_ - bufferStart_);
      int64_t got = source_.ReadAt(bufferStart_, buffer_.data(), want);
      if (got <= 0) return false;
      bufferFill_ = static_cast<size_t>(got);
    }
    size_t n = std::min(count, bufferFill_ - cursor_);
    std::memcpy(dest, buffer_.data() + cursor_, n);
    cursor_ += n;
    dest += n;
    count -= n;
  }
  return true;
}

bool ArchiveDirectory::Next(ArchiveEntry& entry) {
  if (buffer_.empty()) return false;
  unsigned char nameLength = 0;
  if (!Take(&nameLength, 1) || nameLength == 0) return false;
  char name[255];
  unsigned char fields[8];
  if (!Take(name, nameLength) || !Take(fields, sizeof(fields))) return false;
  entry.name.assign(name, nameLength);
  entry.offset = static_cast<int32_t>(ReadLittleEndian32(fields));
  entry.size = static_cast<int32_t>(ReadLittleEndian32(fields + 4));
  return true;
}

bool ArchiveDirectory::Locate(const ArchiveEntry& entry, int64_t& start) const {
  if (length_ < 0 || entry.size < QMCompression::kHeaderBytes) return false;
  // Offsets follow the trailer's form: from the start, or (negative) from the end.
  int64_t position = fromEnd() ? length_ + entry.offset : entry.offset;
  if (position < 0 || position > length_ - entry.size) return false;
  start = position;
  return true;
}

MemberBuffer ArchiveDirectory::ReadBlock(const ArchiveEntry& entry) {
  int64_t start = 0;
  if (!Locate(entry, start)) return nullptr;
  MemberBuffer block(AllocateMemberBuffer(static_cast<size_t>(entry.size)));
  if (block == nullptr || source_.ReadAt(start, block.get(), entry.size) != entry.size) {
    return nullptr;
  }
  return block;
}

bool EntryMatches(std::string_view entryName, std::string_view request) {
  if (entryName.empty() || entryName.size() > request.size()) return false;
  std::string_view tail = request.substr(request.size() - entryName.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    if (FoldCase(tail[i]) != FoldCase(entryName[i])) return false;
  }
  return true;
}
