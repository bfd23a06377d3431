#include "input_fixture.h"

#include <memory>
#include <stdexcept>

#include "core/frame.h"
#include "core/services.h"
#include "input/dxinput.h"

namespace tobli::test {
namespace {

void Push(platform::EventType type, int key, int dx, int dy, int button) {
  platform::Event event;
  event.type = type;
  event.key = key;
  event.dx = dx;
  event.dy = dy;
  event.button = button;
  platform::PushEvent(event);
}

}  // namespace

void PressKey(int scanCode) {
  Push(platform::EventType::kKeyDown, scanCode, 0, 0, 0);
}
void ReleaseKey(int scanCode) {
  Push(platform::EventType::kKeyUp, scanCode, 0, 0, 0);
}
void MoveMouse(int dx, int dy) {
  Push(platform::EventType::kMouseMotion, 0, dx, dy, 0);
}
void PressButton(int button) {
  Push(platform::EventType::kMouseButtonDown, 0, 0, 0, button);
}
void ReleaseButton(int button) {
  Push(platform::EventType::kMouseButtonUp, 0, 0, 0, button);
}
void PushFocus(bool gained) {
  Push(gained ? platform::EventType::kFocusGained : platform::EventType::kFocusLost, 0, 0, 0, 0);
}

void InputTest::SetUp() {
  dir_ = std::make_unique<ScopedTempDir>();
  platform::Select(platform::Kind::kHeadless);
  std::string why;
  platform::OpenWindow(platform::WindowSpec{}, why);
  __CreateInputService();
  __CreateRenderer();
  ASSERT_TRUE(__InitRenderer(640, 480, 0, 60, why)) << why;
  __g_mx = __g_my = 0;
}

void InputTest::TearDown() {
  platform::SetIdleHook({});
  platform::SetFrameHook({});
  __DestroyInputService();
  __DestroyRenderer();
  platform::CloseWindow();
  platform::input::SetHeadlessInputDevices(platform::input::InputDevices{});
  platform::input::CaptureMouse(false);
  dir_.reset();
}

int32_t InputTest::CreateDevices(bool wantMouse, platform::input::InputDevices devices) {
  platform::input::SetHeadlessInputDevices(devices);
  return pDXin->CreateDInput(wantMouse);
}

IdleScript::IdleScript(std::vector<std::function<void()>> steps)
    : steps_(steps.begin(), steps.end()) {
  platform::SetIdleHook([this] {
    if (steps_.empty()) {
      // A wait that goes on after the script has run out would never end.
      if (++idleAfterEnd_ > kIdleTurnsAfterEnd) throw std::runtime_error("the wait did not end");
      return;
    }
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
  });
}

IdleScript::~IdleScript() {
  platform::SetIdleHook({});
}

}  // namespace tobli::test
