// Reading the catalogue of bad input files and watching what a case writes.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver/headless_driver.h"
#include "state.h"
#include "support/test_support.h"

namespace tobli::catalogue {

// Copies the catalogue file tests/catalogue/<group>/<name> of the source tree to the path given
// (relative to the current directory).
void CopyIn(const std::string& group, const std::string& name, const std::string& to);
// Fails the test unless the names are exactly the files of the group: every file of the
// catalogue has an expectation, and every expectation a file.
void ExpectEveryFileCovered(const std::string& group, const std::set<std::string>& names);
// The same for a table of expectations by file name.
template <typename T>
void ExpectEveryFileCovered(const std::string& group, const std::map<std::string, T>& table) {
  std::set<std::string> names;
  for (const auto& entry : table) names.insert(entry.first);
  ExpectEveryFileCovered(group, names);
}

// Every file and folder below dir (relative paths; folders end in "/") with the contents of
// the files.
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::string& dir);
// The paths added, removed or changed from one snapshot to the other, sorted.
std::vector<std::string> Changes(const Tree& before, const Tree& after);

// One case of the game run on a catalogue file: a folder of its own holding the file (and the
// save slot's text, if given), a snapshot of it, and then a fresh driver with the slot named.
class GameCase {
 public:
  GameCase(const std::string& group, const std::string& file, const std::string& to,
           const std::string& saveFile, const std::optional<std::string>& saveText = {})
      : saveFile_(saveFile) {
    CopyIn(group, file, to);
    if (saveText) tobli::test::WriteFile(saveFile, *saveText);
    before_ = Snapshot(dir_.path());
    driver_.emplace();
    savefile_Str = saveFile.c_str();
  }
  tobli::game::HeadlessDriver& driver() { return *driver_; }
  // A file the case needs besides the catalogue's own, written before the run: it is no change
  // the run made.
  void WriteBeforeRun(const std::string& path, const std::string& text) {
    tobli::test::WriteFile(path, text);
    before_ = Snapshot(dir_.path());
  }
  // Fails for every change in the folder but the save slot's file and the error log.
  void ExpectOnlyOwnFilesChanged() {
    tobli::game::HeadlessDriver::FlushTextFiles();
    for (const std::string& path : Changes(before_, Snapshot(dir_.path()))) {
      EXPECT_TRUE(path == saveFile_ || path == "ErrorLog.txt") << path << " was written";
    }
  }

 private:
  tobli::test::ScopedTempDir dir_;
  std::string saveFile_;
  Tree before_;
  std::optional<tobli::game::HeadlessDriver> driver_;
};

}  // namespace tobli::catalogue
