#include "level_builder.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#include "audio/sound_log.h"
#include "game.h"

#include "support/test_support.h"

namespace tobli::test {

std::string LevelField(int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%03d", value);
  return text;
}

std::string LevelFileText(const LevelSpec& level) {
  int maxx = level.rows.empty() ? 0 : static_cast<int>(level.rows[0].size()) - 1;
  int maxy = static_cast<int>(level.rows.size()) - 1;
  std::string text = LevelField(maxx) + LevelField(maxy) + LevelField(level.startX) +
                     LevelField(level.startY) + LevelField(static_cast<int>(level.enemies.size())) +
                     "\r\n";
  for (const std::vector<int>& row : level.rows) {
    for (int code : row) text += LevelField(code);
    text += "\r\n";
  }
  for (const LevelEnemy& e : level.enemies) {
    text += LevelField(e.x) + LevelField(e.y) + LevelField(e.mode) + LevelField(e.speed) +
            LevelField(e.look) + "\r\n";
  }
  return text + level.hint + "\r\n";
}

void WriteLevelFile(int number, const LevelSpec& level) {
  std::filesystem::create_directories("levels");
  WriteFile("levels/Level." + std::to_string(number), LevelFileText(level));
}

void UseSlotLevel(const LevelSpec& level) {
  WriteLevelFile(1, level);
  WriteFile("slot", "1\r\n");
  savefile_Str = "slot";
}

std::vector<int> SoundSlots() {
  std::vector<int> slots;
  for (const SoundLogEntry& entry : SoundLog()) slots.push_back(entry.slot);
  return slots;
}

LevelSpec FloorLevel(int columns, int rows) {
  LevelSpec level;
  level.rows.assign(rows, std::vector<int>(columns, 60));
  return level;
}

LevelSpec Level(std::vector<std::vector<int>> rows, int sx, int sy,
                std::vector<LevelEnemy> enemies) {
  LevelSpec level;
  level.rows = std::move(rows);
  level.startX = sx;
  level.startY = sy;
  level.enemies = std::move(enemies);
  return level;
}

double& Cell(int c, int r) {
  return hit(c + kMargin, r + kMargin);
}

}  // namespace tobli::test
