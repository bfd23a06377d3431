// The input service `DXInput`: keyboard state by DirectInput scan code and relative mouse
// readings, both built from the platform's events, so that scripted events and real ones take
// the same path. Without a keyboard device, keys are read through the window system's key state
// by virtual key (the `nVK` table); without a mouse device, the mouse through the cursor.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/platform.h"

// One mouse reading: buttons (non-zero = down) and the motion since the last reading.
struct DIMOUSEDATA {
  int16_t nLeft = 0;
  int16_t nRight = 0;
  int16_t nMiddle = 0;
  int16_t nDX = 0;
  int16_t nDY = 0;
};

// Result codes of CreateDInput.
constexpr int32_t kInputOk = 1;
constexpr int32_t kNoInputService = static_cast<int32_t>(0x8000000A);
constexpr int32_t kNoKeyboard = static_cast<int32_t>(0x8000000B);
constexpr int32_t kNoMouse = static_cast<int32_t>(0x8000000C);

// The device-input service itself (`pDI`): it exists when the platform has an input service.
struct InputService {};

// The window system's view of the input, which the fallbacks read: how many held scan codes
// give each virtual key, and the cursor's motion and buttons.
// A mouse button made from its events. A click that goes down and up again before any reading
// has seen it (a touchpad tap, or a slow frame) reads as down once, so it is not lost.
struct ButtonState {
  bool down = false;
  bool unseen = false;       // down since the last reading
  bool releaseHeld = false;  // let go, but kept down for that reading
  void Press() {
    down = true;
    unseen = true;
    releaseHeld = false;
  }
  void Release() {
    if (unseen) {
      releaseHeld = true;
    } else {
      down = false;
    }
  }
  // The state a reading reports; a held click is let go after it.
  bool Read() {
    const bool reported = down;
    if (releaseHeld) down = false;
    unseen = false;
    releaseHeld = false;
    return reported;
  }
};

struct WindowInput {
  int vkHeld[256] = {};
  bool scanDown[256] = {};
  uint32_t presses[256] = {};  // key-down events by scan code, so a new press is told apart
  int cursorDX = 0;
  int cursorDY = 0;
  ButtonState buttons[3] = {};
};

// The keyboard device: the 256-byte state by scan code (0x80 = down). A key that goes down and
// up again before any reading has seen it (a quick tap, or a slow frame) stays down for every
// reading until the next frame is presented, so that the pass that sees it sees it whole and
// the tap is neither lost nor taken twice; in a loop that presents no frame, a number of
// readings lets it go instead.
struct KeyboardDevice {
  static constexpr uint64_t kTapReadings = 4096;
  uint8_t state[256] = {};
  bool acquired = true;
  bool unseen[256] = {};         // down since the last reading
  bool releaseHeld[256] = {};    // let go, but kept down for the readings of one frame
  uint64_t heldFrame[256] = {};  // the frame count when a reading first saw the held tap
  uint64_t heldReading[256] = {};
  uint64_t readings = 0;
};

// The mouse device: motion gathered since the last reading, and the buttons. It delivers data
// only while it is acquired, which is while the window has the focus and the pointer is held.
struct MouseDevice {
  int dx = 0;
  int dy = 0;
  ButtonState buttons[3] = {};
  bool acquired = false;
};

class DXInput {
 public:
  DXInput();
  ~DXInput();
  DXInput(const DXInput&) = delete;
  DXInput& operator=(const DXInput&) = delete;

  // Creates the devices (the mouse only when wanted). 1 on success; kNoInputService,
  // kNoKeyboard or kNoMouse, with "No DX_Input", "No DX_KB" or "No DX_Mouse" in the error log,
  // when one cannot be had. The fallbacks then take over.
  int32_t CreateDInput(bool wantMouse);
  // Handles every waiting platform event, then refreshes byKeys.
  void GetKeyboardStatus();
  // The character of a newly pressed key (0 for none): a held key gives its character once.
  char GetKeyChar();
  // The character key k types with the current Shift state (0 for none); Enter gives 10 and
  // Backspace 8.
  char Scan2Ascii(unsigned int k);
  // Fills nVK: the identity with a keyboard device, else the fallback table.
  void DXtoVK(bool keyboard);
  bool AnyKey();
  // One mouse reading; false, with d unchanged, when the mouse device cannot be read (the
  // window does not have the focus).
  bool GetMouseData(DIMOUSEDATA& d);
  // A mouse button is down, from a fresh reading.
  bool AnyMouse();
  int GetNumJoysticks() const { return nNumJoysticks; }

  // The key test of KEY and GetKeyChar (k is 0..255).
  bool KeyDown(int k) const;
  // The key is really held: a tap kept down for the readings after it does not count. The
  // quit keys go by this, so that only a held Esc ends the program.
  bool KeyHeld(int k) const;
  // Key-down events of scan code k so far (0 outside 0..255): a reader that keeps the last
  // count tells whether the key was pressed since it last looked, taps included.
  uint32_t KeyPresses(int k) const { return k >= 0 && k <= 255 ? system_.presses[k] : 0; }
  // Takes one keyboard, mouse or focus event (the input sink of the program frame).
  void HandleEvent(const tobli::platform::Event& event);
  // Number of events taken so far (waits use it to tell an idle turn).
  uint64_t EventCount() const { return events_; }
  // While the line editor runs, the character of every key press is also queued as the press
  // comes in, so that fast typing loses none between two readings (a press and its release
  // can both fall between them). StartTyping empties the queue.
  void StartTyping();
  void StopTyping() { typing_ = false; }
  // The next queued character, 0 when none.
  char NextTyped();

  InputService* pDI;
  KeyboardDevice* pKeyboard;
  MouseDevice* pMouse;
  void* pJoystick[10];
  char szJoyName[10][522];
  void* hWnd;
  uint8_t byKeys[256];
  int nNumJoysticks;
  uint16_t nVK[256];

 private:
  void TakeKey(int scanCode, bool down, char typed = 0);
  void ReleaseHeldTaps(KeyboardDevice& keyboard);
  void QueueTyped(int scanCode, char typed);
  void FocusChanged(bool focused);
  bool ShiftDown() const;

  WindowInput system_;
  bool typing_ = false;
  std::deque<char> typed_;
  bool focused_ = true;
  uint64_t events_ = 0;
};

// The input service; created at start-up, destroyed at the end.
extern DXInput* pDXin;

// The virtual key of each scan code on the keyboard the fallback was written for (255 = none).
uint16_t FallbackVirtualKey(int scanCode);
