#include "archive_writer.h"

#include <limits>

#include "data/compression.h"
#include "data/little_endian.h"

namespace {

constexpr int64_t kMaxPosition = std::numeric_limits<int32_t>::max();
constexpr size_t kEntryFixedBytes = 1 + 4 + 4;  // length byte, offset, size

}  // namespace

bool ArchiveWriter::AddData(const std::string& name, const unsigned char* data, int64_t length,
                            std::string& why) {
  if (length > QMCompression::kMaxPackInput) {
    why = name + ": too large for one member";
    return false;
  }
  QMCompression codec;
  if (codec.Pack(data, static_cast<long>(length)) == 0) {
    why = name + ": cannot be packed";
    return false;
  }
  return AddBlock(name, codec.pOut, codec.nOut, why);
}

bool ArchiveWriter::AddBlock(const std::string& name, const unsigned char* block, int64_t size,
                             std::string& why) {
  if (name.empty() || name.size() > 255) {
    why = "member name \"" + name + "\" must have 1 to 255 characters";
    return false;
  }
  // Every position must stay a signed 32-bit number, whichever end it counts from.
  if (size < QMCompression::kHeaderBytes || origin() + written_ + size > kMaxPosition) {
    why = name + ": the archive would pass 2 GiB";
    return false;
  }
  if (!file_.Write(block, size)) {
    why = name + ": write failed";
    return false;
  }
  placed_.push_back({name, written_, static_cast<int32_t>(size)});
  written_ += size;
  return true;
}

bool ArchiveWriter::Finish(std::string& why) {
  int64_t directoryStart = written_;
  int64_t total = written_;
  for (const Placed& p : placed_) total += static_cast<int64_t>(kEntryFixedBytes + p.name.size());
  total += 1 + 4;  // the zero end byte and the trailer
  if (origin() + total > kMaxPosition) {
    why = "the archive would pass 2 GiB";
    return false;
  }
  // From the end, a position p of this writer's output lies total - p bytes before the end.
  auto stored = [&](int64_t position) {
    return static_cast<uint32_t>(
        static_cast<int32_t>(fromEnd_ ? position - total : base_ + position));
  };
  std::vector<unsigned char> directory;
  directory.reserve(static_cast<size_t>(total - directoryStart));
  for (const Placed& p : placed_) {
    directory.push_back(static_cast<unsigned char>(p.name.size()));
    directory.insert(directory.end(), p.name.begin(), p.name.end());
    unsigned char fields[8];
    WriteLittleEndian32(fields, stored(p.position));
    WriteLittleEndian32(fields + 4, static_cast<uint32_t>(p.size));
    directory.insert(directory.end(), fields, fields + 8);
  }
  directory.push_back(0);
  unsigned char trailer[4];
  WriteLittleEndian32(trailer, stored(directoryStart));
  directory.insert(directory.end(), trailer, trailer + 4);
  if (!file_.Write(directory.data(), static_cast<int64_t>(directory.size()))) {
    why = "write failed";
    return false;
  }
  written_ = total;
  return true;
}
