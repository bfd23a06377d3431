// tobli-soak: plays game after game of random presses (arrows, restarts, give-ups, pauses, the
// help screen, Enter and now and then Esc) across every shipped level and levels made up at
// random, on the headless platform, and checks that no game goes wrong and that the memory
// held stays flat once warmed up.
//
//   tobli-soak [--frames N] [--seed S] [--levels DIR] [--media DIR] [--made-up N]
//              [--warm-up SHARE] [--allowed-growth-kib K] [--table] [--verbose]
//   tobli-soak --replay LEVEL:SEED [--levels DIR] [--media DIR] [--seed S] [--made-up N]
//
// Exit status: 0 all well, 1 a game went wrong or the memory grew, 2 bad arguments.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "heap_probe.h"
#include "soak_run.h"

namespace {

using namespace tobli::soak;

const char kUsage[] =
    "usage: tobli-soak [--frames N] [--seed S] [--levels DIR] [--media DIR] [--made-up N]\n"
    "                  [--warm-up SHARE] [--allowed-growth-kib K] [--table] [--verbose]\n"
    "       tobli-soak --replay LEVEL:SEED [--levels DIR] [--media DIR] [--seed S] [--made-up N]\n"
    "(a made-up level is the same only with the soak's --seed and --made-up)\n";

bool ParseNumber(const char* text, double low, double high, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == 0 && value >= low && value <= high;
}

double KiB(uint64_t bytes) {
  return static_cast<double>(bytes) / 1024.0;
}

void Print(const SoakReport& report, double seconds, bool table) {
  std::printf("tobli-soak: %llu frames in %llu games, %.0f s (%.0f frames/s)\n",
              static_cast<unsigned long long>(report.frames),
              static_cast<unsigned long long>(report.games), seconds,
              seconds > 0 ? static_cast<double>(report.frames) / seconds : 0.0);
  std::printf("levels: %d shipped, %d made up, %d played; media: %s\n", report.shippedLevels,
              report.madeUpLevels, report.levelsPlayed, report.media ? "loaded" : "none");
  std::printf("ended: %llu with Enter, %llu with Esc, %llu at the frame limit\n",
              static_cast<unsigned long long>(report.quitWithEnter),
              static_cast<unsigned long long>(report.endedWithEsc),
              static_cast<unsigned long long>(report.frameLimits));
  std::printf(
      "played: %llu deaths, %llu restarts, %llu give-ups, %llu pauses, %llu help screens, "
      "%llu exits to the next level\n",
      static_cast<unsigned long long>(report.deaths),
      static_cast<unsigned long long>(report.restarts),
      static_cast<unsigned long long>(report.giveUps),
      static_cast<unsigned long long>(report.pauses),
      static_cast<unsigned long long>(report.helpScreens),
      static_cast<unsigned long long>(report.levelsLeft));
  if (table) {
    std::printf("%12s %14s %14s\n", "frame", "heap KiB", "resident KiB");
    for (const HeapSample& s : report.samples) {
      std::printf("%12llu %14.0f %14.0f\n", static_cast<unsigned long long>(s.frame),
                  KiB(s.liveHeap), KiB(s.resident));
    }
  }
  if (!report.samples.empty()) {
    std::printf(
        "heap (%s count): first game %.0f KiB, last %.0f KiB; after warm-up (%llu frames) "
        "peak %.0f KiB in the first half, %.0f KiB in the second: %s\n",
        HeapSource(), KiB(report.samples.front().liveHeap), KiB(report.samples.back().liveHeap),
        static_cast<unsigned long long>(report.warmUpFrames), KiB(report.firstHalfPeak),
        KiB(report.secondHalfPeak), report.memoryFlat ? "flat" : "GROWING");
    std::printf("resident: first game %.0f KiB, last %.0f KiB\n",
                KiB(report.samples.front().resident), KiB(report.samples.back().resident));
  }
  if (report.findings.empty()) {
    std::printf("findings: none\n");
  } else {
    for (const SoakFinding& f : report.findings) {
      std::printf("FINDING: level %d, game seed %lu: %s\n", f.level, f.gameSeed, f.what.c_str());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  SoakOptions options;
  bool table = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    double value = 0;
    if (arg == "--table") {
      table = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--replay" && hasValue) {
      unsigned long long replayLevel = 0;
      unsigned long long replaySeed = 0;
      char rest = 0;
      if (std::sscanf(argv[++i], "%llu:%llu%c", &replayLevel, &replaySeed, &rest) != 2 ||
          replayLevel > 999999 || replaySeed > 4294967295ULL) {
        std::fprintf(stderr, "tobli-soak: bad replay %s\n%s", argv[i], kUsage);
        return 2;
      }
      options.replayLevel = static_cast<int>(replayLevel);
      options.replaySeed = static_cast<unsigned long>(replaySeed);
      options.verbose = true;
    } else if (arg == "--levels" && hasValue) {
      options.levelsDir = argv[++i];
    } else if (arg == "--media" && hasValue) {
      options.mediaDir = argv[++i];
    } else if (arg == "--frames" && hasValue && ParseNumber(argv[++i], 1, 1e12, value)) {
      options.frames = static_cast<uint64_t>(value);
    } else if (arg == "--seed" && hasValue && ParseNumber(argv[++i], 0, 4294967295.0, value)) {
      options.seed = static_cast<unsigned long>(value);
    } else if (arg == "--made-up" && hasValue && ParseNumber(argv[++i], 0, 99, value)) {
      options.madeUpLevels = static_cast<int>(value);
    } else if (arg == "--warm-up" && hasValue && ParseNumber(argv[++i], 0, 0.9, value)) {
      options.warmUpShare = value;
    } else if (arg == "--allowed-growth-kib" && hasValue && ParseNumber(argv[++i], 0, 1e9, value)) {
      options.allowedGrowth = static_cast<uint64_t>(value * 1024);
    } else {
      std::fprintf(stderr, "tobli-soak: bad argument %s\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  // Sounds are loaded and played without a sound device unless the caller chose one.
  setenv("SDL_AUDIODRIVER", "dummy", 0);

  auto start = std::chrono::steady_clock::now();
  SoakReport report = RunSoak(options);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!report.setupError.empty()) {
    std::fprintf(stderr, "tobli-soak: %s\n", report.setupError.c_str());
    return 1;
  }
  Print(report, seconds, table);
  return report.findings.empty() && report.memoryFlat ? 0 : 1;
}
