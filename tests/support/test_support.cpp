#include "support/test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/error_log.h"

extern char** environ;

namespace tobli::test {

ScopedTempDir::ScopedTempDir() {
  std::string base = std::filesystem::temp_directory_path().string() + "/tobli-test-XXXXXX";
  if (const char* tmp = std::getenv("TMPDIR")) {
    hadTmp_ = true;
    oldTmp_ = tmp;
  }
  std::vector<char> name(base.begin(), base.end());
  name.push_back(0);
  if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = name.data();
  oldCwd_ = std::filesystem::current_path().string();
  setenv("TMPDIR", path_.c_str(), 1);
  std::filesystem::current_path(path_);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ignored;
  std::filesystem::current_path(oldCwd_, ignored);
  if (hadTmp_) {
    setenv("TMPDIR", oldTmp_.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  std::filesystem::remove_all(path_, ignored);
}

std::string ScopedTempDir::File(const std::string& name) const {
  return path_ + "/" + name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
}

bool FileExists(const std::string& path) {
  return std::filesystem::exists(path);
}

std::vector<std::string> ErrorLogLines() {
  std::vector<std::string> lines;
  std::stringstream in(ReadFile(__ErrorLogPath()));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void ExpectEndRecord(int code, int line) {
  std::vector<std::string> lines = ErrorLogLines();
  ASSERT_GE(lines.size(), 5u);
  const size_t end = lines.size() - 5;
  EXPECT_EQ(lines[end], "-End On Line");
  EXPECT_EQ(lines[end + 1], std::to_string(code));
  EXPECT_EQ(lines[end + 2], std::to_string(line));
}

std::string SourceDir() {
  const char* dir = std::getenv("TOBLI_SOURCE_DIR");
  return dir != nullptr ? dir : ".";
}

std::string BinaryDir() {
  const char* dir = std::getenv("TOBLI_BINARY_DIR");
  return dir != nullptr ? dir : ".";
}

ProcessRun RunProcess(const std::vector<std::string>& argv) {
  ProcessRun run;
  if (argv.empty()) return run;
  std::vector<std::string> all = argv;
  std::vector<char*> pointers;
  for (std::string& a : all) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  const char* outName = ".process-out";
  const char* errName = ".process-err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outName, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errName, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid;
  if (posix_spawn(&pid, pointers[0], &actions, nullptr, pointers.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadFile(outName);
  run.err = ReadFile(errName);
  std::error_code ignored;
  std::filesystem::remove(outName, ignored);
  std::filesystem::remove(errName, ignored);
  return run;
}

}  // namespace tobli::test
