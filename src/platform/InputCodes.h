#pragma once
// The codes mouse and key events carry through the world: mouse buttons, shift-state bits and
// the Windows virtual-key codes of the keys.

#include <cstdint>

// Mouse buttons as the graphic area reports them.
namespace MouseButton {
inline constexpr uint8_t Left = 0;
inline constexpr uint8_t Right = 1;
inline constexpr uint8_t Middle = 2;
} // namespace MouseButton

// Shift-state bits of key and mouse events.
namespace ShiftState {
inline constexpr uint8_t Shift = 1;
inline constexpr uint8_t Alt = 2;
inline constexpr uint8_t Ctrl = 4;
} // namespace ShiftState

// Windows virtual-key codes. Letters and digits are their upper-case ASCII codes ('A'..'Z',
// '0'..'9'); function key Fn is F1 + n - 1.
namespace VirtualKey {
inline constexpr uint16_t Back = 0x08;
inline constexpr uint16_t Tab = 0x09;
inline constexpr uint16_t Return = 0x0D;
inline constexpr uint16_t Shift = 0x10;
inline constexpr uint16_t Control = 0x11;
inline constexpr uint16_t Menu = 0x12;
inline constexpr uint16_t Pause = 0x13;
inline constexpr uint16_t Capital = 0x14;
inline constexpr uint16_t Escape = 0x1B;
inline constexpr uint16_t Space = 0x20;
inline constexpr uint16_t Prior = 0x21;
inline constexpr uint16_t Next = 0x22;
inline constexpr uint16_t End = 0x23;
inline constexpr uint16_t Home = 0x24;
inline constexpr uint16_t Left = 0x25;
inline constexpr uint16_t Up = 0x26;
inline constexpr uint16_t Right = 0x27;
inline constexpr uint16_t Down = 0x28;
inline constexpr uint16_t Insert = 0x2D;
inline constexpr uint16_t Delete = 0x2E;
inline constexpr uint16_t Add = 0x6B; // the keypad "+"; also any other key that types "+"
inline constexpr uint16_t F1 = 0x70;
inline constexpr uint16_t OemPlus = 0xBB;  // the key that types "="
inline constexpr uint16_t OemMinus = 0xBD; // the "-" key
} // namespace VirtualKey
