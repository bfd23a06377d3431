// Helpers shared by the tests.
#pragma once

#include <string>
#include <vector>

namespace tobli::test {

// A fresh private directory for one test: it becomes the current directory and $TMPDIR (so
// the error log and archive extracts land in it) and is removed, with everything in it, when
// the object goes away. The previous directory and $TMPDIR are restored.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string File(const std::string& name) const;

 private:
  std::string path_;
  std::string oldCwd_;
  std::string oldTmp_;
  bool hadTmp_ = false;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
bool FileExists(const std::string& path);
// The lines of the error log in $TMPDIR, CR LF removed.
std::vector<std::string> ErrorLogLines();
// Fails the test unless the error log ends with the end record of a program that ended with
// the code at the line: "-End On Line", the code, the line (earlier lines may stand before).
void ExpectEndRecord(int code, int line);
// The source tree's root (from $TOBLI_SOURCE_DIR, set by CTest).
std::string SourceDir();
std::string BinaryDir();

// What a finished child process left: its exit status (-1 when it could not be started or
// did not exit normally) and everything it wrote to standard output and error.
struct ProcessRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs argv[0] with the given arguments, without a shell, and waits for it. Its output is
// caught in hidden files of the current directory, which are removed afterwards.
ProcessRun RunProcess(const std::vector<std::string>& argv);

}  // namespace tobli::test
