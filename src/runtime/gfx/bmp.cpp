// The BMP reader. A file is read in three plain reads, each of which must deliver every byte:
// the 14-byte file header, the information block up to the pixel data (information header and
// palette), then the pixel rows. Everything the header claims is checked against the file's
// size before any buffer is sized from it, so a forged header cannot make us allocate or read
// beyond what the file holds.
#include "gfx/bmp.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr size_t kFileHeaderSize = 14;
// The information header proper: width, height, planes, depth, compression and the rest.
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kNoCompression = 0;
constexpr int kMaxPaletteEntries = 256;

// Sequential reads over a file or a buffer; Read fails unless it delivers all n bytes.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual bool Read(uint8_t* out, size_t n) = 0;
  virtual uint64_t Size() const = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Read(uint8_t* out, size_t n) override {
    if (n > size_ - pos_) return false;
    if (n > 0) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
  }
  uint64_t Size() const override { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(const char* path) : file_(path ? std::fopen(path, "rb") : nullptr) {
    struct stat info;
    if (file_ && fstat(fileno(file_), &info) == 0 && S_ISREG(info.st_mode)) {
      size_ = static_cast<uint64_t>(info.st_size);
    } else if (file_) {
      std::fclose(file_);
      file_ = nullptr;
    }
  }
  ~FileSource() override {
    if (file_) std::fclose(file_);
  }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  bool IsOpen() const { return file_ != nullptr; }
  bool Read(uint8_t* out, size_t n) override {
    return n == 0 || (file_ && std::fread(out, 1, n, file_) == n);
  }
  uint64_t Size() const override { return size_; }

 private:
  std::FILE* file_;
  uint64_t size_ = 0;
};

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct Header {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = 0;
  uint64_t stride = 0;
  uint64_t dataSize = 0;       // bytes of pixel rows (uncompressed files only)
  std::vector<uint8_t> block;  // information header and palette
};

bool IsKnownDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Reads the file header and the information block and checks that they can be true.
bool ReadHeader(ByteSource& source, Header& header) {
  uint8_t fileHeader[kFileHeaderSize];
  if (!source.Read(fileHeader, sizeof fileHeader)) return false;
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return false;
  uint64_t dataOffset = Le32(fileHeader + 10);
  uint64_t fileSize = source.Size();
  if (dataOffset < kFileHeaderSize + kInfoHeaderSize || dataOffset > fileSize) return false;

  header.block.resize(dataOffset - kFileHeaderSize);
  if (!source.Read(header.block.data(), header.block.size())) return false;
  const uint8_t* info = header.block.data();
  int32_t width = static_cast<int32_t>(Le32(info + 4));
  int32_t height = static_cast<int32_t>(Le32(info + 8));
  header.bits = Le16(info + 14);
  header.compression = Le32(info + 16);
  // A negative height marks rows stored top-down; the most negative value has no magnitude.
  if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min()) return false;
  if (!IsKnownDepth(header.bits)) return false;
  header.width = width;
  header.height = height < 0 ? -height : height;
  header.topDown = height < 0;

  if (header.compression == kNoCompression) {
    // Rows are padded to whole 32-bit words. Width and height are below 2^31 and the depth at
    // most 32, so neither product can pass 2^64.
    uint64_t rowBits = static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.bits);
    header.stride = (rowBits + 31) / 32 * 4;
    header.dataSize = header.stride * static_cast<uint64_t>(header.height);
    if (header.dataSize > fileSize - dataOffset) return false;
  }
  return true;
}

// Where the palette starts in the information block: after the information header, which is
// 40 bytes unless the file carries one of the longer later headers.
size_t PaletteStart(const std::vector<uint8_t>& block) {
  uint32_t headerSize = Le32(block.data());
  bool longerHeader =
      headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124;
  if (longerHeader && headerSize <= block.size()) return headerSize;
  return kInfoHeaderSize;
}

bool DecodePixels(ByteSource& source, const Header& header, BmpPicture& picture) {
  std::vector<uint32_t> palette;
  if (header.bits == 8) {
    size_t start = PaletteStart(header.block);
    size_t entries = (header.block.size() - start) / 4;
    if (entries == 0) return false;
    if (entries > kMaxPaletteEntries) entries = kMaxPaletteEntries;
    palette.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* e = header.block.data() + start + 4 * i;
      palette[i] = static_cast<uint32_t>(e[2]) | static_cast<uint32_t>(e[1]) << 8 |
                   static_cast<uint32_t>(e[0]) << 16;
    }
  }

  std::vector<uint8_t> rows(header.dataSize);
  if (!source.Read(rows.data(), rows.size())) return false;

  picture.width = header.width;
  picture.height = header.height;
  picture.pixels.assign(static_cast<size_t>(header.width) * header.height, 0);
  for (int fileRow = 0; fileRow < header.height; ++fileRow) {
    const uint8_t* in = rows.data() + header.stride * fileRow;
    int y = header.topDown ? fileRow : header.height - 1 - fileRow;
    uint32_t* out = picture.pixels.data() + static_cast<size_t>(y) * header.width;
    for (int x = 0; x < header.width; ++x) {
      if (header.bits == 8) {
        if (in[x] >= palette.size()) return false;
        out[x] = palette[in[x]];
      } else {
        const uint8_t* p = in + 3 * x;
        out[x] = static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[0]) << 16;
      }
    }
  }
  return true;
}

bool Decode(ByteSource& source, BmpPicture& picture) {
  picture = BmpPicture();
  Header header;
  if (!ReadHeader(source, header)) return false;
  if (header.compression != kNoCompression) return false;
  if (header.bits != 8 && header.bits != 24) return false;
  if (DecodePixels(source, header, picture)) return true;
  picture = BmpPicture();
  return false;
}

bool DecodeSize(ByteSource& source, int& width, int& height) {
  width = 0;
  height = 0;
  Header header;
  if (!ReadHeader(source, header)) return false;
  width = header.width;
  height = header.height;
  return true;
}

}  // namespace

bool ReadBmpFile(const char* path, BmpPicture& picture) {
  FileSource source(path);
  if (!source.IsOpen()) {
    picture = BmpPicture();
    return false;
  }
  return Decode(source, picture);
}

bool ReadBmpSize(const char* path, int& width, int& height) {
  FileSource source(path);
  if (!source.IsOpen()) {
    width = 0;
    height = 0;
    return false;
  }
  return DecodeSize(source, width, height);
}

bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& picture) {
  MemorySource source(data, size);
  return Decode(source, picture);
}

bool DecodeBmpSize(const uint8_t* data, size_t size, int& width, int& height) {
  MemorySource source(data, size);
  return DecodeSize(source, width, height);
}
