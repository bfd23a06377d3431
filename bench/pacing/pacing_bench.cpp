// Frame pacing on the real clock, SDL platform: idle frames at the 60 fps cap with the hybrid
// wait and with the busy wait, in alternating blocks so that both see the same machine load.
// Prints, per wait: the frame interval's deviation from 16.667 ms (p50, p99, max), how late
// frames are released after their slot, and CPU time over wall time. Then the lateness of an
// absolute-time sleep, which bounds how close to the deadline the hybrid wait may sleep.
#include <GL/gl.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/services.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"

namespace platform = tobli::platform;

namespace {

constexpr int kFrames = 600;
constexpr int kBlock = 100;
constexpr double kFrameMs = 1000.0 / 60.0;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t at = static_cast<size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
  return values[std::min(at, values.size() - 1)];
}

struct Run {
  std::vector<double> deviation;  // |interval - frame time|, ms
  std::vector<double> lateness;   // release - slot, ms
  double cpu = 0;
  double wall = 0;
};

// One block of frames with the given wait; the first two frames only line up the schedule.
void RunBlock(FrameWait wait, Run& run) {
  pLum->nWaitMode = wait;
  pLum->dNextFrame = pLum->AccurateTime();
  pLum->FlipScreens();
  // The first release comes straight after the swap, not on a slot: the second one is the
  // first on the schedule and starts the measured intervals.
  pLum->FlipScreens();
  double last = pLum->AccurateTime();
  double cpu = CpuSeconds();
  double wall = last;
  for (int i = 0; i < kBlock; ++i) {
    double slot = pLum->dNextFrame;
    pLum->FlipScreens();
    double now = pLum->AccurateTime();
    run.deviation.push_back(std::fabs(now - last - kFrameMs));
    run.lateness.push_back(now - slot);
    last = now;
  }
  run.cpu += CpuSeconds() - cpu;
  run.wall += (pLum->AccurateTime() - wall) / 1000.0;
}

void Print(const char* name, const Run& run) {
  std::printf("%-7s %8.3f %8.3f %8.3f   %8.3f %8.3f   %6.1f %%\n", name,
              Percentile(run.deviation, 0.50), Percentile(run.deviation, 0.99),
              Percentile(run.deviation, 1.0), Percentile(run.lateness, 0.50),
              Percentile(run.lateness, 0.99), 100.0 * run.cpu / run.wall);
}

// How late an absolute-time sleep of a few milliseconds wakes up.
void MeasureSleepLateness() {
  std::vector<double> late;
  double frequency = static_cast<double>(platform::PerfFrequency());
  for (int i = 0; i < 300; ++i) {
    uint64_t target = platform::PerfCounter() + static_cast<uint64_t>(frequency * 0.005);
    platform::SleepUntilCounter(target);
    uint64_t now = platform::PerfCounter();
    late.push_back(static_cast<double>(now - target) * 1000.0 / frequency);
  }
  std::printf("\nabsolute sleep of 5 ms, wake-up after the deadline (300 sleeps):\n");
  std::printf("  p50 %.3f ms   p99 %.3f ms   max %.3f ms\n", Percentile(late, 0.5),
              Percentile(late, 0.99), Percentile(late, 1.0));
}

}  // namespace

int main() {
  setenv("TOBLI_NO_GL_WARNING_BOX", "1", 0);
  platform::Select(platform::Kind::kSdl);
  std::string why;
  platform::WindowSpec spec;
  spec.title = "pacing";
  if (!platform::OpenWindow(spec, why)) {
    std::fprintf(stderr, "no window: %s\n", why.c_str());
    return 1;
  }
  platform::ShowWindow(true);
  __CreateRenderer();
  if (!__InitRenderer(640, 480, 0, 60, why)) {
    std::fprintf(stderr, "no OpenGL: %s\n", why.c_str());
    return 1;
  }
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  std::printf("%d idle frames per wait at 60 fps (%s), blocks of %d alternating\n", kFrames,
              renderer != nullptr ? renderer : "?", kBlock);
  Run hybrid;
  Run busy;
  for (int block = 0; block < kFrames / kBlock; ++block) {
    RunBlock(FrameWait::kHybrid, hybrid);
    RunBlock(FrameWait::kBusy, busy);
  }
  std::printf("\n        interval deviation (ms)      release lateness (ms)\n");
  std::printf("wait        p50      p99      max        p50      p99    CPU/wall\n");
  Print("hybrid", hybrid);
  Print("busy", busy);
  MeasureSleepLateness();
  __DestroyRenderer();
  platform::CloseWindow();
  return 0;
}
