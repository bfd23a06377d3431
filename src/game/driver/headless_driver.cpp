#include "driver/headless_driver.h"

#include <string>
#include <utility>

#include "audio/sound_log.h"
#include "core/error_log.h"
#include "core/isaac.h"
#include "core/services.h"
#include "game.h"

namespace tobli::game {
namespace {

// Polls of an empty event queue without a frame in between after which the game is taken to
// be waiting for input (a key-release wait, KEYWAIT): the script then moves on to its next
// batch at once. A frame of the game polls far fewer times than this.
constexpr uint64_t kIdlePollsBeforeAdvance = 2000;
// Idle polls with nothing left in the script after which the run is given up as stalled.
constexpr uint64_t kIdlePollsBeforeStall = 200000;

// Thrown by the hooks and the exit handler; caught by Run.
struct RunAbort {
  RunEnd end;
};

}  // namespace

HeadlessDriver::HeadlessDriver(DriverOptions options) : options_(options) {
  platform::Select(platform::Kind::kHeadless);
  platform::SetExitHandler([](int) { throw RunAbort{RunEnd::kProgramEnded}; });
  platform::SetFrameHook([this] { OnFrame(); });
  platform::SetIdleHook([this] { OnIdle(); });
  __DeleteErrorLog();
  // Nothing of an earlier user may remain: a cached text file or the sounds it played.
  FlushTextFiles();
  ClearSoundLog();
  StartServices();
  ClearGameState();
  if (options_.startValues) SetGameStartValues();
}

HeadlessDriver::~HeadlessDriver() {
  FlushTextFiles();
  StopServices();
  platform::SetFrameHook({});
  platform::SetIdleHook({});
  platform::SetExitHandler({});
}

void HeadlessDriver::StartServices() {
  // Start-up as the program frame does it, without a window, the executable's archives or a
  // clock-based seed.
  std::string why;
  platform::WindowSpec spec;
  spec.width = __KD_RESX;
  spec.height = __KD_RESY;
  platform::OpenWindow(spec, why);
  __CreateInputService();
  __CreateRenderer();
  __CreateSoundService();
  __InitRenderer(__KD_RESX, __KD_RESY, 0, __KD_FRAMERATE, why);
  // A fresh generator, as at process start: seeding mixes in the words of the last batch, so a
  // second driver in the same process would otherwise not repeat the first one's numbers.
  __g_ctx = RandomContext{};
  __SeedRandom(options_.seed);
  __SetDisplayMode(false);
  __CreateInputDevices(true);
  __CreateSoundDevice();
  __nCurFont = 0;
  __LoadStartupFont();
  __PresentFirstFrame();
  __g_FirstTime = __g_LastTime = __g_ThisTime = __ClockMs();
  __g_mx = __g_my = 100;
  __g_error = __g_errorline = __g_debugline = __g_debugfile = 0;
  keysDown_.clear();
  servicesUp_ = true;
}

void HeadlessDriver::StopServices() {
  // Each step destroys only what exists, so this is safe after __EndProgram as well.
  __StopMusicService();
  __DestroyRenderer();
  __DestroyInputService();
  __DestroySoundServices();
  platform::CloseWindow();
  servicesUp_ = false;
}

void HeadlessDriver::Schedule(uint64_t frame, Scripted item) {
  script_[frame].push_back(std::move(item));
}

void HeadlessDriver::KeyDown(int key, uint64_t frame) {
  platform::Event event;
  event.type = platform::EventType::kKeyDown;
  event.key = key;
  Schedule(frame, {event, nullptr});
}

void HeadlessDriver::KeyUp(int key, uint64_t frame) {
  platform::Event event;
  event.type = platform::EventType::kKeyUp;
  event.key = key;
  Schedule(frame, {event, nullptr});
}

void HeadlessDriver::HoldKey(int key, uint64_t from, uint64_t until) {
  KeyDown(key, from);
  KeyUp(key, until);
}

void HeadlessDriver::PressKey(int key, uint64_t frame) {
  HoldKey(key, frame, frame + 1);
}

void HeadlessDriver::MouseMotion(int dx, int dy, uint64_t frame) {
  platform::Event event;
  event.type = platform::EventType::kMouseMotion;
  event.dx = dx;
  event.dy = dy;
  Schedule(frame, {event, nullptr});
}

void HeadlessDriver::MouseButton(int button, bool down, uint64_t frame) {
  platform::Event event;
  event.type = down ? platform::EventType::kMouseButtonDown : platform::EventType::kMouseButtonUp;
  event.button = button;
  Schedule(frame, {event, nullptr});
}

void HeadlessDriver::At(uint64_t frame, std::function<void()> action) {
  Schedule(frame, {platform::Event{}, std::move(action)});
}

void HeadlessDriver::OnEveryFrame(std::function<void(uint64_t)> callback) {
  everyFrame_ = std::move(callback);
}

void HeadlessDriver::ReleaseAllKeys() {
  for (int key : keysDown_) {
    platform::Event event;
    event.type = platform::EventType::kKeyUp;
    event.key = key;
    platform::PushEvent(event);
  }
  keysDown_.clear();
}

void HeadlessDriver::Deliver(std::vector<Scripted>& batch) {
  for (Scripted& item : batch) {
    if (item.action) {
      item.action();
      continue;
    }
    if (item.event.type == platform::EventType::kKeyDown) keysDown_.insert(item.event.key);
    if (item.event.type == platform::EventType::kKeyUp) keysDown_.erase(item.event.key);
    platform::PushEvent(item.event);
  }
}

void HeadlessDriver::OnFrame() {
  if (!running_) return;
  ++frame_;
  idlePolls_ = 0;
  while (!script_.empty() && script_.begin()->first <= frame_) {
    std::vector<Scripted> batch = std::move(script_.begin()->second);
    script_.erase(script_.begin());
    Deliver(batch);
  }
  if (everyFrame_) everyFrame_(frame_);
  if (frame_ >= frameLimit_) throw RunAbort{RunEnd::kFrameLimit};
}

void HeadlessDriver::OnIdle() {
  if (!running_) return;
  ++idlePolls_;
  if (!script_.empty()) {
    if (idlePolls_ < kIdlePollsBeforeAdvance) return;
    // The game waits for input without showing frames: time passes until the script's next
    // batch, which is given now.
    idlePolls_ = 0;
    std::vector<Scripted> batch = std::move(script_.begin()->second);
    script_.erase(script_.begin());
    Deliver(batch);
    return;
  }
  if (idlePolls_ >= kIdlePollsBeforeStall) throw RunAbort{RunEnd::kStalled};
}

RunResult HeadlessDriver::Run(const std::function<void()>& routine, uint64_t frameLimit) {
  if (!servicesUp_) StartServices();
  // Files the caller wrote since the last run are read afresh.
  FlushTextFiles();
  running_ = true;
  frame_ = 0;
  frameLimit_ = frameLimit;
  idlePolls_ = 0;
  RunResult result;
  try {
    auto first = script_.find(0);
    if (first != script_.end()) {
      std::vector<Scripted> batch = std::move(first->second);
      script_.erase(first);
      Deliver(batch);
    }
    routine();
    result.end = RunEnd::kReturned;
  } catch (const RunAbort& abort) {
    result.end = abort.end;
  }
  running_ = false;
  result.frames = frame_;
  script_.clear();
  everyFrame_ = nullptr;
  ReleaseAllKeys();
  if (result.end == RunEnd::kProgramEnded) {
    // __EndProgram tore the services down; the next run starts them again (the error log of
    // this end stays for the caller to read).
    StopServices();
  }
  return result;
}

void HeadlessDriver::Stop() {
  throw RunAbort{RunEnd::kStopped};
}

void HeadlessDriver::FlushTextFiles() {
  // Naming a file that cannot exist makes the cache write its file back and empty itself; the
  // failed open's error code is not the game's.
  double error = __g_error;
  double errorLine = __g_errorline;
  KDStr never = (platform::TempDir() + "tobli-driver-no-such-folder/none").c_str();
  PUTFILE(never, 0, KDStr(""));
  __g_error = error;
  __g_errorline = errorLine;
}

}  // namespace tobli::game
