#include "replay_session.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "audio/sound_log.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "pass_observer.h"
#include "platform/platform.h"

namespace tobli::replay {

namespace {

using game::PassPoint;

constexpr int kKeyQ = 16;
constexpr int kKeySpace = 57;
constexpr int kKeyUp = 200;
constexpr int kKeyLeft = 203;
constexpr int kKeyRight = 205;
constexpr int kKeyDown = 208;
constexpr uint64_t kWaitFrames = 16;
// The stored level lies at this margin inside the game's map.
constexpr double kMargin = 6;

void SendKey(int key, bool down) {
  platform::Event event;
  event.type = down ? platform::EventType::kKeyDown : platform::EventType::kKeyUp;
  event.key = key;
  platform::PushEvent(event);
}

// Feeds the tokens to the game at the passes that read them and decides when the run ends.
class Session {
 public:
  Session(game::HeadlessDriver& driver, const std::vector<char>& moves)
      : driver_(driver), moves_(moves), startExits_(exitsTaken) {}

  bool completed() const { return completed_; }
  int deaths() const { return deaths_; }

  void OnPoint(PassPoint point) {
    switch (point) {
      case PassPoint::kCommandKeys:
        if (commandKey_ != 0) {
          Hold(commandKey_);
          commandKey_ = 0;
        }
        break;
      case PassPoint::kArrowKeys:
        TakeToken();
        break;
      case PassPoint::kPassEnd:
        if (exitsTaken != startExits_) completed_ = true;
        if (completed_ || finishing_) stopAtFrame_ = true;
        break;
    }
  }

  void OnFrame(uint64_t frame) {
    if (heldKey_ != 0) {
      SendKey(heldKey_, false);
      heldKey_ = 0;
    }
    // A death sequence shows its frames with ALIVE at 0 (Enter, which also clears it, ends
    // the game loop).
    if (ALIVE == 0 && gameon != 0) {
      if (!inDeath_) ++deaths_;
      inDeath_ = true;
    } else {
      inDeath_ = false;
    }
    if (stopAtFrame_) driver_.Stop();
    if (waiting_ && frame >= waitUntil_) {
      waiting_ = false;
      if (next_ == moves_.size()) driver_.Stop();
    }
  }

 private:
  void Hold(int key) {
    SendKey(key, true);
    heldKey_ = key;
  }

  // A pass reads the arrow keys: the next token is used now, unless a wait still runs or a
  // restart or give-up key is still to be delivered.
  void TakeToken() {
    if (waiting_ || commandKey_ != 0) return;
    if (next_ == moves_.size()) {
      finishing_ = true;
      return;
    }
    char token = moves_[next_++];
    switch (token) {
      case 'R':
        Hold(kKeyRight);
        break;
      case 'L':
        Hold(kKeyLeft);
        break;
      case 'U':
        Hold(kKeyUp);
        break;
      case 'D':
        Hold(kKeyDown);
        break;
      case 'S':
        commandKey_ = kKeySpace;
        break;
      case 'Q':
        commandKey_ = kKeyQ;
        break;
      default:  // '.'
        waiting_ = true;
        waitUntil_ = driver_.frame() + kWaitFrames;
        break;
    }
  }

  game::HeadlessDriver& driver_;
  const std::vector<char>& moves_;
  size_t next_ = 0;
  double startExits_;  // exits taken before the run: one more means the level was finished
  int heldKey_ = 0;
  int commandKey_ = 0;
  bool waiting_ = false;
  uint64_t waitUntil_ = 0;
  bool finishing_ = false;
  bool stopAtFrame_ = false;
  bool completed_ = false;
  int deaths_ = 0;
  bool inDeath_ = false;
};

// A save file in the temporary folder holding the level number; removed again at the end.
class TemporarySaveFile {
 public:
  explicit TemporarySaveFile(double levelNumber) {
    std::string pattern = platform::TempDir() + "tobli-replay-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    std::string text = FormatNumber(levelNumber) + "\r\n";
    bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (written) path_ = pattern;
  }
  ~TemporarySaveFile() {
    if (!path_.empty()) std::remove(path_.c_str());
  }
  TemporarySaveFile(const TemporarySaveFile&) = delete;
  TemporarySaveFile& operator=(const TemporarySaveFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

double PlayerTile(double pixels) {
  return std::trunc(pixels * 0.03125) - kMargin;
}

void Collect(ReplayOutcome& out, bool withMap) {
  out.level = level;
  out.alive = ALIVE != 0;
  out.x = PlayerTile(plyx);
  out.y = PlayerTile(plyy);
  out.sweets = sweets;
  for (int k = 0; k < 5; ++k) out.keys[k] = kys(k);
  out.saltbag = saltbag;
  out.fireman = fireman;
  out.wellington = wellington;
  out.boxes = maxbox;
  out.enemies = maxene;
  out.boxmission = boxmission;
  out.enemission = enemission;
  for (int slot = 0; slot < 128; ++slot) {
    uint64_t count = SoundLogCount(slot);
    if (count > 0) out.sounds[slot] = count;
  }
  if (!withMap) return;
  for (double r = 0; r <= maxy; r = r + 1) {
    std::string row;
    for (double c = 0; c <= maxx; c = c + 1)
      row += GetStrFromNum_Str(hit(c + kMargin, r + kMargin)).GetStrData();
    out.map.push_back(row);
  }
}

}  // namespace

ReplayOutcome PlayLevel(const ReplayRequest& request) {
  ReplayOutcome out;
  TemporarySaveFile saveFile(request.level);
  if (saveFile.path().empty()) {
    out.setupError = "cannot write a save file in " + platform::TempDir();
    return out;
  }
  {
    game::HeadlessDriver driver;
    savefile_Str = saveFile.path().c_str();
    level = request.level;
    Session session(driver, request.moves);
    game::SetPassObserver([&session](PassPoint point) { session.OnPoint(point); });
    driver.OnEveryFrame([&session](uint64_t frame) { session.OnFrame(frame); });
    game::RunResult result = driver.Run([] { MainGame(); }, request.maxFrames);
    game::SetPassObserver({});

    out.frames = result.frames;
    out.completed = session.completed();
    out.deaths = session.deaths();
    out.timeout = result.end == game::RunEnd::kFrameLimit;
    out.stalled = result.end == game::RunEnd::kStalled;
    out.programEnded = result.end == game::RunEnd::kProgramEnded;
    if (out.programEnded) {
      out.errorCode = __g_error;
      out.errorLine = __g_errorline;
    }
    Collect(out, request.withMap);
  }
  return out;
}

}  // namespace tobli::replay
