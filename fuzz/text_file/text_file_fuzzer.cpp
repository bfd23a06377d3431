// Feeds arbitrary bytes to the text-file cache as a file. Every line the cache hands out must be
// what the file says (the line end and a CR before it dropped, cut at 1024 characters, at most
// 256 lines), numbers outside 0..255 must be refused, and a changed file that is written back
// and read again must hold exactly the lines that were put.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/frame.h"
#include "data/fast_file.h"

namespace {

constexpr size_t kLines = FAST_FILE::kLines;
constexpr size_t kLineLength = FAST_FILE::kLineLength;

// The lines of a file as the cache must hold them, worked out independently of its reader.
std::vector<std::string> ExpectedLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size() && lines.size() < kLines) {
    size_t end = bytes.find('\n', at);
    bool ended = end != std::string::npos;
    if (!ended) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLineLength) line.resize(kLineLength);
    lines.push_back(line);
    at = ended ? end + 1 : end;
  }
  return lines;
}

// What GETFILE gives for a held line: the text up to its first NUL (a text holds 1022
// characters), trailing bytes at or below 31 as signed numbers removed, "NO_DATA" when empty.
std::string ExpectedText(const std::string& line) {
  std::string text(line.c_str());
  if (text.size() > static_cast<size_t>(KDStr::kMaxLength)) text.resize(KDStr::kMaxLength);
  while (!text.empty() && static_cast<signed char>(text.back()) <= 31) text.pop_back();
  return text.empty() ? "NO_DATA" : text;
}

std::string gWorkDir;

void RemoveWorkDir() {
  unlink((gWorkDir + "/input.txt").c_str());
  rmdir(gWorkDir.c_str());
}

// A private folder for the file, made once per process in memory when the system offers a
// memory file system: every write-back is flushed to its disk.
const std::string& WorkDir() {
  if (gWorkDir.empty()) {
    struct stat info;
    std::string pattern = (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode))
                              ? "/dev/shm/text-file-fuzz-XXXXXX"
                              : "/tmp/text-file-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) abort();
    gWorkDir = pattern;
    setenv("TMPDIR", gWorkDir.c_str(), 1);
    atexit(RemoveWorkDir);
  }
  return gWorkDir;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) abort();
  if (std::fclose(out) != 0) abort();
}

std::string ReadWhole(const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) abort();
  std::string bytes;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), in)) > 0) bytes.append(buffer, got);
  std::fclose(in);
  return bytes;
}

// Every line the cache serves matches the model; lines past the file read as "NO_DATA".
void CheckReads(const std::string& path, const std::vector<std::string>& lines) {
  for (size_t i = 0; i < kLines; ++i) {
    KDStr text;
    if (GetFile(path.c_str(), static_cast<short>(i), text) != 0) abort();
    std::string expected = i < lines.size() ? ExpectedText(lines[i]) : "NO_DATA";
    if (expected != text.GetStrData()) abort();
  }
  int32_t last = lines.empty() ? 0 : static_cast<int32_t>(lines.size() - 1);
  if (__g_FastFile.nLast != last || __g_FastFile.bDirty != 0) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  short putLine = provider.ConsumeIntegral<short>();
  std::string putText = provider.ConsumeRandomLengthString(1100);
  std::string bytes = provider.ConsumeRemainingBytesAsString();

  std::string path = WorkDir() + "/input.txt";
  __g_FastFile.FillBuffer(nullptr);
  WriteWhole(path, bytes);
  std::vector<std::string> lines = ExpectedLines(bytes);
  CheckReads(path, lines);

  // Line numbers outside 0..255 are refused with code 7 and change nothing.
  KDStr text("unchanged");
  if (GetFile(path.c_str(), 256, text) != 7 || std::strcmp(text.GetStrData(), "NO_DATA") != 0) {
    abort();
  }
  KDStr put(putText.c_str());
  double result = PutFile(path.c_str(), putLine, put);
  auto index = static_cast<unsigned short>(putLine);
  if (index >= kLines) {
    if (result != 7 || __g_FastFile.bDirty != 0) abort();
    __g_FastFile.FillBuffer(nullptr);
    if (ReadWhole(path) != bytes) abort();
    return 0;
  }
  if (result != 0) abort();

  // Written back: lines 0 to the last one held, each up to its first NUL, with CR LF.
  if (index >= lines.size()) lines.resize(index + 1);
  lines[index] = put.GetStrData();
  __g_FastFile.FillBuffer(nullptr);
  std::string written;
  for (const std::string& line : lines) written += std::string(line.c_str()) + "\r\n";
  if (ReadWhole(path) != written) abort();
  // And read again, the file gives back what was put.
  CheckReads(path, ExpectedLines(written));
  __g_FastFile.FillBuffer(nullptr);
  return 0;
}
