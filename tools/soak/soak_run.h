// The soak: game after game of random play on the headless platform, with the memory the
// process holds read after every game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tobli::soak {

struct SoakOptions {
  uint64_t frames = 200000;  // frames to play in all
  unsigned long seed = 1;    // seed of the random play and the made-up levels
  std::string levelsDir;     // the shipped level files
  std::string mediaDir;      // media.vez and music.vez ("" or missing: play without media)
  int madeUpLevels = 24;     // levels made up at random besides the shipped ones
  double warmUpShare = 0.2;  // share of the frames before memory is judged
  uint64_t allowedGrowth = 64 * 1024;  // bytes the heap may grow after warm-up
  bool verbose = false;                // one line per game
  // Replays one game of an earlier soak (its level and game seed, as a finding names them),
  // printing its presses and how it ended. -1: no replay.
  int replayLevel = -1;
  unsigned long replaySeed = 0;
};

struct HeapSample {
  uint64_t frame = 0;  // frames played when read
  uint64_t liveHeap = 0;
  uint64_t resident = 0;
};

// A game that went wrong: the program ended with an error, or the game waited for input
// that never came.
struct SoakFinding {
  int level = 0;
  unsigned long gameSeed = 0;  // the seed that replays this game's presses
  std::string what;
};

struct SoakReport {
  uint64_t frames = 0;
  uint64_t games = 0;
  int shippedLevels = 0;
  int madeUpLevels = 0;
  int levelsPlayed = 0;  // different levels at least one game started on
  bool media = false;
  // How the games ended.
  uint64_t quitWithEnter = 0;
  uint64_t endedWithEsc = 0;
  uint64_t frameLimits = 0;
  // What happened in them.
  uint64_t deaths = 0;
  uint64_t restarts = 0;
  uint64_t giveUps = 0;
  uint64_t pauses = 0;
  uint64_t helpScreens = 0;
  uint64_t levelsLeft = 0;  // exits taken to the next level
  std::vector<SoakFinding> findings;
  std::vector<HeapSample> samples;
  // Memory after warm-up: the largest heap in its first and in its second half.
  uint64_t warmUpFrames = 0;
  uint64_t firstHalfPeak = 0;
  uint64_t secondHalfPeak = 0;
  bool memoryFlat = true;
  std::string setupError;  // non-empty when the soak could not start
};

// Plays until options.frames frames have been shown. Works in a private folder of its own
// (levels copied there), so nothing outside it is written.
SoakReport RunSoak(const SoakOptions& options);

}  // namespace tobli::soak
