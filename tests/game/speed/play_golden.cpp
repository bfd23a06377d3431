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
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "audio/sound_log.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "golden_levels.h"
#include "platform/platform.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;

constexpr int kFirstGenerated = 100;
constexpr uint32_t kSeedsPerShape = 2;
constexpr int kRoomsLevels[] = {0, 20, 60};
constexpr int kFirstRooms = 200;
constexpr uint64_t kDefaultFrames = 4000;
constexpr uint32_t kDefaultSeeds = 3;

// The rooms level's mine row, as the replay benchmark lays it every 150 frames.
constexpr uint64_t kMineFrames = 150;
constexpr int kMineRow = 30 + 6;
constexpr int kMineFirst = 1 + 6;
constexpr int kMineLast = 46 + 6;

const char* const kNumbers[] = {
    "ALIVE",     "EDITOR",     "boxmission", "enemission", "offsx",      "offsy",   "maxene",
    "crrspd",    "crrmode",    "level",      "plyx",       "plyy",       "plym",    "backani",
    "backdelay", "lowerani",   "ani",        "tobani",     "wani",       "sweets",  "saltbag",
    "fireman",   "wellington", "magnet",     "kynum",      "gameon",     "drawing", "delay",
    "happened",  "onice",      "moving",     "dx",         "dy",         "x",       "y",
    "h",         "i",          "maxbox",     "maxboom",    "startx",     "starty",  "xlevel",
    "ylevel",    "maxx",       "maxy",       "zoop",       "voicedelay", "zt",      "num",
    "mousex",    "mousey",     "mouseb1",    "mouseb2",    "blackcolor"};
const char* const kArrays[] = {"hit",     "enex",   "eney",     "enespd",   "enemode",  "enelook",
                               "boxlook", "boxx",   "boxy",     "boxm",     "boxdelay", "bomx",
                               "bomy",    "beamp",  "pingpong", "xitflash", "kys",      "kyshowx",
                               "kyshowy", "kymove", "kylook"};

class Digest {
 public:
  void Add(uint64_t word) {
    hash_ ^= word;
    hash_ *= 0x100000001b3ULL;
    hash_ ^= hash_ >> 29;
  }
  void Add(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    Add(bits);
  }
  uint64_t value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// Every number and array of the game, and what the sound log has gained.
uint64_t StateDigest() {
  Digest d;
  for (const char* name : kNumbers) d.Add(*FindGameNumber(name));
  for (const char* name : kArrays) {
    const KDIntArray& a = *FindGameArray(name);
    d.Add(static_cast<uint64_t>(a.nCount));
    for (int64_t k = 0; k < a.nCount; ++k) d.Add(a.pData[k]);
  }
  const std::vector<SoundLogEntry>& sounds = SoundLog();
  d.Add(static_cast<uint64_t>(sounds.size()));
  return d.value();
}

uint64_t SoundDigest() {
  Digest d;
  for (const SoundLogEntry& s : SoundLog()) {
    d.Add(s.frame);
    d.Add(static_cast<uint64_t>(s.slot));
    d.Add(static_cast<uint64_t>(s.pan));
  }
  return d.value();
}

// Random presses: every few frames the held arrows change (none, one, or two at once), and
// now and then Space (restart) or Q (give up) is pressed.
void ScriptPresses(HeadlessDriver& driver, uint32_t seed, uint64_t frames) {
  constexpr int kArrows[] = {200, 203, 205, 208};
  std::mt19937 random(seed);
  auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  uint64_t frame = 1;
  while (frame < frames) {
    uint64_t until = frame + 1 + static_cast<uint64_t>(below(40));
    int roll = below(100);
    if (roll < 2) {
      driver.PressKey(57, frame);
    } else if (roll < 4) {
      driver.PressKey(16, frame);
    } else if (roll < 20) {
      // nothing held
    } else {
      driver.HoldKey(kArrows[below(4)], frame, until);
      if (roll < 28) driver.HoldKey(kArrows[below(4)], frame, until);
    }
    frame = until;
  }
}

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

  HeadlessDriver driver(tobli::game::DriverOptions{seed, true});
  savefile_Str = slot.c_str();
  ScriptPresses(driver, seed, frames);
  Digest running;
  bool rooms = levelNumber >= kFirstRooms;
  driver.OnEveryFrame([&](uint64_t frame) {
    if (rooms && frame % kMineFrames == 0 && level == levelNumber) {
      for (int c = kMineFirst; c <= kMineLast; ++c) {
        if (hit(c, kMineRow) == 60) hit(c, kMineRow) = 19;
      }
      createboom(kMineFirst, kMineRow);
    }
    uint64_t state = StateDigest();
    running.Add(state);
    if (trace)
      std::printf("%llu %016llx\n", static_cast<unsigned long long>(frame),
                  static_cast<unsigned long long>(state));
  });
  tobli::game::RunResult result = driver.Run([] { MainGame(); }, frames);
  running.Add(StateDigest());
  return {result.end, result.frames, running.value(), SoundDigest()};
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
