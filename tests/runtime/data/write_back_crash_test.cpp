// A child process rewrites a file through the text-file cache and is killed at a random moment,
// many times over; every time the file must hold the old contents or the new ones, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "data/fast_file.h"
#include "data/file_commands.h"
#include "support/test_support.h"

namespace {

using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

constexpr int kRuns = 300;

std::string LineText(char fill, int i) {
  return std::string(1000, fill) + " " + std::to_string(i);
}

std::string Contents(char fill) {
  std::string out;
  for (int i = 0; i < FAST_FILE::kLines; ++i) out += LineText(fill, i) + "\r\n";
  return out;
}

// The child: every line replaced through the cache, then the write-back, then a quiet exit.
pid_t StartRewrite() {
  pid_t pid = fork();
  if (pid == 0) {
    for (int i = 0; i < FAST_FILE::kLines; ++i) {
      PUTFILE("data.txt", i, LineText('n', i).c_str());
    }
    __g_FastFile.FillBuffer(nullptr);
    _exit(0);
  }
  return pid;
}

void RemoveLeftoverTemporaries() {
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    if (entry.path().filename() != "data.txt") std::filesystem::remove(entry.path());
  }
}

TEST(WriteBackCrash, KilledWriterLeavesTheOldOrTheNewFileWhole) {
  ScopedTempDir dir;
  __g_FastFile.FillBuffer(nullptr);
  const std::string oldContents = Contents('o');
  const std::string newContents = Contents('n');

  // One undisturbed run shows the new contents and how long a run takes.
  WriteFile("data.txt", oldContents);
  auto start = std::chrono::steady_clock::now();
  pid_t pid = StartRewrite();
  ASSERT_GT(pid, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  auto runTime = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(ReadFile("data.txt"), newContents);
  auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();

  std::mt19937 random(20240611);
  // Kill points spread over the whole run and a little past it.
  std::uniform_int_distribution<long> killAfter(0, runMicros + runMicros / 4);
  int sawOld = 0;
  int sawNew = 0;
  for (int run = 0; run < kRuns; ++run) {
    WriteFile("data.txt", oldContents);
    pid = StartRewrite();
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(killAfter(random)));
    kill(pid, SIGKILL);
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    std::string now = ReadFile("data.txt");
    if (now == oldContents) {
      ++sawOld;
    } else if (now == newContents) {
      ++sawNew;
    } else {
      FAIL() << "run " << run << ": the file holds " << now.size() << " bytes of neither version";
    }
    RemoveLeftoverTemporaries();
  }
  // Both outcomes occurred, so kills did land before and after the replacement.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}

}  // namespace
