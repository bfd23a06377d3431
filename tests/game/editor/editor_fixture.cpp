#include "editor_fixture.h"

#include <string>

#include "game.h"

namespace tobli::test {

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
