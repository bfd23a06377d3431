// Runs the game's routines on the headless platform at full speed: the runtime's services are
// started without a window, input comes from a script of key and mouse events keyed by frame,
// and a run ends when the routine returns, when a frame callback stops it, after a frame
// limit, when the program ends (__EndProgram), or when the routine waits for input that the
// script will never give. The game's globals (state.h) are read and set directly.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace tobli::game {

enum class RunEnd {
  kReturned,      // the routine returned
  kStopped,       // a frame callback called Stop()
  kFrameLimit,    // the run reached its frame limit
  kProgramEnded,  // __EndProgram ran (Esc, END, a runtime error); the services were restarted
  kStalled,       // the routine waited for input and the script had none left
};

struct RunResult {
  RunEnd end = RunEnd::kReturned;
  uint64_t frames = 0;  // frames presented during the run
};

struct DriverOptions {
  // Seed of the random generator, so that runs repeat exactly.
  unsigned long seed = 1;
  // Give the globals the main program's start values (else they stay as the program starts).
  bool startValues = true;
};

class HeadlessDriver {
 public:
  static constexpr uint64_t kDefaultFrameLimit = 200000;

  // Selects the headless platform, starts the services and clears the game state. Only one
  // driver may exist at a time.
  explicit HeadlessDriver(DriverOptions options = {});
  // Writes the text-file cache back, shuts the services down and removes the hooks.
  ~HeadlessDriver();
  HeadlessDriver(const HeadlessDriver&) = delete;
  HeadlessDriver& operator=(const HeadlessDriver&) = delete;

  // ---- The script. Frame f of a run is the time after f frames have been shown: frame 0
  // is before the first SHOWSCREEN. Events of frame f are seen by the game's code that runs
  // between SHOWSCREEN f and f + 1. The script belongs to the next run and is emptied by it;
  // keys still held when a run ends are released.
  void KeyDown(int key, uint64_t frame);
  void KeyUp(int key, uint64_t frame);
  // Key held from frame `from` up to (not including) frame `until`.
  void HoldKey(int key, uint64_t from, uint64_t until);
  // Key held for the one frame.
  void PressKey(int key, uint64_t frame);
  void MouseMotion(int dx, int dy, uint64_t frame);
  void MouseButton(int button, bool down, uint64_t frame);
  // Runs the action when frame f has been shown (after its events were queued).
  void At(uint64_t frame, std::function<void()> action);
  // Called after every frame shown, with the frame's number (1 for the first).
  void OnEveryFrame(std::function<void(uint64_t)> callback);
  // Releases every key the script holds down (queued now).
  void ReleaseAllKeys();

  // Runs the routine until it ends one of the ways of RunEnd. The text-file cache is written
  // back and emptied first, so files changed since the last run are read afresh.
  RunResult Run(const std::function<void()>& routine, uint64_t frameLimit = kDefaultFrameLimit);
  // From a frame callback or an At action: ends the current run (does not return).
  [[noreturn]] void Stop();
  // Frames shown so far in the current (or last) run.
  uint64_t frame() const { return frame_; }

  // Writes the runtime's text-file cache back to disk and empties it.
  static void FlushTextFiles();

 private:
  struct Scripted {
    platform::Event event;
    std::function<void()> action;
  };

  void StartServices();
  void StopServices();
  void OnFrame();
  void OnIdle();
  void Deliver(std::vector<Scripted>& batch);
  void Schedule(uint64_t frame, Scripted item);

  DriverOptions options_;
  bool servicesUp_ = false;
  bool running_ = false;
  uint64_t frame_ = 0;
  uint64_t frameLimit_ = kDefaultFrameLimit;
  uint64_t idlePolls_ = 0;
  std::map<uint64_t, std::vector<Scripted>> script_;
  std::function<void(uint64_t)> everyFrame_;
  std::set<int> keysDown_;
};

}  // namespace tobli::game
