#pragma once
// Qt's key codes and modifiers translated into the Windows virtual-key codes and ShiftState
// bits the game works with. Qt names a symbol key by the character it types on the user's
// layout, so "+" and "=" keep their codes whichever of them needs Shift.

#include <QKeyEvent>

#include <cstdint>

// The virtual-key code of a Qt key; 0 for a key the game has no code for.
uint16_t VirtualKeyOf(int qtKey);

// The ShiftState bits (Shift, Ctrl, Alt) of Qt modifiers.
uint8_t ShiftStateOf(Qt::KeyboardModifiers modifiers);
