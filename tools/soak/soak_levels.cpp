#include "soak_levels.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace tobli::soak {

namespace {

constexpr int kFloor = 60;
constexpr int kWall = 73;
constexpr int kExit = 93;
constexpr int kSweet = 14;

// The tiles a room is made of, besides floor: beamers, water, box starts, fragile floor, keys,
// sweets, fire, mines, crates, ground, item chest, magnets, ice and curves, walls, the plate,
// lowered and raised blocks, conveyors, items, doors, void, the exit, crate targets, the
// checkpoint, the hint tile and the toggle switch.
constexpr int kTiles[] = {0,  1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  11,  12,  13,  14,  15,
                          16, 17, 18, 19, 29, 49, 61, 62,  63,  64,  65,  66,  67,  68,  69,  70,
                          71, 72, 73, 74, 75, 76, 77, 78,  79,  80,  81,  82,  83,  84,  85,  86,
                          87, 88, 89, 90, 91, 92, 93, 100, 101, 102, 103, 104, 105, 106, 109, 111};
constexpr int kLooks[] = {1, 2, 3, 4, 15, 16, 17};

std::string Field(int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%03d", value);
  return text;
}

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

std::string Text(const std::vector<std::vector<int>>& rows, int startX, int startY,
                 const std::vector<std::vector<int>>& enemies, const std::string& hint) {
  std::string text = Field(static_cast<int>(rows[0].size()) - 1) +
                     Field(static_cast<int>(rows.size()) - 1) + Field(startX) + Field(startY) +
                     Field(static_cast<int>(enemies.size())) + "\r\n";
  for (const auto& row : rows) {
    for (int code : row) text += Field(code);
    text += "\r\n";
  }
  for (const auto& enemy : enemies) {
    for (int value : enemy) text += Field(value);
    text += "\r\n";
  }
  return text + hint + "\r\n";
}

// Start, a few cells of floor and sweets, then the exit: a random walk completes it.
std::string Corridor(std::mt19937& random) {
  int length = Pick(random, 3, 7);
  std::vector<int> row(length, kFloor);
  row.back() = kExit;
  if (Pick(random, 0, 1) == 1) row[1] = kSweet;
  return Text({row}, 0, 0, {}, "Out through the exit");
}

std::string Room(std::mt19937& random) {
  int width = Pick(random, 4, 24);
  int height = Pick(random, 3, 16);
  std::vector<std::vector<int>> rows(height, std::vector<int>(width, kFloor));
  for (int r = 0; r < height; ++r) {
    for (int c = 0; c < width; ++c) {
      bool edge = r == 0 || c == 0 || r == height - 1 || c == width - 1;
      if (edge) {
        rows[r][c] = Pick(random, 0, 9) == 0 ? kFloor : kWall;
      } else if (Pick(random, 0, 2) == 0) {
        rows[r][c] = kTiles[Pick(random, 0, static_cast<int>(std::size(kTiles)) - 1)];
      }
    }
  }
  int startX = Pick(random, 0, width - 1);
  int startY = Pick(random, 0, height - 1);
  rows[startY][startX] = kFloor;
  std::vector<std::vector<int>> enemies;
  int count = Pick(random, 0, 6);
  for (int e = 0; e < count; ++e) {
    enemies.push_back({Pick(random, 0, width - 1), Pick(random, 0, height - 1), Pick(random, 0, 4),
                       Pick(random, 0, 2),
                       kLooks[Pick(random, 0, static_cast<int>(std::size(kLooks)) - 1)]});
  }
  return Text(rows, startX, startY, enemies, "A room of everything");
}

}  // namespace

std::vector<int> ShippedLevels(const std::string& dir) {
  std::vector<int> numbers;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    std::string name = entry.path().filename().string();
    const std::string prefix = "Level.";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string digits = name.substr(prefix.size());
    // The game names its level files by the number's text, which never starts with 0 unless it
    // is 0; Level.01 to Level.03 are the save files.
    if (digits.size() > 6 || (digits.size() > 1 && digits[0] == '0')) continue;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    if (!entry.is_regular_file(error)) continue;
    numbers.push_back(std::stoi(digits));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

std::string MadeUpLevel(std::mt19937& random) {
  return Pick(random, 0, 3) == 0 ? Corridor(random) : Room(random);
}

}  // namespace tobli::soak
