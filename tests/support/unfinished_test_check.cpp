// A test that ends the process before it finishes (the runtime's orderly end calls exit with
// status 0) must not count as passed: the test runner sees only the exit status. Compiled
// into every test program; the check stays out of death tests' child processes, whose exit
// is what they test.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string gRunningTest;  // empty between tests

class RunningTestWatch : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override {
    gRunningTest = std::string(info.test_suite_name()) + "." + info.name();
  }
  void OnTestEnd(const ::testing::TestInfo&) override { gRunningTest.clear(); }
};

void FailAnUnfinishedTest() {
  if (gRunningTest.empty() || ::testing::internal::InDeathTestChild()) return;
  std::fprintf(stderr, "\n%s ended the process before it finished\n", gRunningTest.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

const bool kInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new RunningTestWatch);
  std::atexit(FailAnUnfinishedTest);
  return true;
}();

}  // namespace
