#include "editor_script.h"

#include "game.h"
#include "runtime.h"

namespace tobli::test {

ScreenPoint CellPoint(int x, int y, int offsetX, int offsetY) {
  return {(x - offsetX) * 32 + 16, (y - offsetY) * 32 + 16};
}

ScreenPoint PaletteCell(int k) {
  return {(k % 20) * 32 + 16, (k / 20) * 32 + 16};
}

EditorScript::EditorScript(game::HeadlessDriver& driver, uint64_t start)
    : driver_(driver), frame_(start), x_(static_cast<int>(__g_mx)), y_(static_cast<int>(__g_my)) {}

void EditorScript::MoveTo(int x, int y) {
  driver_.MouseMotion(x - x_, y - y_, frame_++);
  x_ = x;
  y_ = y;
}

void EditorScript::LeftDown() {
  driver_.MouseButton(0, true, frame_++);
}

void EditorScript::LeftUp() {
  driver_.MouseButton(0, false, frame_++);
}

void EditorScript::Click(ScreenPoint p) {
  MoveTo(p);
  LeftDown();
  LeftUp();
  Wait(1);
}

void EditorScript::Drag(ScreenPoint from, ScreenPoint to) {
  MoveTo(from);
  LeftDown();
  MoveTo(to);
  LeftUp();
  Wait(1);
}

void EditorScript::PickTool(int tool) {
  driver_.MouseButton(1, true, frame_++);
  driver_.MouseButton(1, false, frame_++);
  Click(PaletteCell(tool));
}

void EditorScript::Press(int key, int frames) {
  driver_.HoldKey(key, frame_, frame_ + frames);
  frame_ += frames;
  Wait(1);
}

void EditorScript::Wait(int frames) {
  frame_ += frames;
}

void EditorScript::Continue() {
  const int kKeys[] = {keys::kA, keys::kQ, keys::kW, keys::kR};
  Press(kKeys[continued_++ % 4]);
}

void EditorScript::Leave() {
  // With edits not saved the editor asks first; Enter again leaves without them.
  Press(keys::kEnter);
  Press(keys::kEnter);
}

void EditorTest::RunEditor(uint64_t frameLimit) {
  EDITOR = 1;
  game::RunResult result = driver_.Run([] { maineditor(); }, frameLimit);
  ASSERT_EQ(result.end, game::RunEnd::kReturned) << "after " << result.frames << " frames";
  EXPECT_EQ(EDITOR, 0);
}

std::string EditorTest::LevelText(int n) {
  game::HeadlessDriver::FlushTextFiles();
  return ReadFile("levels/Level." + std::to_string(n));
}

}  // namespace tobli::test
