// The input service on the headless platform, and scripted events for it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "platform/input_platform.h"
#include "platform/platform.h"
#include "support/test_support.h"

namespace tobli::test {

void PressKey(int scanCode);
void ReleaseKey(int scanCode);
void MoveMouse(int dx, int dy);
void PressButton(int button);
void ReleaseButton(int button);
void PushFocus(bool gained);

// Headless platform, a 640 x 480 window, the renderer and the input service with the devices
// given (all present by default), in a private temporary directory.
class InputTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the input devices; returns CreateDInput's result.
  int32_t CreateDevices(bool wantMouse = true,
                        platform::input::InputDevices devices = platform::input::InputDevices{});

  std::unique_ptr<ScopedTempDir> dir_;
};

// A script of steps run one at a time by the platform's idle hook, that is whenever a wait
// finds no event waiting. Left() says how many steps were not reached. A wait still going long
// after the last step throws, so that a test fails instead of hanging.
class IdleScript {
 public:
  explicit IdleScript(std::vector<std::function<void()>> steps);
  ~IdleScript();
  size_t Left() const { return steps_.size(); }

 private:
  static constexpr int kIdleTurnsAfterEnd = 100000;
  std::deque<std::function<void()>> steps_;
  int idleAfterEnd_ = 0;
};

}  // namespace tobli::test
