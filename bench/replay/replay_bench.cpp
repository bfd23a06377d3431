// Frames per second of headless play: the real game loop on the headless driver, on a level of
// 48 by 32 tiles with up to 60 enemies in their rooms, as many resting gems and bombs, ice and
// conveyors, a field of mines set off again and again, and the player walking to and fro all
// the time. Each level size (0, 20 and 60 enemies and boxes) is run `repeats` times; prints
// frames per second of each run and the median. The time is wall time of the one thread.
//   replay_bench [frames] [repeats]
#include <sys/resource.h>

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
#include "platform/platform.h"

namespace {

constexpr int kColumns = 48;
constexpr int kRows = 32;
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

std::string Field(int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%03d", value);
  return text;
}

struct Enemy {
  int x, y, mode, speed, look;
};

// Rooms of 6 by 4 cells between walls; even rooms hold two enemies, odd ones four boxes, up to
// `count` of each.
void WriteBusyLevel(size_t count) {
  std::vector<std::vector<int>> map(kRows, std::vector<int>(kColumns, 60));
  std::vector<Enemy> enemies;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      bool border = r == 0 || c == 0 || r == kRows - 1 || c == kColumns - 1;
      bool roomWall = r >= 2 && r <= 27 && (r % 5 == 2 || c % 7 == 0);
      if (border || roomWall) map[r][c] = 73;
    }
  }
  // The player's corridor on row 1: floor, ice and conveyors to walk over.
  for (int c = 10; c < 14; ++c) map[1][c] = 66;
  map[1][20] = 84;
  map[1][30] = 83;
  int room = 0;
  size_t boxes = 0;
  for (int top = 3; top + 3 <= 26; top += 5) {
    for (int left = 1; left + 5 < kColumns - 1; left += 7, ++room) {
      if (room % 2 == 0) {
        if (enemies.size() < count) {
          enemies.push_back({left + 1, top, room % 4 == 0 ? 0 : 1, 0, 1 + room % 5});
        }
        if (enemies.size() < count) {
          enemies.push_back({left + 4, top + 2, room % 8 < 4 ? 2 : 3, 1, 1 + (room + 2) % 5});
        }
      } else {
        for (int k = 0; k < 4 && boxes < count; ++k, ++boxes) {
          map[top + 1 + k % 2][left + 1 + 2 * (k / 2)] = 5 + (room + k) % 4;
        }
      }
    }
  }
  // The rest of the enemies walk to and fro in the last band, above the mine field.
  for (int c = 2; enemies.size() < count && c < kColumns - 2; c += 1) {
    enemies.push_back({c, 28 + c % 2, 0, 0, 1 + c % 5});
  }
  std::filesystem::create_directories("levels");
  std::ofstream out("levels/Level.1", std::ios::binary);
  out << Field(kColumns - 1) << Field(kRows - 1) << Field(1) << Field(1)
      << Field(static_cast<int>(enemies.size())) << "\r\n";
  for (const std::vector<int>& row : map) {
    for (int code : row) out << Field(code);
    out << "\r\n";
  }
  for (const Enemy& e : enemies) {
    out << Field(e.x) << Field(e.y) << Field(e.mode) << Field(e.speed) << Field(e.look) << "\r\n";
  }
  out << "A busy level\r\n";
  std::ofstream("slot", std::ios::binary) << "1\r\n";
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
  tobli::game::RunResult result = driver.Run([] { MainGame(); }, frames);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (result.end != tobli::game::RunEnd::kFrameLimit) {
    std::fprintf(stderr, "the run ended early after %llu frames\n",
                 static_cast<unsigned long long>(result.frames));
  }
  std::printf("%10llu frames  %8.3f s  %10.0f frames/s  enemies %g  boxes %g\n",
              static_cast<unsigned long long>(result.frames), seconds,
              static_cast<double>(result.frames) / seconds, maxene, maxbox);
  return static_cast<double>(result.frames) / seconds;
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
    std::printf("median %.0f frames/s\n", rates[rates.size() / 2]);
  }
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
