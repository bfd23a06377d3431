// A fixture for the editor tests: a private folder for the level files and the headless
// driver with the game's start values.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "driver/headless_driver.h"
#include "editor_script.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace tobli::test {

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
