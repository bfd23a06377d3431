#include "data/fast_file.h"

#include <cstring>
#include <string>

#include "core/error_log.h"
#include "core/frame.h"
#include "data/file_system.h"
#include "data/plain_file.h"

FAST_FILE __g_FastFile = {};

namespace {

// Where the cached file is written back: its resolved path at the time it was read, so a change
// of the current directory in between cannot send the lines to another file.
std::string gWriteBackPath;

bool Holds(const FAST_FILE& cache, const char* file) {
  return file != nullptr && cache.szName[0] != 0 && std::strcmp(cache.szName, file) == 0;
}

void FlushAtExit() {
  __g_FastFile.FillBuffer(nullptr);
}

bool WriteBack(const FAST_FILE& cache) {
  std::string contents;
  for (int i = 0; i <= cache.nLast; ++i) {
    contents += cache.szLine[i];
    contents += "\r\n";
  }
  if (!ReplaceFileContents(gWriteBackPath, contents)) {
    std::string line = "Text file not written: ";
    line += cache.szName;
    __AppendErrorLog(line.c_str());
    return false;
  }
  return true;
}

// Splits the bytes of a file into the line slots as they arrive.
class LineReader {
 public:
  explicit LineReader(FAST_FILE& cache) : cache_(cache) {}

  // Takes the next bytes; false once slot 255 is complete and nothing more is wanted.
  bool Take(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
      if (!started_) {
        if (slot_ >= FAST_FILE::kLines) return false;
        started_ = true;
        stored_ = 0;
        seen_ = 0;
        lastWasCr_ = false;
        cache_.nLast = slot_;
      }
      char c = data[i];
      if (c == '\n') {
        // The CR before the LF is no part of the line (when it was stored at all).
        if (lastWasCr_ && stored_ == seen_) --stored_;
        EndLine();
        continue;
      }
      // Longer lines are cut to 1024 characters; the rest up to the LF is dropped.
      if (stored_ < FAST_FILE::kLineLength) cache_.szLine[slot_][stored_++] = c;
      ++seen_;
      lastWasCr_ = c == '\r';
    }
    return true;
  }

  void Finish() {
    if (started_) EndLine();
  }

 private:
  void EndLine() {
    cache_.szLine[slot_][stored_] = 0;
    started_ = false;
    ++slot_;
  }

  FAST_FILE& cache_;
  int slot_ = 0;
  bool started_ = false;
  size_t stored_ = 0;
  size_t seen_ = 0;
  bool lastWasCr_ = false;
};

bool ReadInto(FAST_FILE& cache, QMFileSystem& file) {
  LineReader reader(cache);
  char buffer[65536];
  for (;;) {
    int64_t got = file.Read(buffer, sizeof(buffer));
    if (got < 0) return false;
    if (got == 0 || !reader.Take(buffer, static_cast<size_t>(got))) break;
  }
  reader.Finish();
  return true;
}

void Empty(FAST_FILE& cache) {
  std::memset(cache.szLine, 0, sizeof(cache.szLine));
  cache.bDirty = 0;
  cache.nLast = 0;
  cache.szName[0] = 0;
  gWriteBackPath.clear();
}

}  // namespace

bool FAST_FILE::WriteBackNow() {
  if (szName[0] == 0 || bDirty == 0) return true;
  if (!WriteBack(*this)) return false;
  bDirty = 0;
  return true;
}

int FAST_FILE::FillBuffer(const char* file) {
  if (szName[0] != 0 && bDirty != 0) WriteBack(*this);
  Empty(*this);
  if (file == nullptr) return 0;

  QMFileSystem input;
  if (std::strlen(file) >= sizeof(szName) || !input.Open(file, QMFileSystem::kRead)) {
    __Error(3);
    return 3;
  }
  bool read = ReadInto(*this, input);
  input.Close();
  if (!read) {
    Empty(*this);
    __Error(3);
    return 3;
  }
  std::strcpy(szName, file);
  gWriteBackPath = ResolveFilePath(file);
  // From now on the end of the program writes the cache back.
  __AtProcessExit(kExitStepFlushTextCache, FlushAtExit);
  return 0;
}

double GetFile(const char* file, short line, KDStr& text) {
  auto index = static_cast<unsigned short>(line);
  if (index >= FAST_FILE::kLines) {
    text = "NO_DATA";
    return __Error(7);
  }
  FAST_FILE& cache = __g_FastFile;
  if (!Holds(cache, file) && (file == nullptr || cache.FillBuffer(file) != 0)) {
    if (file == nullptr) cache.FillBuffer(nullptr);
    text = "NO_FILE";
    return 3;
  }
  // A text holds 1022 characters; a longer line yields its first 1022.
  char copy[KDStr::kMaxLength + 1];
  std::strncpy(copy, cache.szLine[index], KDStr::kMaxLength);
  copy[KDStr::kMaxLength] = 0;
  text = copy;
  text.TrimRight();
  if (text.GetStrData()[0] == 0) text = "NO_DATA";
  return 0;
}

double PutFile(const char* file, short line, KDStr& text) {
  auto index = static_cast<unsigned short>(line);
  if (index >= FAST_FILE::kLines) return __Error(7);
  FAST_FILE& cache = __g_FastFile;
  if (!Holds(cache, file)) {
    if (file == nullptr) {
      cache.FillBuffer(nullptr);
      return 3;
    }
    if (cache.FillBuffer(file) != 0) return 3;
  }
  std::strncpy(cache.szLine[index], text.GetStrData(), FAST_FILE::kLineLength);
  cache.szLine[index][FAST_FILE::kLineLength] = 0;
  cache.bDirty = 1;
  if (index > cache.nLast) cache.nLast = index;
  return 0;
}
