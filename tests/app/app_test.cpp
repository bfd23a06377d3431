// End to end: the real executable under the X server of the test run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/error_log.h"
#include "support/test_support.h"

namespace {

TEST(App, ClosingTheWindowEndsInOrderWithTheFiveLogLines) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X server (run under xvfb-run)";
  tobli::test::ScopedTempDir dir;
  tobli::test::WriteFile(__ErrorLogPath(), "stale line of an earlier run\r\n");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The game keeps the player's settings in the user's config folder: here, the test's own.
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
#ifdef TOBLI_PRELOAD_GL_DRIVER
    // Sanitizer build: Mesa's software driver stays loaded to the end, so that the leak
    // suppressions can name it (see tests/support/keep_gl_driver_loaded.cpp).
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"}) {
      if (access(driver, R_OK) == 0) {
        setenv("LD_PRELOAD", driver, 1);
        break;
      }
    }
#endif
    execl(TOBLI_EXECUTABLE, TOBLI_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(127);
  }
  // Give the program time to open its window, then ask it to close as a window manager would.
  // SDL turns SIGTERM into the same quit request as the window's close button.
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  auto lines = tobli::test::ErrorLogLines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_NE(lines[0], "stale line of an earlier run");
  size_t end = lines.size() - 5;
  EXPECT_EQ(lines[end], "-End On Line");
  EXPECT_EQ(lines[end + 1], "0");
  // Closing the window kept its settings for the next start.
  EXPECT_NE(tobli::test::ReadFile(dir.File("config/tobli/settings")).find("music 1\n"),
            std::string::npos);
}

}  // namespace
