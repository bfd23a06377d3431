#include "soak_run.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "audio/sound_log.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "heap_probe.h"
#include "soak_levels.h"

namespace tobli::soak {

namespace {

namespace fs = std::filesystem;
using game::HeadlessDriver;
using game::RunEnd;
using game::RunResult;

constexpr int kKeyEsc = 1;
constexpr int kKeyQ = 16;
constexpr int kKeyP = 25;
constexpr int kKeyEnter = 28;
constexpr int kKeyA = 30;
constexpr int kKeySpace = 57;
constexpr int kKeyF1 = 59;
constexpr int kArrows[] = {200, 203, 205, 208};
// Made-up levels are numbered from here, far beyond any shipped one, so leaving one through
// its exit leads to a level number without a file.
constexpr int kFirstMadeUpLevel = 900;
// A game lasts this many frames of presses before Enter is held.
constexpr uint64_t kShortestGame = 300;
constexpr uint64_t kLongestGame = 6000;
// How often the key that ends a game is pressed.
constexpr int kEndPresses = 10;
// Frames after the last press within which the game must have ended.
constexpr uint64_t kEndingFrames = 3000;
const char kSaveFile[] = "levels/Level.01";

// A private folder in memory when the system has one (every save is flushed to disk).
std::string MakeWorkDir() {
  struct stat info;
  std::string base = (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode))
                         ? std::string("/dev/shm")
                         : fs::temp_directory_path().string();
  std::string pattern = base + "/tobli-soak-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return "";
  return pattern;
}

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

// What the main program loads before its first game: the archives, the sounds, the small font
// and the game's sprites.
void LoadMedia() {
  DLN();
  SETDEZEZER("media.vez", "music.vez");
  loadsfx();
  DLN();
  LOADFONT("smalfont.bmp", 0);
  for (double n = 0; n <= 279; n = n + 1) {
    DLN();
    LOADSPRITE(KDStr("gfx/Tobli") + n + ".bmp", n);
  }
}

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// Schedules one game's presses: mostly arrow keys held for one to four steps, now and then a
// restart, a give-up, a pause or the help screen, and at the end Enter (or, rarely, Esc).
// Returns the frame after the last press.
uint64_t ScriptGame(HeadlessDriver& driver, std::mt19937& random, bool withHelp, bool escape,
                    SoakReport& report, bool print) {
  uint64_t length = static_cast<uint64_t>(Pick(random, kShortestGame, kLongestGame));
  uint64_t f = 3;  // after the level's "Loading..." and "Done!" frames
  while (f < length) {
    int roll = Pick(random, 0, 999);
    if (print) std::printf("frame %llu: roll %d\n", static_cast<unsigned long long>(f), roll);
    if (roll < 15) {
      driver.HoldKey(kKeySpace, f, f + 2);
      ++report.restarts;
      f += 30;
    } else if (roll < 25) {
      driver.HoldKey(kKeyQ, f, f + 2);
      ++report.giveUps;
      f += 60;
    } else if (roll < 32) {
      driver.HoldKey(kKeyP, f, f + 1);
      driver.HoldKey(kKeyA, f + 3, f + 4);
      ++report.pauses;
      f += 10;
    } else if (roll < 35 && withHelp) {
      // The help fades in over 52 frames before it waits for a key that types a character.
      driver.HoldKey(kKeyF1, f, f + 1);
      driver.HoldKey(kKeyA, f + 60, f + 61);
      ++report.helpScreens;
      f += 200;
    } else {
      uint64_t hold = 16 * static_cast<uint64_t>(Pick(random, 1, 4));
      driver.HoldKey(kArrows[Pick(random, 0, 3)], f, f + hold);
      f += hold + static_cast<uint64_t>(Pick(random, 0, 8));
    }
  }
  // The end key again and again, each time held for longer than a death fade (a player who
  // dies on the start tile over and over reads the keys in one pass of each round) and then
  // followed by a key that types a character (a wait for a key, in a pause or the help, takes
  // the presses meant for the game until such a key comes).
  int endKey = escape ? kKeyEsc : kKeyEnter;
  for (int i = 0; i < kEndPresses; ++i) {
    driver.HoldKey(endKey, f, f + 40);
    driver.HoldKey(kKeyA, f + 45, f + 46);
    f += 60;
  }
  return f;
}

// The levels in a shuffled order, shuffled again each round: every level is played once before
// any is played again.
class LevelDeck {
 public:
  explicit LevelDeck(const std::vector<int>& levels) : levels_(levels) {}
  int Next(std::mt19937& random) {
    if (next_ == levels_.size()) next_ = 0;
    if (next_ == 0) std::shuffle(levels_.begin(), levels_.end(), random);
    return levels_[next_++];
  }

 private:
  std::vector<int> levels_;
  size_t next_ = 0;
};

// Counts deaths and exits to the next level frame by frame.
class GameWatch {
 public:
  explicit GameWatch(SoakReport& report) : report_(report), exits_(exitsTaken) {}
  void OnFrame() {
    bool dying = ALIVE == 0 && gameon != 0;
    if (dying && !dying_) ++report_.deaths;
    dying_ = dying;
    if (exitsTaken != exits_) {
      ++report_.levelsLeft;
      exits_ = exitsTaken;
    }
  }

 private:
  SoakReport& report_;
  double exits_;
  bool dying_ = false;
};

std::string Describe(const RunResult& result) {
  char text[160];
  if (result.end == RunEnd::kProgramEnded) {
    std::snprintf(text, sizeof(text), "the program ended with error %g at line %g of file %g",
                  __g_error, __g_errorline, __g_debugfile);
  } else if (result.end == RunEnd::kStalled) {
    std::snprintf(text, sizeof(text), "the game waited for input after frame %llu",
                  static_cast<unsigned long long>(result.frames));
  } else {
    std::snprintf(text, sizeof(text), "the game did not end within %llu frames",
                  static_cast<unsigned long long>(result.frames));
  }
  return text;
}

void JudgeMemory(const SoakOptions& options, SoakReport& report) {
  report.warmUpFrames =
      static_cast<uint64_t>(static_cast<double>(options.frames) * options.warmUpShare);
  std::vector<HeapSample> after;
  for (const HeapSample& sample : report.samples) {
    if (sample.frame > report.warmUpFrames) after.push_back(sample);
  }
  size_t half = after.size() / 2;
  for (size_t i = 0; i < after.size(); ++i) {
    uint64_t& peak = i < half ? report.firstHalfPeak : report.secondHalfPeak;
    peak = std::max(peak, after[i].liveHeap);
  }
  report.memoryFlat =
      after.size() < 2 || report.secondHalfPeak <= report.firstHalfPeak + options.allowedGrowth;
}

// Copies the shipped levels into the work folder and adds the made-up ones. The level numbers.
std::vector<int> PrepareLevels(const SoakOptions& options, std::mt19937& random,
                               SoakReport& report) {
  fs::create_directories("levels");
  std::vector<int> numbers;
  if (!options.levelsDir.empty()) {
    for (int n : ShippedLevels(options.levelsDir)) {
      std::string name = "Level." + std::to_string(n);
      std::error_code error;
      fs::copy_file(fs::path(options.levelsDir) / name, fs::path("levels") / name, error);
      if (error) continue;
      numbers.push_back(n);
      ++report.shippedLevels;
    }
  }
  for (int i = 0; i < options.madeUpLevels; ++i) {
    int n = kFirstMadeUpLevel + i;
    if (!WriteText("levels/Level." + std::to_string(n), MadeUpLevel(random))) continue;
    numbers.push_back(n);
    ++report.madeUpLevels;
  }
  return numbers;
}

bool LinkMedia(const std::string& mediaDir) {
  if (mediaDir.empty()) return false;
  bool linked = false;
  for (const char* name : {"media.vez", "music.vez"}) {
    fs::path from = fs::absolute(fs::path(mediaDir) / name);
    std::error_code error;
    if (!fs::is_regular_file(from, error)) continue;
    fs::create_symlink(from, name, error);
    if (!error) linked = true;
  }
  return linked;
}

void PlayGames(const SoakOptions& options, const std::vector<int>& levels, std::mt19937& random,
               SoakReport& report) {
  HeadlessDriver driver(game::DriverOptions{options.seed, true});
  LevelDeck deck(levels);
  std::set<int> played;
  bool mediaLoaded = false;
  while (report.frames < options.frames) {
    if (report.media && !mediaLoaded) {
      RunResult loaded = driver.Run([] { LoadMedia(); });
      report.frames += loaded.frames;
      mediaLoaded = loaded.end == RunEnd::kReturned;
    }
    int number = deck.Next(random);
    unsigned long gameSeed = random();
    bool replay = options.replayLevel >= 0;
    if (replay) {
      number = options.replayLevel;
      gameSeed = options.replaySeed;
    }
    played.insert(number);
    report.levelsPlayed = static_cast<int>(played.size());
    // The game reads its level from the save file: the cache lets go of it before it changes.
    HeadlessDriver::FlushTextFiles();
    WriteText(kSaveFile, std::to_string(number) + "\r\n");
    savefile_Str = kSaveFile;

    std::mt19937 gameRandom(static_cast<std::mt19937::result_type>(gameSeed));
    bool escape = Pick(gameRandom, 0, 39) == 0;
    uint64_t lastPress = ScriptGame(driver, gameRandom, report.media, escape, report, replay);
    GameWatch watch(report);
    driver.OnEveryFrame([&watch](uint64_t) { watch.OnFrame(); });
    RunResult result = driver.Run([] { MainGame(); }, lastPress + kEndingFrames);
    report.frames += result.frames;
    ++report.games;

    bool escaped = result.end == RunEnd::kProgramEnded && __g_error == 0 && escape;
    if (result.end == RunEnd::kReturned) {
      ++report.quitWithEnter;
    } else if (escaped) {
      ++report.endedWithEsc;
      mediaLoaded = false;  // the end took the services and what they held
    } else {
      if (result.end == RunEnd::kFrameLimit) ++report.frameLimits;
      if (result.end == RunEnd::kProgramEnded) mediaLoaded = false;
      report.findings.push_back({number, gameSeed, Describe(result)});
    }
    if (options.verbose) {
      std::printf("game %llu: level %d, %llu frames, %s\n",
                  static_cast<unsigned long long>(report.games), number,
                  static_cast<unsigned long long>(result.frames),
                  result.end == RunEnd::kReturned ? "Enter"
                  : escaped                       ? "Esc"
                                                  : Describe(result).c_str());
    }
    if (replay) {
      std::printf("ended after %llu frames (last press %llu): gameon %g, ALIVE %g, level %g\n",
                  static_cast<unsigned long long>(result.frames),
                  static_cast<unsigned long long>(lastPress), gameon, ALIVE, level);
      break;
    }
    // The sound log is the driver's record, not the game's memory: it is emptied after every
    // game, and the room it keeps (as much as the noisiest game needed) is not counted. Nor
    // are the readings themselves.
    ClearSoundLog();
    HeapReading heap = ReadHeap();
    uint64_t own = report.samples.capacity() * sizeof(HeapSample) +
                   SoundLog().capacity() * sizeof(SoundLogEntry);
    report.samples.push_back(
        {report.frames, heap.liveHeap - std::min(own, heap.liveHeap), heap.resident});
  }
}

}  // namespace

SoakReport RunSoak(const SoakOptions& options) {
  SoakReport report;
  std::string oldDir = fs::current_path().string();
  const char* oldTmp = std::getenv("TMPDIR");
  std::string savedTmp = oldTmp != nullptr ? oldTmp : "";
  std::string levelsDir = options.levelsDir.empty() ? "" : fs::absolute(options.levelsDir).string();
  std::string mediaDir = options.mediaDir.empty() ? "" : fs::absolute(options.mediaDir).string();

  std::string work = MakeWorkDir();
  if (work.empty() || chdir(work.c_str()) != 0) {
    report.setupError = "cannot make a private working folder";
    return report;
  }
  setenv("TMPDIR", work.c_str(), 1);
  std::mt19937 random(static_cast<std::mt19937::result_type>(options.seed));
  SoakOptions local = options;
  local.levelsDir = levelsDir;
  std::vector<int> levels = PrepareLevels(local, random, report);
  report.media = LinkMedia(mediaDir);
  if (levels.empty()) {
    report.setupError = "no levels to play";
  } else if (!options.levelsDir.empty() && report.shippedLevels == 0) {
    // A levels folder given by mistake would leave only the made-up levels to play.
    report.setupError = "no level files in " + options.levelsDir;
  } else if (options.replayLevel >= 0 &&
             std::find(levels.begin(), levels.end(), options.replayLevel) == levels.end()) {
    // The game would start the set over at level 0 and replay another game.
    report.setupError = "level " + std::to_string(options.replayLevel) + " is not in the set";
  } else {
    PlayGames(options, levels, random, report);
    JudgeMemory(options, report);
  }

  if (chdir(oldDir.c_str()) != 0) report.setupError = "cannot return to " + oldDir;
  if (oldTmp != nullptr) {
    setenv("TMPDIR", savedTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return report;
}

}  // namespace tobli::soak
