// The mouse on scripted events: relative motion kept inside the screen, buttons, SETMOUSE,
// the pointer held only while the window has the focus, and the cursor fallback.
#include <gtest/gtest.h>

#include "core/frame.h"
#include "gfx/lumetra.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "input_fixture.h"

namespace {

using tobli::platform::input::MouseCaptured;
using tobli::test::ErrorLogLines;
using tobli::test::InputTest;
using tobli::test::MoveMouse;
using tobli::test::PressButton;
using tobli::test::PushFocus;
using tobli::test::ReleaseButton;

struct MouseState {
  double x = -1, y = -1, b1 = -1, b2 = -1;
};

MouseState Read() {
  MouseState s;
  MOUSESTATE(s.x, s.y, s.b1, s.b2);
  return s;
}

using MouseTest = InputTest;

TEST_F(MouseTest, MotionMovesThePointerInsideTheScreenButSetMouseIsUnclamped) {
  ASSERT_EQ(CreateDevices(true), kInputOk);
  SETMOUSE(100, 100);
  MoveMouse(30, -10);
  MoveMouse(2, 3);
  MouseState s = Read();
  EXPECT_EQ(s.x, 132);
  EXPECT_EQ(s.y, 93);
  // Motion is read once: the next reading without events leaves the pointer where it is.
  s = Read();
  EXPECT_EQ(s.x, 132);
  MoveMouse(5000, 5000);
  s = Read();
  EXPECT_EQ(s.x, pLum->nResX);  // the bounds are inclusive
  EXPECT_EQ(s.y, pLum->nResY);
  MoveMouse(-5000, -5000);
  s = Read();
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 0);

  // SETMOUSE is unclamped until the next reading.
  SETMOUSE(-5, -5);
  EXPECT_EQ(__g_mx, -5);
  EXPECT_EQ(__g_my, -5);
  s = Read();
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 0);
}

TEST_F(MouseTest, ButtonsReportLeftAndRightAndMotionIsReadInSixteenBits) {
  CreateDevices(true);
  PressButton(0);
  MouseState s = Read();
  EXPECT_EQ(s.b1, 1);
  EXPECT_EQ(s.b2, 0);
  PressButton(1);
  ReleaseButton(0);
  s = Read();
  EXPECT_EQ(s.b1, 0);
  EXPECT_EQ(s.b2, 1);
  ReleaseButton(1);
  PressButton(2);  // the middle button is read but not reported
  s = Read();
  EXPECT_EQ(s.b1, 0);
  EXPECT_EQ(s.b2, 0);
  EXPECT_TRUE(pDXin->AnyMouse());
  ReleaseButton(2);

  // A click that comes and goes between two readings (a touchpad tap) reads down once.
  PressButton(0);
  ReleaseButton(0);
  EXPECT_EQ(Read().b1, 1);
  EXPECT_EQ(Read().b1, 0);

  // Large motion is read in sixteen bits.
  MoveMouse(40000, -40000);
  DIMOUSEDATA d;
  ASSERT_TRUE(pDXin->GetMouseData(d));
  EXPECT_EQ(d.nDX, 32767);
  EXPECT_EQ(d.nDY, -32768);
}

TEST_F(MouseTest, ThePointerIsHeldOnlyWhileTheWindowHasTheFocus) {
  CreateDevices(true);
  EXPECT_TRUE(MouseCaptured());
  SETMOUSE(50, 50);
  PressButton(0);
  PushFocus(false);
  MoveMouse(40, 40);
  // The device cannot be read without the focus: no motion, no buttons.
  MouseState s = Read();
  EXPECT_FALSE(MouseCaptured());
  EXPECT_EQ(s.x, 50);
  EXPECT_EQ(s.y, 50);
  EXPECT_EQ(s.b1, 0);
  DIMOUSEDATA d;
  d.nDX = 7;
  EXPECT_FALSE(pDXin->GetMouseData(d));
  EXPECT_EQ(d.nDX, 7);  // left as it was
  PushFocus(true);
  MoveMouse(10, 0);
  s = Read();
  EXPECT_TRUE(MouseCaptured());
  EXPECT_EQ(s.x, 60);
  EXPECT_EQ(s.b1, 0);  // the button pressed before the focus went is not held any more
}

TEST_F(MouseTest, WithoutAMouseDeviceTheCursorGivesTheMotion) {
  ASSERT_EQ(CreateDevices(false), kInputOk);
  EXPECT_EQ(pDXin->pMouse, nullptr);
  EXPECT_FALSE(MouseCaptured());
  SETMOUSE(10, 10);
  MoveMouse(3, 4);
  PressButton(0);
  MouseState s = Read();
  EXPECT_EQ(s.x, 13);
  EXPECT_EQ(s.y, 14);
  EXPECT_EQ(s.b1, 1);
  ReleaseButton(0);
  PressButton(1);  // a tap
  ReleaseButton(1);
  s = Read();
  EXPECT_EQ(s.b1, 0);
  EXPECT_EQ(s.b2, 1);
  EXPECT_EQ(Read().b2, 0);
}

TEST_F(MouseTest, AMouseThatCannotBeHeldIsLoggedAndReadsNoMotion) {
  tobli::platform::input::InputDevices devices;
  devices.mouseAcquired = false;
  ASSERT_EQ(CreateDevices(true, devices), kNoMouse);
  EXPECT_EQ(ErrorLogLines(), std::vector<std::string>{"No DX_Mouse"});
  ASSERT_NE(pDXin->pMouse, nullptr);
  SETMOUSE(20, 20);
  MoveMouse(5, 5);
  PressButton(0);
  MouseState s = Read();
  EXPECT_EQ(s.x, 20);
  EXPECT_EQ(s.b1, 0);
  // Once the pointer can be held, the next reading takes the device again; motion made while
  // it was not held is lost.
  tobli::platform::input::SetHeadlessInputDevices({});
  s = Read();
  EXPECT_EQ(s.x, 20);
  MoveMouse(5, 5);
  s = Read();
  EXPECT_EQ(s.x, 25);
}

}  // namespace
