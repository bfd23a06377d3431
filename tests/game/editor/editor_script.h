// Scripted mouse and key input for runs of the level editor on the headless driver, and the
// fixture of the editor tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "driver/headless_driver.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace tobli::test {

// The editor shows two frames while it loads its level ("Loading...", "Done!"); its first pass
// presents frame 3, and input given at frame 3 is read by the passes that follow.
constexpr uint64_t kFirstPassFrame = 3;

// Scan codes of the editor's keys.
namespace keys {
constexpr int kEnter = 28;
constexpr int kSpace = 57;
constexpr int kA = 30;
constexpr int kQ = 16;
constexpr int kW = 17;
constexpr int kR = 19;
constexpr int kC = 46;
constexpr int kE = 18;
constexpr int kG = 34;
constexpr int kH = 35;
constexpr int kL = 38;
constexpr int kM = 50;
constexpr int kO = 24;
constexpr int kS = 31;
constexpr int kT = 20;
constexpr int kY = 21;
constexpr int kZ = 44;
constexpr int kBackspace = 14;
constexpr int kDelete = 211;
constexpr int kPadPlus = 78;
constexpr int kPadMinus = 74;
constexpr int kRight = 205;
constexpr int kF1 = 59;
constexpr int kF4 = 62;
constexpr int kF6 = 64;
constexpr int kSix = 7;  // speed 2
}  // namespace keys

// Tools of the palette.
constexpr int kFloorTool = 2;
constexpr int kFragileTool = 10;  // paints 9
constexpr int kStartTool = 60;
constexpr int kEnemyTool = 61;       // look 1
constexpr int kEnemyLook3Tool = 63;  // look 3

// The screen point at the centre of map cell (x, y) while the window's top-left cell is
// (offsetX, offsetY).
struct ScreenPoint {
  int x;
  int y;
};
ScreenPoint CellPoint(int x, int y, int offsetX = 0, int offsetY = 0);
// The centre of palette cell k (20 to a row).
ScreenPoint PaletteCell(int k);

// Lays input out frame after frame: every action is given at the script's current frame and
// moves it on, so the editor sees one action per pass. The pointer is moved by relative
// motion from where the script last left it (the driver puts it at 100, 100).
class EditorScript {
 public:
  explicit EditorScript(game::HeadlessDriver& driver, uint64_t start = kFirstPassFrame);

  void MoveTo(int x, int y);
  void MoveTo(ScreenPoint p) { MoveTo(p.x, p.y); }
  void LeftDown();
  void LeftUp();
  // Move there, then the left button down and up.
  void Click(ScreenPoint p);
  // The left button goes down at `from` and comes up at `to`.
  void Drag(ScreenPoint from, ScreenPoint to);
  // A right click opens the palette; a left click on cell `tool` chooses it.
  void PickTool(int tool);
  // The key is held for `frames` frames.
  void Press(int key, int frames = 1);
  void Wait(int frames);
  // A key that types a character and means nothing to the editor, as S and L wait for one.
  // Each call takes another key than the last, since a wait ignores the character it gave
  // last until some key test has seen every key up.
  void Continue();
  // Enter, and Enter again should the editor ask about edits not saved: the editor returns
  // and the edits are dropped.
  void Leave();

  uint64_t frame() const { return frame_; }
  int x() const { return x_; }
  int y() const { return y_; }

 private:
  game::HeadlessDriver& driver_;
  uint64_t frame_;
  int x_;
  int y_;
  int continued_ = 0;
};

// A private folder for the level files and the headless driver with the game's start values.
class EditorTest : public ::testing::Test {
 protected:
  // Runs the editor (entered as from the title) on the script; the run must end with the
  // editor returning and leaving editor mode.
  void RunEditor(uint64_t frameLimit = 5000);
  // The file of level n as the text-file cache has left it on disk.
  std::string LevelText(int n);

  ScopedTempDir dir_;
  game::HeadlessDriver driver_;
  EditorScript script_{driver_};
};

}  // namespace tobli::test
