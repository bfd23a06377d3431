#include "input/dxinput.h"

#include <algorithm>
#include <cstring>

#include "core/error_log.h"
#include "core/frame.h"
#include "platform/input_platform.h"

namespace platform = tobli::platform;

DXInput* pDXin = nullptr;

namespace {

// The last character GetKeyChar gave; 0 remembers that no key gave one. The key that gave it
// and that key's press count tell a fresh press of the same key (typing "ll" quickly, with no
// reading between the release and the next press) from the same press still held.
char gLastChar = 0;
int gLastKey = -1;
uint32_t gLastPress = 0;

constexpr uint16_t kNoVirtualKey = 255;
constexpr uint16_t kVkShift = 0x10;
constexpr int kLeftShift = 0x2A;
constexpr int kRightShift = 0x36;

struct VirtualKeyPair {
  uint8_t scanCode;
  uint8_t virtualKey;
};

// Scan code to virtual key on the German keyboard the fallback was written for (so 0x15 gives
// Z and 0x2C gives Y).
constexpr VirtualKeyPair kFallbackPairs[] = {
    {0x00, 0x0D}, {0x01, 0x1B}, {0x02, 0x31}, {0x03, 0x32}, {0x04, 0x33}, {0x05, 0x34},
    {0x06, 0x35}, {0x07, 0x36}, {0x08, 0x37}, {0x09, 0x38}, {0x0A, 0x39}, {0x0B, 0x30},
    {0x0C, 0xDB}, {0x0D, 0xDD}, {0x0E, 0x08}, {0x0F, 0x09}, {0x10, 0x51}, {0x11, 0x57},
    {0x12, 0x45}, {0x13, 0x52}, {0x14, 0x54}, {0x15, 0x5A}, {0x16, 0x55}, {0x17, 0x49},
    {0x18, 0x4F}, {0x19, 0x50}, {0x1A, 0xBA}, {0x1B, 0xBB}, {0x1C, 0x0D}, {0x1D, 0x11},
    {0x1E, 0x41}, {0x1F, 0x53}, {0x20, 0x44}, {0x21, 0x46}, {0x22, 0x47}, {0x23, 0x48},
    {0x24, 0x4A}, {0x25, 0x4B}, {0x26, 0x4C}, {0x27, 0xC0}, {0x28, 0xDE}, {0x29, 0xDC},
    {0x2A, 0x10}, {0x2B, 0xBF}, {0x2C, 0x59}, {0x2D, 0x58}, {0x2E, 0x43}, {0x2F, 0x56},
    {0x30, 0x42}, {0x31, 0x4E}, {0x32, 0x4D}, {0x33, 0xBC}, {0x34, 0xBE}, {0x35, 0xBD},
    {0x36, 0x10}, {0x37, 0x6A}, {0x38, 0x12}, {0x39, 0x20}, {0x3A, 0x00}, {0x3B, 0x70},
    {0x3C, 0x71}, {0x3D, 0x72}, {0x3E, 0x73}, {0x3F, 0x74}, {0x40, 0x75}, {0x41, 0x76},
    {0x42, 0x77}, {0x43, 0x78}, {0x44, 0x79}, {0x45, 0x90}, {0x46, 0x91}, {0x47, 0x67},
    {0x48, 0x68}, {0x49, 0x69}, {0x4A, 0x6D}, {0x4B, 0x64}, {0x4C, 0x65}, {0x4D, 0x66},
    {0x4E, 0x6B}, {0x4F, 0x61}, {0x50, 0x62}, {0x51, 0x63}, {0x52, 0x60}, {0x53, 0x6E},
    {0x56, 0xE2}, {0x57, 0x7A}, {0x58, 0x7B}, {0x9C, 0x1C}, {0x9D, 0x11}, {0xB5, 0x6F},
    {0xB8, 0x12}, {0xC7, 0x24}, {0xC8, 0x26}, {0xC9, 0x21}, {0xCB, 0x25}, {0xCD, 0x27},
    {0xCF, 0x23}, {0xD0, 0x28}, {0xD1, 0x22}, {0xD2, 0x2D}, {0xD3, 0x2E}, {0xDB, 0x5B},
    {0xDC, 0x5C}, {0xDD, 0x5D},
};

int16_t ToShort(int value) {
  return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

}  // namespace

uint16_t FallbackVirtualKey(int scanCode) {
  for (const VirtualKeyPair& pair : kFallbackPairs) {
    if (pair.scanCode == scanCode) return pair.virtualKey;
  }
  return kNoVirtualKey;
}

DXInput::DXInput()
    : pDI(nullptr),
      pKeyboard(nullptr),
      pMouse(nullptr),
      pJoystick{},
      szJoyName{},
      hWnd(nullptr),
      byKeys{},
      nNumJoysticks(0),
      nVK{} {
  gLastChar = 0;
  gLastKey = -1;
  focused_ = platform::WindowHasFocus();
}

DXInput::~DXInput() {
  if (pMouse != nullptr && pMouse->acquired) platform::input::CaptureMouse(false);
  delete pMouse;
  delete pKeyboard;
  delete pDI;
}

int32_t DXInput::CreateDInput(bool wantMouse) {
  int32_t result = kInputOk;
  platform::input::InputDevices devices = platform::input::ProbeInputDevices();
  if (devices.service) {
    pDI = new InputService;
  } else {
    __AppendErrorLog("No DX_Input");
    result = kNoInputService;
  }
  if (pDI == nullptr) {
    // Without the service the window system's key state and cursor are used.
    nNumJoysticks = 0;
    DXtoVK(false);
    return result;
  }
  if (devices.keyboard) {
    pKeyboard = new KeyboardDevice;
    pKeyboard->acquired = devices.keyboardAcquired;
    if (!pKeyboard->acquired) {
      // The device stays; a later read takes it again.
      __AppendErrorLog("No DX_KB");
      result = kNoKeyboard;
    }
  }
  DXtoVK(pKeyboard != nullptr);
  if (wantMouse && devices.mouse) {
    pMouse = new MouseDevice;
    // Without the focus the pointer is taken when the focus comes.
    if (focused_ && !platform::input::CaptureMouse(true)) {
      __AppendErrorLog("No DX_Mouse");
      result = kNoMouse;
    } else {
      pMouse->acquired = focused_;
    }
  }
  nNumJoysticks = 0;
  return result;
}

void DXInput::DXtoVK(bool keyboard) {
  for (int i = 0; i < 256; ++i) {
    nVK[i] = keyboard ? static_cast<uint16_t>(i) : FallbackVirtualKey(i);
  }
}

void DXInput::HandleEvent(const platform::Event& event) {
  ++events_;
  switch (event.type) {
    case platform::EventType::kKeyDown:
    case platform::EventType::kKeyUp:
      TakeKey(event.key, event.type == platform::EventType::kKeyDown, event.typed);
      break;
    case platform::EventType::kMouseMotion:
      system_.cursorDX += event.dx;
      system_.cursorDY += event.dy;
      if (pMouse != nullptr && pMouse->acquired) {
        pMouse->dx += event.dx;
        pMouse->dy += event.dy;
      }
      break;
    case platform::EventType::kMouseButtonDown:
    case platform::EventType::kMouseButtonUp: {
      if (event.button < 0 || event.button > 2) break;
      const bool down = event.type == platform::EventType::kMouseButtonDown;
      auto take = [down](ButtonState& button) { down ? button.Press() : button.Release(); };
      take(system_.buttons[event.button]);
      if (pMouse != nullptr && pMouse->acquired) take(pMouse->buttons[event.button]);
      break;
    }
    case platform::EventType::kFocusGained:
      FocusChanged(true);
      break;
    case platform::EventType::kFocusLost:
      FocusChanged(false);
      break;
    default:
      break;
  }
}

void DXInput::TakeKey(int scanCode, bool down, char typed) {
  if (scanCode < 0 || scanCode > 255) return;
  if (down) {
    ++system_.presses[scanCode];
    if (typing_) QueueTyped(scanCode, typed);
  }
  if (pKeyboard != nullptr) {
    KeyboardDevice& keyboard = *pKeyboard;
    if (down) {
      keyboard.state[scanCode] = 0x80;
      keyboard.unseen[scanCode] = true;
      keyboard.releaseHeld[scanCode] = false;
    } else if (keyboard.unseen[scanCode]) {
      keyboard.releaseHeld[scanCode] = true;
    } else {
      keyboard.state[scanCode] = 0;
    }
  }
  if (system_.scanDown[scanCode] == down) return;
  system_.scanDown[scanCode] = down;
  uint16_t vk = FallbackVirtualKey(scanCode);
  // Virtual key 0 (Caps Lock's entry) and 255 (none) are never down.
  if (vk == 0 || vk == kNoVirtualKey) return;
  if (down) {
    ++system_.vkHeld[vk];
  } else if (system_.vkHeld[vk] > 0) {
    --system_.vkHeld[vk];
  }
}

void DXInput::FocusChanged(bool focused) {
  focused_ = focused;
  if (!focused) {
    // Keys and buttons held while the focus goes are let go: their releases go elsewhere.
    for (int k = 0; k < 256; ++k) {
      if (system_.scanDown[k]) TakeKey(k, false);
    }
    if (pKeyboard != nullptr) {
      const bool acquired = pKeyboard->acquired;
      *pKeyboard = KeyboardDevice{};
      pKeyboard->acquired = acquired;
    }
    std::fill(std::begin(system_.buttons), std::end(system_.buttons), ButtonState{});
  }
  if (pMouse == nullptr) return;
  if (focused) {
    pMouse->acquired = platform::input::CaptureMouse(true);
  } else {
    // The player can always leave the window: the pointer goes free with the focus.
    platform::input::CaptureMouse(false);
    *pMouse = MouseDevice{};
  }
}

void DXInput::GetKeyboardStatus() {
  // The key state is made from events, so every waiting event is handled first.
  __DispatchEvents();
  if (pKeyboard == nullptr) {
    for (int vk = 0; vk < 256; ++vk) byKeys[vk] = system_.vkHeld[vk] > 0 ? 0x80 : 0;
    return;
  }
  if (!pKeyboard->acquired) {
    // A failed read keeps the old state and takes the device again for the next one.
    pKeyboard->acquired = platform::input::ProbeInputDevices().keyboardAcquired;
    return;
  }
  KeyboardDevice& keyboard = *pKeyboard;
  ++keyboard.readings;
  ReleaseHeldTaps(keyboard);
  std::memcpy(byKeys, keyboard.state, sizeof(byKeys));
  for (int k = 0; k < 256; ++k) {
    if (!keyboard.unseen[k]) continue;
    keyboard.unseen[k] = false;
    keyboard.heldFrame[k] = __g_FrameCount;
    keyboard.heldReading[k] = keyboard.readings;
  }
}

// A tap stays down until a frame has been presented since a reading first saw it, rather than
// for that one reading: a game pass reads several keys one after the other, and each KEY is a
// reading of its own.
void DXInput::ReleaseHeldTaps(KeyboardDevice& keyboard) {
  for (int k = 0; k < 256; ++k) {
    // A tap no reading has seen yet stays down for this one.
    if (!keyboard.releaseHeld[k] || keyboard.unseen[k]) continue;
    if (__g_FrameCount == keyboard.heldFrame[k] &&
        keyboard.readings - keyboard.heldReading[k] < KeyboardDevice::kTapReadings) {
      continue;
    }
    keyboard.releaseHeld[k] = false;
    keyboard.state[k] = 0;
  }
}

bool DXInput::KeyHeld(int k) const {
  if (!KeyDown(k)) return false;
  return pKeyboard == nullptr || !pKeyboard->releaseHeld[k];
}

bool DXInput::KeyDown(int k) const {
  if (k < 0 || k > 255) return false;
  if (pKeyboard != nullptr) return (byKeys[k] & 0x80) != 0;
  uint16_t vk = nVK[k];
  return vk < 256 && system_.vkHeld[vk] > 0;
}

bool DXInput::ShiftDown() const {
  return system_.vkHeld[kVkShift] > 0;
}

char DXInput::Scan2Ascii(unsigned int k) {
  if (k == 0x1C || k == 0x9C) return 10;
  if (k == 0x0E) return 8;
  switch (k) {
    case 0x1D:
    case 0x2A:
    case 0x36:
    case 0x38:
    case 0x3A:
    case 0x45:
    case 0xDD:
      return 0;
    default:
      break;
  }
  if (k > 255) return 0;
  auto c = static_cast<unsigned char>(platform::KeyCharacter(static_cast<int>(k), ShiftDown()));
  if (c == 0 || c >= 128) return 0;
  if (c >= 0x20 || c == 8 || c == 10) return static_cast<char>(c);
  return 0;
}

void DXInput::StartTyping() {
  typed_.clear();
  typing_ = true;
}

char DXInput::NextTyped() {
  if (typed_.empty()) return 0;
  char c = typed_.front();
  typed_.pop_front();
  return c;
}

// The character the layout typed, when the platform says; else the key's own character with
// the Shift state the key sees as it goes down, and the capital rule of GetKeyChar.
void DXInput::QueueTyped(int scanCode, char typed) {
  constexpr size_t kMostQueued = 256;
  if (typed_.size() >= kMostQueued) return;
  char c = typed;
  if (c == 0) {
    c = Scan2Ascii(static_cast<unsigned>(scanCode));
    if (c == 0) return;
    if (ShiftDown() && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  typed_.push_back(c);
}

char DXInput::GetKeyChar() {
  GetKeyboardStatus();
  char c = 0;
  int key = -1;
  for (int k = 0; k < 255; ++k) {
    if (!KeyDown(k)) continue;
    char s = Scan2Ascii(static_cast<unsigned>(k));
    if (s == 0) continue;
    if ((KeyDown(kLeftShift) || KeyDown(kRightShift)) && s >= 'a' && s <= 'z') {
      s = static_cast<char>(s - 'a' + 'A');
    }
    c = s;
    key = k;
    break;
  }
  const uint32_t press = key >= 0 ? system_.presses[key] : 0;
  const bool pressedAgain = c != 0 && key == gLastKey && press != gLastPress;
  if (c == gLastChar && !pressedAgain) return 0;
  gLastChar = c;
  gLastKey = key;
  gLastPress = press;
  return c;
}

bool DXInput::AnyKey() {
  return GetKeyChar() != 0;
}

bool DXInput::GetMouseData(DIMOUSEDATA& d) {
  __DispatchEvents();
  if (pMouse == nullptr) {
    // The cursor's motion since the last reading (it is put back to its rest point).
    d.nDX = ToShort(system_.cursorDX);
    d.nDY = ToShort(system_.cursorDY);
    system_.cursorDX = system_.cursorDY = 0;
    d.nLeft = system_.buttons[0].Read() ? 1 : 0;
    d.nRight = system_.buttons[1].Read() ? 1 : 0;
    d.nMiddle = system_.buttons[2].Read() ? 1 : 0;
    return true;
  }
  if (!pMouse->acquired) {
    if (!focused_ || !platform::input::CaptureMouse(true)) return false;
    pMouse->acquired = true;
  }
  d.nDX = ToShort(pMouse->dx);
  d.nDY = ToShort(pMouse->dy);
  pMouse->dx = pMouse->dy = 0;
  d.nLeft = pMouse->buttons[0].Read() ? 0x80 : 0;
  d.nRight = pMouse->buttons[1].Read() ? 0x80 : 0;
  d.nMiddle = pMouse->buttons[2].Read() ? 0x80 : 0;
  return true;
}

bool DXInput::AnyMouse() {
  DIMOUSEDATA d;
  if (!GetMouseData(d)) return false;
  return d.nLeft != 0 || d.nRight != 0 || d.nMiddle != 0;
}
