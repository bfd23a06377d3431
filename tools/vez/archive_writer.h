// Writes a media archive: the members' packed blocks, then the directory, a zero length byte
// and the trailer. Positions are counted from the start of the file, or (for an archive that
// rides on the end of another file) from its end, as negative numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/file_system.h"

class ArchiveWriter {
 public:
  // Writes at the end of file, which must be open for writing and hold base bytes already.
  ArchiveWriter(QMFileSystem& file, int64_t base, bool fromEnd)
      : file_(file), base_(base), fromEnd_(fromEnd) {}

  // Packs data and writes it as the member name (1..255 bytes). False with why on failure.
  bool AddData(const std::string& name, const unsigned char* data, int64_t length,
               std::string& why);
  // Writes an already packed block as the member name.
  bool AddBlock(const std::string& name, const unsigned char* block, int64_t size,
                std::string& why);
  // Writes the directory, its zero end byte and the trailer. False with why on failure.
  bool Finish(std::string& why);

  // Bytes written so far.
  int64_t written() const { return written_; }

 private:
  // Where stored positions count from, in bytes before this writer's output.
  int64_t origin() const { return fromEnd_ ? 0 : base_; }

  struct Placed {
    std::string name;
    int64_t position;  // from the start of what this writer wrote
    int32_t size;
  };

  QMFileSystem& file_;
  int64_t base_;
  bool fromEnd_;
  int64_t written_ = 0;
  std::vector<Placed> placed_;
};
