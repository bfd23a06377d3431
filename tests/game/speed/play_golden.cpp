// The behaviour check of the game's frame passes: plays every level of a folder through
// MainGame on the headless driver with random key presses from fixed seeds, folds the whole
// game state into a digest after every frame, and prints one line per run. Two builds whose
// lines agree played every run identically, frame by frame: map, tables, player, pick-ups,
// sounds (slot, balance and frame), deaths and frame counts.
//
//   play_golden write DIR                     adds the generated levels to DIR/levels
//   play_golden run DIR [FRAMES] [SEEDS]      plays every level of DIR/levels
//   play_golden trace DIR LEVEL SEED [FRAMES] one digest per frame of one run
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/isaac.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "golden_levels.h"
#include "state_digest.h"
#include "platform/platform.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;

constexpr int kFirstGenerated = 100;
constexpr uint32_t kSeedsPerShape = 2;
constexpr int kRoomsLevels[] = {0, 20, 60};
constexpr int kFirstRooms = 200;
constexpr int kFirstRings = 300;
constexpr uint32_t kRingsLevels = 3;
constexpr uint64_t kDefaultFrames = 4000;
constexpr uint32_t kDefaultSeeds = 3;

// The rooms level's mine row, as the replay benchmark lays it every 150 frames.
constexpr uint64_t kMineFrames = 150;
constexpr int kMineRow = 30 + 6;
constexpr int kMineFirst = 1 + 6;
constexpr int kMineLast = 46 + 6;

struct RunLine {
  RunEnd end = RunEnd::kReturned;
  uint64_t frames = 0;
  uint64_t digest = 0;
  uint64_t sounds = 0;
};

RunLine PlayOne(int levelNumber, uint32_t seed, uint64_t frames, bool trace) {
  std::string slot = "golden-slot";
  std::FILE* file = std::fopen(slot.c_str(), "wb");
  if (file == nullptr) {
    std::perror("golden-slot");
    std::exit(1);
  }
  std::fprintf(file, "%d\r\n", levelNumber);
  std::fclose(file);

  // The driver's seed is spread over the words an earlier play left in the generator: each
  // play starts from the generator's state at start-up, so that runs do not depend on the ones
  // before them.
  __g_ctx = RandomContext{};
  HeadlessDriver driver(tobli::game::DriverOptions{seed, true});
  savefile_Str = slot.c_str();
  tobli::test::ScriptRandomPresses(driver, seed, frames);
  uint64_t running = tobli::test::kDigestStart;
  bool rooms = levelNumber >= kFirstRooms && levelNumber < kFirstRings;
  std::vector<std::vector<int>> rings;
  if (levelNumber >= kFirstRings) {
    rings = tobli::test::RingsLevel(static_cast<uint32_t>(levelNumber - kFirstRings + 1)).rings;
  }
  driver.OnEveryFrame([&](uint64_t frame) {
    if (rooms && frame % kMineFrames == 0 && level == levelNumber) {
      for (int c = kMineFirst; c <= kMineLast; ++c) {
        if (hit(c, kMineRow) == 60) hit(c, kMineRow) = 19;
      }
      createboom(kMineFirst, kMineRow);
    }
    if (level == levelNumber) tobli::test::LayRings(rings);
    uint64_t state = tobli::test::StateDigest();
    running = tobli::test::FoldDigest(running, state);
    if (trace)
      std::printf("%llu %016llx\n", static_cast<unsigned long long>(frame),
                  static_cast<unsigned long long>(state));
  });
  tobli::game::RunResult result = driver.Run([] { MainGame(); }, frames);
  running = tobli::test::FoldDigest(running, tobli::test::StateDigest());
  return {result.end, result.frames, running, tobli::test::SoundDigest()};
}

std::vector<int> LevelNumbers(const std::filesystem::path& dir) {
  std::vector<int> numbers;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "levels")) {
    std::string name = entry.path().filename().string();
    if (name.rfind("Level.", 0) != 0 || name.size() == 6) continue;
    std::string digits = name.substr(6);
    if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
    if (digits.size() > 1 && digits[0] == '0') continue;  // a save slot
    numbers.push_back(std::atoi(digits.c_str()));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

void WriteLevels() {
  int number = kFirstGenerated;
  uint32_t seed = 1;
  for (const tobli::test::GoldenLevelShape& shape : tobli::test::GoldenShapes()) {
    for (uint32_t k = 0; k < kSeedsPerShape; ++k) {
      tobli::test::WriteLevelFile(number++, tobli::test::GoldenLevel(seed++, shape));
    }
  }
  for (int count : kRoomsLevels) {
    tobli::test::WriteLevelFile(kFirstRooms + count, tobli::test::RoomsLevel(count));
  }
  for (uint32_t k = 0; k < kRingsLevels; ++k) {
    tobli::test::WriteLevelFile(kFirstRings + static_cast<int>(k),
                                tobli::test::RingsLevel(k + 1).level);
  }
}

const char* EndName(RunEnd end) {
  switch (end) {
    case RunEnd::kReturned:
      return "returned";
    case RunEnd::kStopped:
      return "stopped";
    case RunEnd::kFrameLimit:
      return "frame-limit";
    case RunEnd::kProgramEnded:
      return "program-ended";
    case RunEnd::kStalled:
      return "stalled";
  }
  return "?";
}

int Usage() {
  std::fprintf(stderr,
               "usage: play_golden write DIR\n"
               "       play_golden run DIR [FRAMES] [SEEDS]\n"
               "       play_golden trace DIR LEVEL SEED [FRAMES]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string command = argv[1];
  std::filesystem::path dir = std::filesystem::absolute(argv[2]);
  std::filesystem::current_path(dir);
  if (command == "write") {
    WriteLevels();
    return 0;
  }
  if (command == "run") {
    uint64_t frames = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : kDefaultFrames;
    uint32_t seeds = argc > 4 ? static_cast<uint32_t>(std::atoi(argv[4])) : kDefaultSeeds;
    for (int number : LevelNumbers(dir)) {
      for (uint32_t seed = 1; seed <= seeds; ++seed) {
        RunLine line = PlayOne(number, seed, frames, false);
        std::printf("level %d seed %u end %s frames %llu state %016llx sounds %016llx\n", number,
                    seed, EndName(line.end), static_cast<unsigned long long>(line.frames),
                    static_cast<unsigned long long>(line.digest),
                    static_cast<unsigned long long>(line.sounds));
        std::fflush(stdout);
      }
    }
    return 0;
  }
  if (command == "trace" && argc >= 5) {
    uint64_t frames = argc > 5 ? std::strtoull(argv[5], nullptr, 10) : kDefaultFrames;
    PlayOne(std::atoi(argv[3]), static_cast<uint32_t>(std::atoi(argv[4])), frames, true);
    return 0;
  }
  return Usage();
}
