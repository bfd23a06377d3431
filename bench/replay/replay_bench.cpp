// Frames per second of headless play: the real game loop on the headless driver, on a level of
// 48 by 32 tiles with up to 60 enemies in their rooms, as many resting gems and bombs, ice and
// conveyors, a field of mines set off again and again, and the player walking to and fro all
// the time. Each level size (0, 20 and 60 enemies and boxes) is run `repeats` times; prints
// frames per second of each run, by wall time and by the thread's processor time, and the
// median of the latter.
//   replay_bench [frames] [repeats]
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/headless_driver.h"
#include "game.h"
#include "golden_levels.h"
#include "platform/platform.h"

namespace {

constexpr int kKeyLeft = 203;
constexpr int kKeyRight = 205;
// The player turns round after this many frames (four tiles).
constexpr uint64_t kTurnFrames = 64;
// The mine field is laid again and set off after this many frames.
constexpr uint64_t kMineFrames = 150;
// Stored cells of the mine field's row.
constexpr int kMineRow = 30;
constexpr int kMineFirst = 1;
constexpr int kMineLast = 46;

void WriteBusyLevel(size_t count) {
  tobli::test::WriteLevelFile(1, tobli::test::RoomsLevel(static_cast<int>(count)));
  std::ofstream("slot", std::ios::binary) << "1\r\n";
}

// Processor time of this thread: on a shared machine the wall time also counts the time the
// thread waited for a core.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void SendKey(int key, bool down) {
  tobli::platform::Event event;
  event.type = down ? tobli::platform::EventType::kKeyDown : tobli::platform::EventType::kKeyUp;
  event.key = key;
  tobli::platform::PushEvent(event);
}

// Lays the mine row again (stored coordinates plus the margin) and sets off its first mine.
void ArmMines() {
  for (int c = kMineFirst; c <= kMineLast; ++c) {
    if (hit(c + 6, kMineRow + 6) == 60) hit(c + 6, kMineRow + 6) = 19;
  }
  createboom(kMineFirst + 6, kMineRow + 6);
}

double OneRun(uint64_t frames) {
  tobli::game::HeadlessDriver driver;
  savefile_Str = "slot";
  driver.OnEveryFrame([](uint64_t frame) {
    if (frame % kTurnFrames == 1) {
      bool right = (frame / kTurnFrames) % 2 == 0;
      SendKey(right ? kKeyLeft : kKeyRight, false);
      SendKey(right ? kKeyRight : kKeyLeft, true);
    }
    if (frame % kMineFrames == 0) ArmMines();
  });
  auto start = std::chrono::steady_clock::now();
  double cpuStart = ThreadSeconds();
  tobli::game::RunResult result = driver.Run([] { MainGame(); }, frames);
  double cpu = ThreadSeconds() - cpuStart;
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (result.end != tobli::game::RunEnd::kFrameLimit) {
    std::fprintf(stderr, "the run ended early after %llu frames\n",
                 static_cast<unsigned long long>(result.frames));
  }
  double shown = static_cast<double>(result.frames);
  std::printf(
      "%10llu frames  %8.3f s wall %10.0f frames/s  %8.3f s CPU %10.0f frames/s  "
      "enemies %g  boxes %g\n",
      static_cast<unsigned long long>(result.frames), seconds, shown / seconds, cpu, shown / cpu,
      maxene, maxbox);
  return shown / cpu;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t frames = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
  int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "tobli-replay-bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  for (size_t count : {0, 20, 60}) {
    std::printf("%zu enemies and %zu boxes at the start:\n", count, count);
    WriteBusyLevel(count);
    std::vector<double> rates;
    for (int r = 0; r < std::max(repeats, 1); ++r) rates.push_back(OneRun(frames));
    std::sort(rates.begin(), rates.end());
    std::printf("median %.0f frames/s (processor time)\n", rates[rates.size() / 2]);
  }
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
