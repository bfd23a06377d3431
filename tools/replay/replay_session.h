// Plays one level of the real game headless, driven by a parsed move string, and gathers the
// state the replay tool reports.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tobli::replay {

struct ReplayRequest {
  double level = 0;
  std::vector<char> moves;  // one character per token, as ParseMoves gives them
  uint64_t maxFrames = 200000;
  bool withMap = false;
};

struct ReplayOutcome {
  double level = 0;        // at the end (the next level when the exit was taken)
  bool completed = false;  // the exit was taken
  bool timeout = false;    // the frame limit ended the run
  uint64_t frames = 0;     // frames shown
  int deaths = 0;          // death sequences run
  bool alive = true;
  double x = 0;  // the player's tile in the stored level's coordinates
  double y = 0;
  double sweets = 0;
  double keys[5] = {};
  double saltbag = 0;
  double fireman = 0;
  double wellington = 0;
  double boxes = 0;
  double enemies = 0;
  double boxmission = 0;
  double enemission = 0;
  std::map<int, uint64_t> sounds;  // slot -> PLAYSOUND calls
  std::vector<std::string> map;    // rows of three-character fields, when asked for
  // The program ended during the run (a runtime error): its error code and line.
  bool programEnded = false;
  double errorCode = 0;
  double errorLine = 0;
  // The game waited for input that never came (it cannot, as the tool presses no pause key).
  bool stalled = false;
  // Not empty when the run could not start (no temporary save file could be written).
  std::string setupError;
};

// Plays the level from the files below the current directory, with a temporary save slot
// holding its number, until the moves are used up, the exit is taken or the frame limit is
// reached. Creates (and destroys) the headless driver itself, so no other may exist; the
// game's globals keep the final state afterwards.
ReplayOutcome PlayLevel(const ReplayRequest& request);

}  // namespace tobli::replay
