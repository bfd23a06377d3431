// Extracts a 32 MiB member of mixed data (text, a BMP picture, noise) through ExtractMember
// and, in the same run, decompresses the same data with `lzop -d`; prints MiB/s side by side.
// Usage: archive_bench [repetitions]   (the files go to $TMPDIR, else /tmp)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "archive_writer.h"
#include "data/archive.h"
#include "data/file_system.h"
#include "platform/platform.h"

extern char** environ;

namespace {

constexpr size_t kMemberBytes = 32u << 20;
constexpr double kMiB = 1024.0 * 1024.0;

void AppendText(std::vector<unsigned char>& out, size_t bytes, std::mt19937& random) {
  static const char* const kWords[] = {"tile", "crate", "sweet", "door",   "key",  "water",
                                       "fire", "salt",  "boots", "enemy",  "exit", "level",
                                       "push", "gem",   "bomb",  "switch", "the",  "and"};
  size_t end = out.size() + bytes;
  while (out.size() < end) {
    const char* word = kWords[random() % (sizeof(kWords) / sizeof(kWords[0]))];
    out.insert(out.end(), word, word + std::char_traits<char>::length(word));
    out.push_back(random() % 9 == 0 ? '\n' : ' ');
  }
  out.resize(end);
}

// A 24-bit BMP of 32-pixel tiles with gradients and a little dither, as the game's art has.
void AppendBmp(std::vector<unsigned char>& out, int width, int height, std::mt19937& random) {
  auto le = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
  out.push_back('B');
  out.push_back('M');
  le(54 + pixelBytes, 4);
  le(0, 4);
  le(54, 4);
  le(40, 4);
  le(static_cast<uint32_t>(width), 4);
  le(static_cast<uint32_t>(height), 4);
  le(1, 2);
  le(24, 2);
  le(0, 4);
  le(pixelBytes, 4);
  le(2835, 4);
  le(2835, 4);
  le(0, 4);
  le(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int tile = (x / 32 + y / 32 * 7) % 5;
      unsigned dither = random() % 4 == 0 ? random() % 8 : 0;
      out.push_back(static_cast<unsigned char>(tile * 40 + (x % 32) * 2 + dither));
      out.push_back(static_cast<unsigned char>(tile * 25 + (y % 32) * 3));
      out.push_back(static_cast<unsigned char>(200 - tile * 30));
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
}

std::vector<unsigned char> MixedData() {
  std::mt19937 random(20240);
  std::vector<unsigned char> data;
  data.reserve(kMemberBytes + (4u << 20));
  while (data.size() < kMemberBytes) {
    AppendText(data, 2u << 20, random);
    AppendBmp(data, 1024, 768, random);
    for (size_t i = 0; i < (1u << 20); ++i) data.push_back(static_cast<unsigned char>(random()));
  }
  data.resize(kMemberBytes);
  return data;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& data) {
  QMFileSystem file;
  return file.Open(path.c_str(), QMFileSystem::kWrite) &&
         file.Write(data.data(), static_cast<int64_t>(data.size()));
}

int Spawn(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Timing {
  double wall = 1e9;  // seconds, best run
  double cpu = 1e9;   // user + system seconds of the process doing the work, best run
};

double CpuSeconds(int who) {
  struct rusage usage;
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Best wall and CPU time of several runs. On a busy machine the CPU time is the steadier
// figure; who is RUSAGE_SELF for work done here, RUSAGE_CHILDREN for a spawned tool.
template <typename F>
bool Measure(int repetitions, int who, Timing& timing, F&& run) {
  for (int i = 0; i < repetitions; ++i) {
    double cpuStart = CpuSeconds(who);
    auto start = std::chrono::steady_clock::now();
    if (!run()) return false;
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    timing.wall = std::min(timing.wall, took.count());
    timing.cpu = std::min(timing.cpu, CpuSeconds(who) - cpuStart);
  }
  return true;
}

void PrintRow(const char* what, const Timing& t, double mib) {
  std::printf("  %-16s %8.1f ms %8.1f MiB/s   cpu %8.1f ms %8.1f MiB/s\n", what, t.wall * 1000,
              mib / t.wall, t.cpu * 1000, mib / t.cpu);
}

}  // namespace

int main(int argc, char** argv) {
  int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  std::string work = tobli::platform::TempDir() + "archive-bench-XXXXXX";
  if (mkdtemp(work.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  std::vector<unsigned char> data = MixedData();
  std::string raw = work + "/member.bin";
  std::string archive = work + "/bench.vez";
  if (!WriteBytes(raw, data)) return 1;
  {
    QMFileSystem file;
    std::string why;
    ArchiveWriter writer(file, 0, false);
    if (!file.Open(archive.c_str(), QMFileSystem::kWrite) ||
        !writer.AddData("member.bin", data.data(), static_cast<int64_t>(data.size()), why) ||
        !writer.Finish(why)) {
      std::fprintf(stderr, "cannot write the archive: %s\n", why.c_str());
      return 1;
    }
  }
  bool haveLzop = Spawn({"lzop", "-q", "-f", raw}) == 0;

  // The fetch step as a loader runs it: the member is unpacked into the slot's extract.
  QMDezeZer slot;
  slot.szFile = archive.c_str();
  // The two alternate run by run, so both meet the same load on a shared machine.
  std::string lzopOut = work + "/lzop-out.bin";
  Timing fetch;
  Timing lzop;
  bool fetched = true;
  for (int i = 0; i < repetitions; ++i) {
    fetched = fetched && Measure(1, RUSAGE_SELF, fetch, [&] {
                KDStr name("member.bin");
                return ExtractMember(slot, name) && name != "member.bin";
              });
    haveLzop = haveLzop && Measure(1, RUSAGE_CHILDREN, lzop, [&] {
                 return Spawn({"lzop", "-d", "-q", "-f", "-o", lzopOut, raw + ".lzo"}) == 0;
               });
  }

  double mib = data.size() / kMiB;
  std::printf("member: %.1f MiB of text, BMP pictures and noise; archive %.1f MiB\n", mib,
              std::filesystem::file_size(archive) / kMiB);
  std::printf("best of %d runs, unpacked MiB per second:\n", repetitions);
  if (fetched) PrintRow("ExtractMember", fetch, mib);
  if (haveLzop) {
    PrintRow("lzop -d", lzop, mib);
  } else {
    std::printf("  lzop -d          not available (install lzop)\n");
  }
  slot.Clear();
  std::error_code ignored;
  std::filesystem::remove_all(work, ignored);
  return fetched ? 0 : 1;
}
