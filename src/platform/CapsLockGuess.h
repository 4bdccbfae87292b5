#pragma once
// Whether Caps Lock is on, as far as the keys the game sees tell: the desktop offers no portable
// way to ask. Pressing Caps Lock flips the guess, and every letter typed settles it (a capital
// typed without Shift, or a small letter typed with Shift, means it is on). It starts off.

#include <cstdint>

class TCapsLockGuess {
  public:
    // A key went down (a virtual-key code and ShiftState bits) and produced `typed`, or 0.
    void KeyDown(uint16_t key, uint8_t shift, char typed);
    bool IsOn() const { return on; }

  private:
    bool on = false;
};
