#include "platform/CapsLockGuess.h"

#include "platform/InputCodes.h"

void TCapsLockGuess::KeyDown(uint16_t key, uint8_t shift, char typed) {
    if (key == VirtualKey::Capital) {
        on = !on;
        return;
    }
    const bool capital = typed >= 'A' && typed <= 'Z';
    const bool small = typed >= 'a' && typed <= 'z';
    if (key >= 'A' && key <= 'Z' && (capital || small)) {
        on = capital != ((shift & ShiftState::Shift) != 0);
    }
}
